// Requests at the limits of what can be written exactly: those within are written where they say;
// the others are refused by the rule that names what is wrong, before any file is touched, and before
// the file system is asked anything when the request alone shows it.
#include "lnk_test_support.h"

using Refusals = LnkTest;

TEST_F(Refusals, RequestsAtTheLimitsOfWhatCanBeWrittenExactly) {
    const std::u16string b = u"C:\\A\\B.EXE", out = u"C:\\out.lnk";
    const std::u16string longestLink = u"C:\\A\\" + std::u16string(250, u'n') + u".lnk";  // 259 characters
    // 255 bytes fit the 256-byte short-path buffer with their NUL.
    const std::u16string fits = u"C:\\A\\" + std::u16string(246, u'n') + u".exe";
    const std::u16string longestTarget = u"C:\\A\\" + std::u16string(250, u'n') + u".exe";  // 259 characters
    const std::u16string existing[] = {fits, fits + u"n", u"a:\\Users\\a.b\\app.exe", u"Z:\\Tools\\app.tar.gz",
                                       u"C:\\Tools\\app", u"C:\\setup.exe", u"C:\\A\\other.lnk", u"C:\\A\\B.lnk"};
    for (const std::u16string& path : existing) sys.Add(path, 0x20, 1);
    sys.Add(longestTarget, 0x20, 1, u"C:\\A\\NNNNNN~1.EXE");
    // The same file by another spelling, by a hard link (the same id, another final path), through a file
    // system that gives no id, and one that cannot be opened to be asked.
    const FakeNode same = sys.nodes["C:\\A\\B.lnk"];
    sys.nodes["C:\\a\\B~1.LNK"] = sys.nodes["C:\\A\\hard.lnk"] = sys.nodes["C:\\A\\B.LNK"] = sys.nodes["C:\\A\\shut.lnk"] = same;
    sys.nodes["C:\\A\\hard.lnk"].finalPath = u"C:\\A\\hard.lnk";
    sys.nodes["C:\\A\\B.LNK"].fileIndex = 0;
    sys.nodes["C:\\A\\shut.lnk"].opens = false;
    // File systems whose ids tell nothing (0 for every file on a share), or need 128 bits (ReFS); files
    // made at the same time, which only their ids or final paths tell apart.
    for (const std::u16string path : {u"C:\\S\\t.exe", u"C:\\S\\other.lnk", u"C:\\S\\lost.lnk", u"C:\\R\\t.exe",
                                      u"C:\\R\\other.lnk", u"D:\\R\\t.lnk"}) {
        sys.Add(path, 0x20, 1);
        FakeNode& node = sys.nodes[FakeAnsi(path)];
        node.fileIndex = path[3] == u'S' ? 0 : 7;
        node.creationTime = 1;
    }
    sys.nodes["C:\\S\\lost.lnk"].finalPath.clear();  // and its final path cannot be read
    sys.nodes["C:\\s\\T~1.EXE"] = sys.nodes["C:\\S\\t.exe"];
    sys.nodes["C:\\R\\t.exe"].fileIdHigh = sys.nodes["D:\\R\\t.lnk"].fileIdHigh = 1;  // the same id on another volume
    sys.nodes["C:\\R\\other.lnk"].fileIdHigh = 2;
    sys.Add(u"C:\\Tools", 0x10);
    const std::pair<std::u16string, uint32_t> neverReplaced[] = {{u"C:\\read-only.lnk", 0x01}, {u"C:\\hidden.lnk", 0x02},
        {u"C:\\system.lnk", 0x04}, {u"C:\\read-only archive.lnk", 0x21}, {u"C:\\folder.lnk", 0x10}};
    for (const auto& [path, attributes] : neverReplaced) sys.Add(path, attributes);

    // Each rule with the requests it refuses. The request alone decides the first six: CheckRequest
    // refuses them without any system and lets the others through; those are refused before a file is
    // touched, and where a string has no exact ANSI form, before the file system is asked anything.
    const std::pair<Refusal, std::vector<ShortcutRequest>> refused[] = {
        // Not a path on a drive letter, or one the system would read as another; names ending in dots or
        // blanks, which the file system drops.
        {Refusal::kTargetNotOnDrive,
         {Request(u""), Request(u"B.EXE"), Request(u"A\\B.EXE"), Request(u"C:B.EXE"), Request(u"C:"),
          Request(u"\\\\server\\share\\B.EXE"), Request(u"\\A\\B.EXE"), Request(u"1:\\A\\B.EXE"),
          Request(u"{:\\A\\B.EXE"), Request(u"C:\\A\\\\B.EXE"), Request(u"C:\\\\A\\B.EXE"), Request(u"C:/A/B.EXE"),
          Request(u"C:\\A/B.EXE"), Request(u"C:\\A\\..\\A\\B.EXE"), Request(u"C:\\.\\A\\B.EXE"), Request(u"C:\\A\\."),
          Request(std::u16string(u"C:\\A\\B.EXE\0x", 12)), Request(u"C:\\A\\B.EXE:x"), Request(u"C:\\A\\B.EXE::$DATA"),
          Request(u"C:\\A.\\B.EXE"), Request(u"C:\\A\\B.EXE."), Request(u"C:\\A\\B.EXE "), Request(u"C:\\A \\B.EXE")}},
        {Refusal::kTargetTooLong, {Request(u"C:\\A\\" + std::u16string(251, u'n') + u".exe")}},  // 260 characters
        {Refusal::kShortcutNameEndsInDotOrBlank,
         {Request(b, u"C:\\out.lnk."), Request(b, u"C:\\out.lnk . "), Request(b, u"C:\\dir.\\out.lnk"),
          Request(b, u"C:/dir /out.lnk"), Request(b, u"a.\\out.lnk")}},
        // 260 characters, with a NUL or with a colon that names a stream of a file.
        {Refusal::kShortcutPathTooLong, {Request(b, u"C:\\A\\n" + longestLink.substr(5))}},
        {Refusal::kShortcutPathHasNul, {Request(b, std::u16string(u"C:\\o\0.lnk", 9))}},
        {Refusal::kShortcutPathHasStream,
         {Request(b, u"C:\\A\\B.EXE:x.lnk"), Request(b, u"C:\\A\\B.EXE::$DATA"), Request(b, u"\\\\?\\C:\\A:x.lnk")}},
        // Characters without an ANSI form, refused rather than replaced by a look-alike; strings of more
        // than 32,767 ANSI bytes (16,384 double-byte characters are 32,768).
        {Refusal::kNoExactAnsiForm,
         {Request(u"C:\\café.exe"), Request(b, out, u"naïve"), Request(b, out, std::u16string(32768, u'x')),
          Request(b, out, std::u16string(16384, u'あ')), Request(b, u"C:\\café.lnk")}},
        // A missing target, or one whose short path takes 256 bytes; a file named as a folder; a folder
        // without a shortcut path.
        {Refusal::kTargetNotFound, {Request(u"C:\\A\\missing.exe"), Request(fits + u"n")}},
        {Refusal::kTargetUnreadable, {Request(u"C:\\A\\B.EXE\\")}},
        {Refusal::kNoShortcutPath, {Request(u"C:\\Tools", u"")}},
        // A shortcut path that is the target itself, by any spelling; the default one is too.
        {Refusal::kShortcutIsTheTarget,
         {Request(u"C:\\A\\B.lnk", u""), Request(u"C:\\A\\B.lnk", u"C:\\A\\B.lnk"),
          Request(u"C:\\A\\B.lnk", u"C:\\a\\B~1.LNK"), Request(u"C:\\A\\B.lnk", u"C:\\A\\hard.lnk"),
          Request(u"C:\\A\\B.lnk", u"C:\\A\\B.LNK"), Request(u"C:\\A\\B.lnk", u"C:\\A\\shut.lnk"),
          Request(u"C:\\S\\t.exe", u"C:\\s\\T~1.EXE"), Request(u"C:\\S\\t.exe", u"C:\\S\\lost.lnk")}},
        // A shortcut that is read-only, hidden, system or a folder.
        {Refusal::kShortcutNeverReplaced,
         {Request(b, u"C:\\read-only.lnk"), Request(b, u"C:\\hidden.lnk"), Request(b, u"C:\\system.lnk"),
          Request(b, u"C:\\read-only archive.lnk"), Request(b, u"C:\\folder.lnk")}},
    };
    for (size_t i = 0; i < std::size(refused); ++i) {
        const auto& [rule, requests] = refused[i];
        for (const ShortcutRequest& r : requests) {
            SCOPED_TRACE(testing::PrintToString(r.targetPath) + " -> " + testing::PrintToString(r.linkPath));
            sys.queries = 0;
            EXPECT_EQ(CheckRequest(r), i < 6 ? rule : Refusal::kNone);
            EXPECT_EQ(WriteShortcut(os, r), rule);
            EXPECT_TRUE(sys.files.empty() && sys.calls[kFailOpen] == 0) << "a file was touched";
            EXPECT_TRUE(rule != Refusal::kNoExactAnsiForm || sys.queries == 0) << "the file system was asked";
        }
    }
    const std::pair<ShortcutRequest, std::string> written[] = {
        // Beside the target, its name cut at the first dot; on drives a and Z too.
        {Request(u"a:\\Users\\a.b\\app.exe", u""), "a:\\Users\\a.b\\app.lnk"},
        {Request(u"Z:\\Tools\\app.tar.gz", u""), "Z:\\Tools\\app.lnk"},
        {Request(u"C:\\Tools\\app", u""), "C:\\Tools\\app.lnk"}, {Request(u"C:\\setup.exe", u""), "C:\\setup.lnk"},
        {Request(b, u"C:\\A\\name"), "C:\\A\\name"}, {Request(b, u"C:\\A\\..\\out.lnk"), "C:\\A\\..\\out.lnk"},
        {Request(b, longestLink), FakeAnsi(longestLink)}, {Request(fits), "C:\\out.lnk"}, {Request(longestTarget), "C:\\out.lnk"},
        {Request(b, u"\\\\?\\C:\\A\\x.lnk"), "\\\\?\\C:\\A\\x.lnk"}, {Request(b, out, std::u16string(32767, u'x')), "C:\\out.lnk"},
        {Request(u"C:\\A\\B.lnk", u"C:\\A\\other.lnk"), "C:\\A\\other.lnk"},  // another file there is replaced
        {Request(u"C:\\S\\t.exe", u"C:\\S\\other.lnk"), "C:\\S\\other.lnk"},
        {Request(u"C:\\R\\t.exe", u"C:\\R\\other.lnk"), "C:\\R\\other.lnk"},
        {Request(u"C:\\R\\t.exe", u"D:\\R\\t.lnk"), "D:\\R\\t.lnk"},
    };
    for (const auto& [request, path] : written) {
        sys.files.clear();
        EXPECT_EQ(Build(request), kBuildSucceeded) << path;
        EXPECT_EQ(sys.files.size() == 1 ? sys.files.begin()->first : "", path);
    }
}
