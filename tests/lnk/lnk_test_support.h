// The fixture shared by the writer's tests: a fake system in place, a standard target, and the
// written file parsed by the strict reader.
#pragma once

#include <gtest/gtest.h>

#include "fake_system.h"
#include "lnk/shortcut_builder.h"
#include "lnk_reader.h"

class LnkTest : public ::testing::Test {
protected:
    FakeSystem sys;

    // C:\A\B.EXE, 1,000 bytes, on a fixed disk labelled "DATA".
    void SetUp() override {
        UseFakeSystem(&sys);
        sys.volumes["C:\\"] = {"DATA", 0x1A2B3C4D};
        sys.Add(u"C:\\A", 0x10);
        sys.Add(u"C:\\A\\B.EXE", 0x20, 1000);
    }
    void TearDown() override {
        EXPECT_EQ(sys.handles, 0) << "a file was left open";
        UseFakeSystem(nullptr);
    }

    static ShortcutRequest Request(const std::u16string& target = u"C:\\A\\B.EXE",
                                   const std::u16string& link = u"C:\\out.lnk", const std::u16string& arguments = u"") {
        return {target, link, arguments, u"", u"", 0, 0, 1, u""};
    }

    // Builds, expects success and returns the written file, checked by the strict reader.
    ParsedLink BuildAndParse(const ShortcutRequest& r) {
        ParsedLink link;
        std::string error;
        EXPECT_EQ(BuildShortcut(r), kBuildSucceeded);
        const std::string path = FakeAnsi(r.linkPath);
        EXPECT_TRUE(sys.files.count(path) && ParseLink(sys.files[path], &link, &error)) << error;
        return link;
    }
};
