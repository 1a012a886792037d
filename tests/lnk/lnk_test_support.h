// The fixture shared by the writer's tests: a fake system in place, a standard target (the default
// request's), and the written file parsed by the strict reader.
#pragma once

#include <gtest/gtest.h>

#include "fake_system.h"
#include "lnk/shortcut_builder.h"
#include "lnk_reader.h"
#include "request.h"

// The shortcut of the standard request (C:\A\B.EXE, written to C:\out.lnk), byte for byte.
inline const std::vector<uint8_t> kWorkedExample = Hex(
    // ShellLinkHeader
    "4C 00 00 00  01 14 02 00 00 00 00 00 C0 00 00 00 00 00 00 46  03 00 00 00  20 00 00 00 "
    "34 12 EF BE 0D F0 D9 01  34 12 EF BE 0D F0 D9 01  34 12 EF BE 0D F0 D9 01 "
    "E8 03 00 00  00 00 00 00  01 00 00 00  00 00  00 00  00 00 00 00  00 00 00 00 "
    // IDListSize 91, root, drive, folder, file, TerminalID
    "5B 00 "
    "14 00 1F 50 E0 4F D0 20 EA 3A 69 10 A2 D8 08 00 2B 30 30 9D "
    "19 00 23 43 3A 5C 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "12 00 31 00 00 00 00 00 00 00 00 00 10 00 41 00 41 00 "
    "1A 00 32 00 E8 03 00 00 00 00 00 00 20 00 42 2E 45 58 45 00 42 2E 45 58 45 00 "
    "00 00 "
    // LinkInfo: header, VolumeID with label DATA, LocalBasePath, CommonPathSuffix
    "3D 00 00 00  1C 00 00 00  01 00 00 00  1C 00 00 00  31 00 00 00  00 00 00 00  3C 00 00 00 "
    "15 00 00 00  03 00 00 00  4D 3C 2B 1A  10 00 00 00  44 41 54 41 00 "
    "43 3A 5C 41 5C 42 2E 45 58 45 00  00 "
    // TerminalBlock
    "00 00 00 00");

class LnkTest : public ::testing::Test {
protected:
    FakeSystem sys;
    const LnkPlatform& os = FakePlatformOf(sys);

    // C:\A\B.EXE, 1,000 bytes, on a fixed disk labelled "DATA".
    void SetUp() override {
        sys.volumes["C:\\"] = {"DATA", 0x1A2B3C4D};
        sys.Add(u"C:\\A", 0x10);
        sys.Add(u"C:\\A\\B.EXE", 0x20, 1000);
    }
    void TearDown() override { EXPECT_EQ(sys.handles, 0) << "a file was left open"; }

    int16_t Build(const ShortcutRequest& r) const { return BuildShortcut(os, r); }

    // Builds, expects success and returns the written file, checked by the strict reader.
    ParsedLink BuildAndParse(const ShortcutRequest& r) {
        EXPECT_EQ(Build(r), kBuildSucceeded);
        return ParseLink(sys.files[FakeAnsi(r.linkPath)]);
    }
};
