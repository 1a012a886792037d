// The file write: the temporary file beside the shortcut, the replace or the write in place (the
// shortcut written byte for byte the worked example), and what is left after a fault at any step.
#include "lnk_test_support.h"

using Blocks = LnkTest;

TEST_F(Blocks, TemporaryNameNeverTakesAnExistingFile) {
    for (int taken = 1; taken <= 100; ++taken) sys.nodes["C:\\~vantorelle-4242-" + std::to_string(taken) + ".tmp"];
    EXPECT_EQ(Build(Request()), kBuildFailed);  // a hundred names are tried
    sys.nodes.erase("C:\\~vantorelle-4242-100.tmp");
    EXPECT_EQ(Build(Request()), kBuildSucceeded);  // the hundredth is free
}

TEST_F(Blocks, ReplaceIsTriedForAQuarterSecondThenTheShortcutIsWrittenInPlace) {
    for (int failures : {3, 1000}) {  // another program holds the shortcut open for a moment, or on
        sys.files["C:\\out.lnk"] = std::vector<uint8_t>(4000, 0xAA);
        sys.replaceFailures = failures;
        sys.renames = sys.pausedMs = sys.calls[kFailOpen] = 0;
        ASSERT_EQ(Build(Request()), kBuildSucceeded);
        // The new shortcut, byte for byte, and no temporary file left.
        EXPECT_EQ(sys.files, (std::map<std::string, std::vector<uint8_t>>{{"C:\\out.lnk", kWorkedExample}}));
        // Renames asked, opens (a second one: the shortcut opened in place) and pauses.
        EXPECT_EQ(std::tie(sys.renames, sys.calls[kFailOpen], sys.pausedMs),
                  std::make_tuple(std::min(failures + 1, 25), failures < 25 ? 1 : 2, 10 * std::min(failures, 24)));
    }
}

// A fault at any call of any step, with an existing shortcut of known bytes that can only be written
// in place: the shortcut stays byte for byte as it was, no temporary file is left and no file open.
TEST_F(Blocks, FaultAtAnyStepKeepsTheOldShortcut) {
    const std::vector<uint8_t> old = {'o', 'l', 'd', 0, 0xFF};
    sys.files["C:\\out.lnk"] = old;
    sys.replaceFailures = 1000;
    const FakeSystem start = sys;
    ASSERT_EQ(Build(Request()), kBuildSucceeded);
    const std::vector<int> calls(sys.calls, sys.calls + kFakeSteps);  // of the temporary file, then in place
    for (int step = kFailOpen; step < kFakeSteps; ++step) {
        for (int k = 1; k <= calls[step]; ++k) {
            SCOPED_TRACE(std::string(kFakeStepNames[step]) + " fails at call " + std::to_string(k));
            sys = start;
            sys.faultAt[step] = k;
            // A close that fails loses nothing: what it closes was flushed and read back.
            const bool written = step == kFailClose;
            EXPECT_EQ(Build(Request()), written ? kBuildSucceeded : kBuildFailed);
            const std::vector<uint8_t>& kept = written ? kWorkedExample : old;
            EXPECT_EQ(sys.files, (std::map<std::string, std::vector<uint8_t>>{{"C:\\out.lnk", kept}}));
            EXPECT_EQ(sys.handles, 0) << "a file was left open";
        }
    }
}
