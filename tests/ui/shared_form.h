// Tests that share one running window, started before the suite's first test and closed after its last.
#pragma once

#include <gtest/gtest.h>

#include "form_driver.h"

class SharedFormTest : public ::testing::Test {
protected:
    inline static RunningForm* form = nullptr;
    static void SetUpTestSuite() { form = new RunningForm; }
    static void TearDownTestSuite() {
        delete form;
        form = nullptr;
    }
};
