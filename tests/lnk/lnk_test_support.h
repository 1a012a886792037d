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
    FakeSystemScope scope{sys};

    // C:\A\B.EXE, 1,000 bytes, on a fixed disk labelled "DATA".
    void SetUp() override {
        sys.AddVolume(u"C:\\", "DATA", 0x1A2B3C4D);
        sys.Add(u"C:\\A", 0x10);
        sys.Add(u"C:\\A\\B.EXE", 0x20, 1000);
    }

    static ShortcutRequest Request(const std::u16string& target = u"C:\\A\\B.EXE",
                                   const std::u16string& link = u"C:\\out.lnk") {
        ShortcutRequest r;
        r.targetPath = target;
        r.linkPath = link;
        return r;
    }

    // Builds, expects success and returns the written file, checked by the strict reader.
    ParsedLink BuildAndParse(const ShortcutRequest& r) {
        ParsedLink link;
        EXPECT_EQ(BuildShortcut(r), kBuildSucceeded);
        if (!sys.Exists(r.linkPath)) {
            ADD_FAILURE() << "no file written";
            return link;
        }
        std::string error;
        EXPECT_TRUE(ParseLink(sys.File(r.linkPath), &link, &error)) << error;
        return link;
    }

    // A failed build leaves no trace: no output file at all.
    void ExpectFailsWithoutFile(const ShortcutRequest& r) {
        EXPECT_EQ(BuildShortcut(r), kBuildFailed);
        EXPECT_TRUE(sys.files.empty()) << "a file was left at " << sys.files.begin()->first;
    }
};
