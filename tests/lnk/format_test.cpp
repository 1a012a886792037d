// The bytes of written shortcuts: the worked example byte for byte, and each field's rule.
#include <sstream>

#include "lnk_test_support.h"

using Format = LnkTest;

TEST_F(Format, WorkedExampleIsByteExact) {
    ASSERT_EQ(BuildShortcut(Request()), kBuildSucceeded);
    EXPECT_EQ(sys.files["C:\\out.lnk"], Hex(
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
        "00 00 00 00"));
}

TEST_F(Format, RequestsStringsHotKeyIconIndexAndShowCommandAreWrittenAsGiven) {
    const std::tuple<std::u16string ShortcutRequest::*, uint32_t, std::u16string> fields[] = {
        {&ShortcutRequest::comment, 0x04, u"あいう"}, {&ShortcutRequest::workingFolder, 0x10, u"C:\\A\\"},
        {&ShortcutRequest::arguments, 0x20, u"-x"}, {&ShortcutRequest::iconFile, 0x40, u"C:\\icons.dll"}};
    ShortcutRequest all = Request();
    for (const auto& [field, flag, text] : fields) {
        // Hot key: the key's low byte, with Ctrl and Alt. Icon index: without an icon file too.
        ShortcutRequest r{u"C:\\A\\B.EXE", u"C:\\out.lnk", u"", u"", u"", -3, 0x17A, 3, u""};
        (r.*field).push_back(u' ');  // a blank counts as present
        const ParsedLink link = BuildAndParse(r);
        EXPECT_EQ(std::tie(link.linkFlags, link.strings, link.hotKey, link.iconIndex, link.showCommand),
                  std::make_tuple(0x3 | flag, std::vector<std::string>{" "}, 0x067A, -3, 3));
        all.*field = text;
    }
    const ParsedLink link = BuildAndParse(all);
    EXPECT_EQ(link.linkFlags, 0x77u);  // the comment's count is in bytes: 6
    EXPECT_EQ(link.strings, (std::vector<std::string>{"\x82\xA0\x82\xA2\x82\xA4", "C:\\A\\", "-x", "C:\\icons.dll"}));
}

// The drive (its item's type, its type, serial and label), each item after the drive's (type,
// long/short name, attributes, size), the header's attributes and size, and the local path.
TEST_F(Format, DriveItemsAndSizesOfTargets) {
    sys.driveTypes = {{"D:\\", 2}, {"E:\\", 5}, {"F:\\", 6}};  // their volume queries fail
    sys.Add(u"D:\\", 0x16);
    sys.Add(u"E:\\X.EXE", 0x20, 5);
    sys.Add(u"F:\\Tools", 0x10, 4096);  // a size the system reports for the folder itself
    sys.Add(u"C:\\Program Files", 0x11);
    sys.Add(u"C:\\Program Files\\My Tool.exe", 0x21, 10, u"C:\\PROGRA~1\\MYTOOL~1.EXE");
    sys.Add(u"C:\\ソ", 0x10);  // ソ is 83 5C and 表 is 95 5C: their second byte is a backslash
    sys.Add(u"C:\\ソ\\表.exe", 0x20, 7);
    // Sizes keep their low 32 bits, and items' attributes their low 16.
    sys.Add(u"C:\\Big\\B.EXE", 0x00080020, 0x123456789);
    const std::pair<std::u16string, std::string> targets[] = {
        {u"D:\\", "29 2 ffffffff [], 16 0 D:\\"},
        {u"E:\\X.EXE", "25 5 ffffffff [], 32 X.EXE/X.EXE 20 5, 20 5 E:\\X.EXE"},
        {u"F:\\Tools\\", "23 6 ffffffff [], 31 Tools/Tools 10 0, 10 0 F:\\Tools\\"},
        {u"C:\\Program Files\\My Tool.exe", "23 3 1a2b3c4d [DATA], 31 Program Files/PROGRA~1 11 0, "
                                            "32 My Tool.exe/MYTOOL~1.EXE 21 a, 21 a C:\\Program Files\\My Tool.exe"},
        {u"C:\\ソ\\表.exe",
         "23 3 1a2b3c4d [DATA], 31 \x83\\/\x83\\ 10 0, 32 \x95\\.exe/\x95\\.exe 20 7, 20 7 C:\\\x83\\\\\x95\\.exe"},
        // The folder cannot be queried, though the target resolves: a folder item.
        {u"C:\\Big\\B.EXE",
         "23 3 1a2b3c4d [DATA], 31 Big/Big ffff 0, 32 B.EXE/B.EXE 20 23456789, 80020 23456789 C:\\Big\\B.EXE"},
    };
    for (const auto& [target, expected] : targets) {
        const ParsedLink link = BuildAndParse(Request(target));
        std::ostringstream summary;
        summary << std::hex << +link.items.at(0).type << ' ' << link.driveType << ' ' << link.driveSerialNumber << " ["
                << link.volumeLabel << "], ";
        for (size_t i = 1; i < link.items.size(); ++i) {
            const ParsedItem& item = link.items[i];
            summary << +item.type << ' ' << item.longName << '/' << item.shortName << ' ' << item.attributes << ' '
                    << item.fileSize << ", ";
        }
        summary << link.fileAttributes << ' ' << link.fileSize << ' ' << link.localBasePath;
        EXPECT_EQ(summary.str(), expected);
    }
}
