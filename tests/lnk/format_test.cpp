// The bytes of written shortcuts, each field's rule (the worked example, byte for byte, is checked by the
// file write's tests): the four strings (their flags, file order and byte counts), hotkey, icon index and
// show command; the drive item, drive type, serial and label, the items after it (long and short names,
// attributes, sizes, the CP932 trail byte 0x5C, sizes beyond 4 GiB) and the local path.
#include <sstream>

#include "lnk_test_support.h"

using Format = LnkTest;

TEST_F(Format, RequestsStringsHotKeyIconIndexAndShowCommandAreWrittenAsGiven) {
    const std::pair<std::u16string ShortcutRequest::*, uint32_t> fields[] = {
        {&ShortcutRequest::comment, 0x04}, {&ShortcutRequest::workingFolder, 0x10},
        {&ShortcutRequest::arguments, 0x20}, {&ShortcutRequest::iconFile, 0x40}};
    for (const auto& [field, flag] : fields) {
        // Hot key: the key's low byte, with Ctrl and Alt. Icon index: without an icon file too.
        ShortcutRequest r = Request();
        std::tie(r.iconIndex, r.hotKeyCode, r.showCommand) = std::make_tuple(-3, 0x17A, 3);
        // GCC 12 warns here that std::u16string's copy of the literal may overlap itself, which it cannot
        // (a false -Wrestrict of that compiler's inlined basic_string code).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
        r.*field = u" ";  // a blank counts as present
#pragma GCC diagnostic pop
        const ParsedLink link = BuildAndParse(r);
        EXPECT_EQ(std::tie(link.linkFlags, link.strings, link.hotKey, link.iconIndex, link.showCommand),
                  std::make_tuple(0x3 | flag, std::vector<std::string>{" "}, 0x067A, -3, 3));
    }
    // All four, in file order; the comment's count is in bytes: 6.
    ShortcutRequest all = Request(u"C:\\A\\B.EXE", u"C:\\out.lnk", u"-x");
    std::tie(all.workingFolder, all.iconFile, all.comment) = std::make_tuple(u"C:\\A\\", u"C:\\icons.dll", u"あいう");
    const ParsedLink link = BuildAndParse(all);
    EXPECT_EQ(link.strings, (std::vector<std::string>{"\x82\xA0\x82\xA2\x82\xA4", "C:\\A\\", "-x", "C:\\icons.dll"}));
}

// The drive (its item's type, its type, serial and label), each item after the drive's (type,
// long/short name, attributes, size), the header's attributes and size, and the local path.
TEST_F(Format, DriveItemsAndSizesOfTargets) {
    sys.driveTypes = {{"D:\\", 2}, {"E:\\", 5}, {"F:\\", 6}};  // their volume queries fail
    sys.Add(u"D:\\", 0x16);
    sys.Add(u"E:\\X.EXE", 0x20, 5);
    sys.Add(u"F:\\Tools", 0x10, 4096);  // a size the system reports for the folder itself
    sys.Add(u"C:\\A\\Program Files", 0x11);  // a folder below another
    sys.Add(u"C:\\A\\Program Files\\My Tool.exe", 0x21, 10, u"C:\\A\\PROGRA~1\\MYTOOL~1.EXE");
    // ソ is 83 5C and 表 is 95 5C: their second byte is a backslash. Sizes keep their low 32 bits, and
    // items' attributes their low 16.
    sys.Add(u"C:\\ソ\\表.exe", 0x00080020, 0x123456789);
    const std::pair<std::u16string, std::string> targets[] = {
        {u"D:\\", "29 2 ffffffff [], 16 0 D:\\"},
        {u"E:\\X.EXE", "25 5 ffffffff [], 32 X.EXE/X.EXE 20 5, 20 5 E:\\X.EXE"},
        {u"F:\\Tools\\", "23 6 ffffffff [], 31 Tools/Tools 10 0, 10 0 F:\\Tools\\"},
        {u"C:\\A\\Program Files\\My Tool.exe", "23 3 1a2b3c4d [DATA], 31 A/A 10 0, 31 Program Files/PROGRA~1 11 0, "
                                               "32 My Tool.exe/MYTOOL~1.EXE 21 a, 21 a C:\\A\\Program Files\\My Tool.exe"},
        // The folder ソ cannot be queried, though the target resolves: a folder item.
        {u"C:\\ソ\\表.exe", "23 3 1a2b3c4d [DATA], 31 \x83\\/\x83\\ ffff 0, 32 \x95\\.exe/\x95\\.exe 20 23456789, "
                          "80020 23456789 C:\\\x83\\\\\x95\\.exe"},
    };
    for (const auto& [target, expected] : targets) {
        const ParsedLink link = BuildAndParse(Request(target));
        std::ostringstream summary;
        summary << std::hex << +link.items.at(0).type << ' ' << link.driveType << ' ' << link.driveSerialNumber << " ["
                << link.volumeLabel << "], ";
        for (auto item = link.items.begin() + 1; item != link.items.end(); ++item) {
            summary << +item->type << ' ' << item->longName << '/' << item->shortName << ' ' << item->attributes << ' '
                    << item->fileSize << ", ";
        }
        summary << link.fileAttributes << ' ' << link.fileSize << ' ' << link.localBasePath;
        EXPECT_EQ(summary.str(), expected);
    }
}
