// The window tests' fixture: a window of the test's own, on a fresh folder of real files.
#pragma once

#include "../win32/win32_test_support.h"
#include "form_driver.h"
#include "ui/form1_controls.h"

// The six text fields, Text1(0) to Text1(5).
std::vector<std::wstring> FieldsOf(const RunningForm& form);
// The path of the test program, a file of three icons.
std::wstring TestProgramPath();

class WindowTest : public RealFiles {
protected:
    RunningForm form;

    // Presses 作成 and returns the caption of the answer, having checked its text and icon against the
    // caption, and dismisses it.
    std::wstring Create() const;
};
