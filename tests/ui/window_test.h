// The window tests' fixture: a window of the test's own, on a fresh folder of real files.
#pragma once

#include "../win32/win32_test_support.h"
#include "form_driver.h"
#include "ui/form1_controls.h"

class WindowTest : public RealFiles {
protected:
    RunningForm form;

    std::vector<std::wstring> Fields() const {
        std::vector<std::wstring> fields;
        for (int i = 0; i < kText1Count; ++i) fields.push_back(form.Text(kText1Base + i));
        return fields;
    }
};
