// The eight blocks on disk: where each lands and how the file is opened, replacing an existing file,
// the default shortcut path, and what is left after a fault at any block.
#include "lnk/output_file.h"
#include "lnk/shortcut_file.h"
#include "lnk_test_support.h"

using Blocks = LnkTest;

TEST_F(Blocks, EightBlocksAtTheirPositionsWithTheirOpenModes) {
    ShortcutRequest r = Request();
    r.comment = u"c";
    r.arguments = u"args";
    ParsedLink link = BuildAndParse(r);
    const uint32_t idl = link.idListSize, lis = link.linkInfoSize;
    struct Expected {
        bool create;
        int64_t seek;
        uint32_t length;
    };
    const Expected expected[] = {
        {true, -1, 76},                          // header
        {false, 76, 2},                          // IDListSize
        {false, 78, 20},                         // root item
        {false, 98, idl - 22},                   // items
        {false, 76 + idl, 2},                    // TerminalID
        {false, 78 + idl, 28},                   // LinkInfo header
        {false, 106 + idl, lis - 28},            // LinkInfo body
        {false, 78 + idl + lis, (2 + 1) + (2 + 4) + 4},  // strings and TerminalBlock
    };
    ASSERT_EQ(sys.opens.size(), 8u);
    for (size_t k = 0; k < 8; ++k) {
        SCOPED_TRACE("block " + std::to_string(k + 1));
        EXPECT_EQ(sys.opens[k].path, "C:\\~vantorelle-4242-1.tmp");  // beside the shortcut, never into it
        EXPECT_EQ(sys.opens[k].create, expected[k].create);
        EXPECT_EQ(sys.opens[k].seekTo, expected[k].seek);
        EXPECT_EQ(sys.opens[k].asked, expected[k].length);
        EXPECT_EQ(sys.opens[k].written, expected[k].length);
    }
    EXPECT_EQ(sys.File(r.linkPath).size(), 78 + idl + lis + 13);
    EXPECT_EQ(sys.replaced, std::vector<std::string>{"C:\\out.lnk"});
    EXPECT_EQ(sys.files.size(), 1u);
}

TEST_F(Blocks, ExistingLongerFileIsReplacedWithoutATrace) {
    ShortcutRequest r = Request();
    ASSERT_EQ(BuildShortcut(r), kBuildSucceeded);
    const std::vector<uint8_t> fresh = sys.File(r.linkPath);
    sys.files["C:\\out.lnk"] = std::vector<uint8_t>(4000, 0xAA);
    ASSERT_EQ(BuildShortcut(r), kBuildSucceeded);
    EXPECT_EQ(sys.File(r.linkPath), fresh);
}

TEST_F(Blocks, WriteBytesAtPositionsAndModes) {
    const uint8_t bytes[] = {1, 2, 3};
    sys.files["C:\\f"] = {9, 9, 9, 9, 9};
    EXPECT_EQ(WriteBytesAt("C:\\f", bytes, 2, 1, 3), 2);  // positioned: bytes before stay, the file grows
    EXPECT_EQ(sys.files["C:\\f"], (std::vector<uint8_t>{9, 9, 9, 2, 3}));
    EXPECT_EQ(WriteBytesAt("C:\\f", bytes, 1, 0, 0), 1);  // position 0 opens without emptying
    EXPECT_EQ(sys.files["C:\\f"], (std::vector<uint8_t>{1, 9, 9, 2, 3}));
    EXPECT_EQ(WriteBytesAt("C:\\f", bytes, 2, 0, kCreateFile), 2);  // create empties it first
    EXPECT_EQ(sys.files["C:\\f"], (std::vector<uint8_t>{1, 2}));
    sys.unopenable.insert("C:\\g");
    EXPECT_EQ(WriteBytesAt("C:\\g", bytes, 2, 0, kCreateFile), -1);
}

TEST_F(Blocks, DefaultShortcutPathIsCutAtTheFileNamesFirstDot) {
    struct Case {
        std::u16string target, expected;
    };
    for (const Case& c : {Case{u"C:\\Users\\a.b\\app.exe", u"C:\\Users\\a.b\\app.lnk"},
                          Case{u"C:\\Tools\\app.tar.gz", u"C:\\Tools\\app.lnk"},
                          Case{u"C:\\Tools\\app", u"C:\\Tools\\app.lnk"},
                          Case{u"C:\\setup.exe", u"C:\\setup.lnk"}}) {
        sys.files.clear();
        sys.Add(c.target.substr(0, c.target.rfind(u'\\')), 0x10);
        sys.Add(c.target, 0x20, 1);
        EXPECT_EQ(BuildShortcut(Request(c.target, u"")), kBuildSucceeded);
        EXPECT_TRUE(sys.Exists(c.expected)) << "no shortcut at the default path for " << FakeAnsi(c.target);
        EXPECT_EQ(sys.files.size(), 1u);
    }
}

TEST_F(Blocks, GivenShortcutPathIsUsedUnchanged) {
    ASSERT_EQ(BuildShortcut(Request(u"C:\\A\\B.EXE", u"C:\\A\\name")), kBuildSucceeded);
    EXPECT_TRUE(sys.Exists(u"C:\\A\\name"));
    EXPECT_EQ(sys.files.size(), 1u);
}

TEST_F(Blocks, FolderTargetWithoutShortcutPathWritesNothing) {
    sys.Add(u"C:\\Tools", 0x10);
    ExpectFailsWithoutFile(Request(u"C:\\Tools", u""));
    EXPECT_TRUE(sys.opens.empty());
}

// Faults at any step, with an existing shortcut of known bytes: each leaves that shortcut byte for
// byte as it was and no temporary file behind.
class Fault : public LnkTest {
protected:
    const std::vector<uint8_t> old = {'o', 'l', 'd', 0, 0xFF};

    void SetUp() override {
        LnkTest::SetUp();
        sys.files["C:\\out.lnk"] = old;
    }

    void ExpectOldShortcutKept() {
        EXPECT_EQ(BuildShortcut(Request()), kBuildFailed);
        EXPECT_EQ(sys.files, (std::map<std::string, std::vector<uint8_t>>{{"C:\\out.lnk", old}}));
        EXPECT_TRUE(sys.replaced.empty());
    }
};

// A fault at block k: the old shortcut stays and nothing is written after the fault; a write that
// stores another byte than asked is found only by the check, after all eight.
class BlockFault : public Fault, public ::testing::WithParamInterface<int> {};

TEST_P(BlockFault, LeavesTheOldShortcut) {
    const int k = GetParam();
    const struct {
        int FakeSystem::*at;
        size_t opens;
    } faults[] = {
        {&FakeSystem::failOpenAt, size_t(k - 1)}, {&FakeSystem::shortWriteAt, size_t(k)},
        {&FakeSystem::failWriteAt, size_t(k)},    {&FakeSystem::failFlushAt, size_t(k)},
        {&FakeSystem::failCloseAt, size_t(k)},    {&FakeSystem::alterWriteAt, 8},
        {&FakeSystem::failSeekAt, size_t(k)},  // blocks 2 to 8 are placed by a seek
    };
    for (const auto& f : faults) {
        if (f.at == &FakeSystem::failSeekAt && k == 1) continue;
        SCOPED_TRACE(&f - faults);
        sys = FakeSystem();
        SetUp();
        sys.*f.at = k;
        ExpectOldShortcutKept();
        EXPECT_EQ(sys.opens.size(), f.opens);
        if (f.at == &FakeSystem::failSeekAt) {
            EXPECT_EQ(sys.opens.back().asked, 0u) << "written after a failed seek";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AtEveryBlock, BlockFault, ::testing::Range(1, 9));

TEST_F(Fault, FailedReadBack) {
    sys.failReadBack = true;
    ExpectOldShortcutKept();
}

TEST_F(Fault, ShortcutThatCannotBeReplacedIsWrittenInPlace) {
    sys.replaceFailures = 1000;  // another program holds the shortcut open, letting others read and write it
    const ParsedLink link = BuildAndParse(Request());
    EXPECT_EQ(link.idListSize, 91u);
    EXPECT_EQ(sys.replaceAttempts, 25);  // tried again for a quarter of a second first
    EXPECT_EQ(sys.pauses, 24);
    EXPECT_EQ(sys.files.size(), 1u) << "the temporary file is removed";
}

TEST_F(Fault, ShortcutThatCannotBeWrittenInPlaceKeepsItsBytes) {
    sys.replaceFailures = 1000;
    sys.heldExclusively = true;  // held without sharing: it cannot be opened either
    ExpectOldShortcutKept();
    sys.heldExclusively = false;
    sys.failInPlaceWriteAt = 1;  // the new bytes fail half way: the old ones go back
    ExpectOldShortcutKept();
    EXPECT_EQ(sys.inPlaceWrites, 2);
}

TEST_F(Fault, ReplaceThatFailsForAMomentIsTriedAgain) {
    sys.replaceFailures = 3;
    EXPECT_EQ(BuildShortcut(Request()), kBuildSucceeded);
    EXPECT_EQ(sys.replaceAttempts, 4);
    EXPECT_EQ(sys.files.size(), 1u);
}

TEST_F(Fault, ReadOnlyHiddenOrSystemShortcutAndFolderAreNeverReplaced) {
    for (uint32_t attributes : {0x01u, 0x02u, 0x04u, 0x21u, 0x10u}) {
        sys.Add(u"C:\\out.lnk", attributes);
        ExpectOldShortcutKept();
        EXPECT_TRUE(sys.opens.empty()) << "attributes " << attributes;
    }
    sys.Add(u"C:\\out.lnk", 0x20);  // an ordinary archived file is replaced
    EXPECT_EQ(BuildShortcut(Request()), kBuildSucceeded);
}

TEST_F(Blocks, TemporaryNameNeverTakesAnExistingFile) {
    sys.Add(u"C:\\~vantorelle-4242-1.tmp", 0x20);
    sys.files["C:\\~vantorelle-4242-1.tmp"] = {1, 2};
    ASSERT_EQ(BuildShortcut(Request()), kBuildSucceeded);
    EXPECT_EQ(sys.opens.at(0).path, "C:\\~vantorelle-4242-2.tmp");
    EXPECT_EQ(sys.File(u"C:\\~vantorelle-4242-1.tmp"), (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(sys.files.size(), 2u);
}
