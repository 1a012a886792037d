// The file write: blocks at their positions, the temporary file beside the shortcut, the replace or
// the write in place, and what is left after a fault at any step.
#include "lnk/output_file.h"
#include "lnk_test_support.h"

using Blocks = LnkTest;

TEST_F(Blocks, WriteBytesAtPlacesTheBytesAndReportsFailures) {
    const uint8_t bytes[] = {1, 2, 3};
    EXPECT_EQ(WriteBytesAt("C:\\f", bytes, 2, 1, 1), 2);  // bytes 2 and 3 at position 1 of a new file
    EXPECT_EQ(sys.files["C:\\f"], (std::vector<uint8_t>{0, 2, 3}));
    sys.faultAt[kFailOpen] = 2;
    sys.faultAt[kFailSeek] = 3;
    EXPECT_EQ(WriteBytesAt("C:\\f", bytes, 2, 0, 1), -1);
    EXPECT_EQ(WriteBytesAt("C:\\f", bytes, 2, 0, 1), 0);
}

TEST_F(Blocks, TemporaryNameNeverTakesAnExistingFile) {
    for (int taken = 1; taken <= 100; ++taken) sys.nodes["C:\\~vantorelle-4242-" + std::to_string(taken) + ".tmp"];
    EXPECT_EQ(BuildShortcut(Request()), kBuildFailed);  // a hundred names are tried
    sys.nodes.erase("C:\\~vantorelle-4242-100.tmp");
    EXPECT_EQ(BuildShortcut(Request()), kBuildSucceeded);  // the hundredth is free
}

TEST_F(Blocks, ReplaceIsTriedForAQuarterSecondThenTheShortcutIsWrittenInPlace) {
    for (int failures : {3, 1000}) {  // another program holds the shortcut open for a moment, or on
        sys.files["C:\\out.lnk"] = std::vector<uint8_t>(4000, 0xAA);
        sys.replaceFailures = failures;
        sys.renames = sys.pausedMs = 0;
        ASSERT_EQ(BuildShortcut(Request()), kBuildSucceeded);
        // The new shortcut, and no temporary file left.
        EXPECT_EQ(sys.files, (std::map<std::string, std::vector<uint8_t>>{{"C:\\out.lnk", kWorkedExample}}));
        EXPECT_EQ(sys.renames, std::min(failures + 1, 25));
        EXPECT_EQ(sys.pausedMs, 10 * std::min(failures, 24));
    }
}

// A fault at any step of any open, with an existing shortcut of known bytes: the shortcut stays byte
// for byte as it was, no temporary file is left, and nothing is opened after the fault.
TEST_F(Blocks, FaultAtAnyStepKeepsTheOldShortcut) {
    const std::vector<uint8_t> old = {'o', 'l', 'd', 0, 0xFF};
    for (int step = kFailOpen; step < kFakeSteps; ++step) {
        for (int k = step == kFailSeek ? 2 : 1; k <= 10; ++k) {  // block 1 is not placed by a seek
            if (k == 9 && step != kFailOpen) continue;  // the read-back only reads; its close is not checked
            SCOPED_TRACE("fault " + std::to_string(step) + " at open " + std::to_string(k));
            sys = FakeSystem();
            SetUp();
            sys.files["C:\\out.lnk"] = old;
            sys.replaceFailures = 1000;  // 10: written in place
            sys.faultAt[step] = k;
            // But a close that fails after the write in place loses nothing: its bytes were flushed and read back.
            const bool written = step == kFailClose && k == 10;
            EXPECT_EQ(BuildShortcut(Request()), written ? kBuildSucceeded : kBuildFailed);
            const std::vector<uint8_t>& kept = written ? kWorkedExample : old;
            EXPECT_EQ(sys.files, (std::map<std::string, std::vector<uint8_t>>{{"C:\\out.lnk", kept}}));
            // A write that stores another byte than asked is found by the read-back, after all eight.
            EXPECT_EQ(sys.opens, step == kAlterWrite && k < 9 ? 9 : k);
        }
    }
}
