// Requests that cannot be written exactly: refused with result 0 before any file is touched.
#include "lnk_test_support.h"

using Refusals = LnkTest;

TEST_F(Refusals, TargetsNotOnADriveLetterAreRefusedBeforeAnyQuery) {
    for (const std::u16string& target : std::vector<std::u16string>{
             u"", u"B.EXE", u"A\\B.EXE", u"C:B.EXE", u"C:", u"\\\\server\\share\\B.EXE", u"\\A\\B.EXE", u"1:\\A\\B.EXE",
          u"C:\\A\\\\B.EXE", u"C:\\\\A\\B.EXE", u"C:/A/B.EXE", u"C:\\A/B.EXE", u"C:\\A\\..\\A\\B.EXE", u"C:\\.\\A\\B.EXE",
          u"C:\\A\\.", std::u16string(u"C:\\A\\B.EXE\0x", 12)}) {
        sys.Add(target.empty() ? u"x" : target, 0x20, 1);  // even when the system would resolve it
        ExpectFailsWithoutFile(Request(target));
        EXPECT_EQ(sys.queries, 0) << "the file system was asked about " << FakeAnsi(target);
    }
}

TEST_F(Refusals, NamesEndingInDotsOrBlanksAreRefusedBeforeAnyQuery) {
    // The file system would drop the dots and blanks and so name another file.
    for (const std::u16string target : {u"C:\\A.\\B.EXE", u"C:\\A\\B.EXE.", u"C:\\A\\B.EXE ", u"C:\\A \\B.EXE"}) {
        ExpectFailsWithoutFile(Request(target));
        EXPECT_EQ(sys.queries, 0);
    }
    for (const std::u16string link : {u"C:\\out.lnk.", u"C:\\out.lnk . ", u"C:\\dir.\\out.lnk", u"C:/dir /out.lnk"}) {
        ExpectFailsWithoutFile(Request(u"C:\\A\\B.EXE", link));
        EXPECT_TRUE(sys.opens.empty());
    }
    EXPECT_EQ(BuildShortcut(Request(u"C:\\A\\B.EXE", u"C:\\A\\..\\out.lnk")), kBuildSucceeded);
}

TEST_F(Refusals, MissingTargetTouchesNoFile) {
    ExpectFailsWithoutFile(Request(u"C:\\A\\missing.exe"));
    ExpectFailsWithoutFile(Request(u"C:\\A\\B.EXE\\"));  // a file named as a folder: no attributes
    EXPECT_TRUE(sys.opens.empty());
}

TEST_F(Refusals, ShortcutPathThatIsTheTargetItself) {
    sys.Add(u"C:\\A\\B.lnk", 0x20, 10);
    sys.nodes["C:\\a\\B~1.LNK"] = sys.nodes["C:\\A\\B.lnk"];  // the same file by another spelling
    for (const std::u16string link : {u"", u"C:\\A\\B.lnk", u"C:\\a\\B~1.LNK"}) {
        ExpectFailsWithoutFile(Request(u"C:\\A\\B.lnk", link));  // the default path is the target too
    }
    EXPECT_TRUE(sys.opens.empty());
    sys.Add(u"C:\\A\\other.lnk", 0x20, 1);  // another file there is replaced
    EXPECT_EQ(BuildShortcut(Request(u"C:\\A\\B.lnk", u"C:\\A\\other.lnk")), kBuildSucceeded);
}

TEST_F(Refusals, ShortcutPathsUpTo259Characters) {
    const std::u16string longest = u"C:\\A\\" + std::u16string(259 - 5 - 4, u'n') + u".lnk";
    EXPECT_EQ(BuildShortcut(Request(u"C:\\A\\B.EXE", longest)), kBuildSucceeded);
    sys.files.clear();
    ExpectFailsWithoutFile(Request(u"C:\\A\\B.EXE", u"C:\\A\\n" + longest.substr(5)));
}

TEST_F(Refusals, CharactersWithoutAnAnsiFormAreRefusedNotSubstituted) {
    sys.Add(u"C:\\cafe.exe", 0x20, 1);  // the look-alike that a best-fit conversion would name
    ExpectFailsWithoutFile(Request(u"C:\\café.exe"));
    ExpectFailsWithoutFile(Request(u"C:\\A\\B.EXE", u"C:\\café.lnk"));
    ShortcutRequest r = Request();
    r.comment = u"naïve";
    ExpectFailsWithoutFile(r);
    EXPECT_TRUE(sys.opens.empty());
}

TEST_F(Refusals, StringsLongerThan32767AnsiBytes) {
    ShortcutRequest r = Request();
    r.arguments = std::u16string(32767, u'x');
    ParsedLink longest = BuildAndParse(r);
    ASSERT_EQ(longest.strings.size(), 1u);
    EXPECT_EQ(longest.strings[0].size(), 32767u);

    sys.files.clear();
    r.arguments.push_back(u'x');
    ExpectFailsWithoutFile(r);
    r.arguments.clear();
    r.comment = std::u16string(16384, u'あ');  // 16,384 characters, 32,768 bytes
    ExpectFailsWithoutFile(r);
    r.comment.pop_back();
    EXPECT_EQ(BuildShortcut(r), kBuildSucceeded);
}

TEST_F(Refusals, ShortPathMustFitItsBuffer) {
    // A path of 255 bytes fits the 256-byte buffer with its NUL; one of 256 does not.
    const std::u16string folder = u"C:\\A\\";
    const std::u16string fits = folder + std::u16string(255 - folder.size() - 4, u'n') + u".exe";
    const std::u16string tooLong = folder + std::u16string(256 - folder.size() - 4, u'n') + u".exe";
    sys.Add(fits, 0x20, 1);
    sys.Add(tooLong, 0x20, 1);
    EXPECT_EQ(BuildShortcut(Request(fits)), kBuildSucceeded);
    sys.files.clear();
    ExpectFailsWithoutFile(Request(tooLong));
    EXPECT_EQ(sys.opens.size(), 8u);  // only the first build opened anything
}
