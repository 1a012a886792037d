// The bytes of written shortcuts: the worked examples byte for byte, and each field's rule.
#include "lnk_test_support.h"

using Format = LnkTest;

TEST_F(Format, WorkedExampleIsByteExact) {
    ShortcutRequest r = Request();
    ASSERT_EQ(BuildShortcut(r), kBuildSucceeded);
    const std::vector<uint8_t> expected = Hex(
        // ShellLinkHeader
        "4C 00 00 00  01 14 02 00 00 00 00 00 C0 00 00 00 00 00 00 46  03 00 00 00  20 00 00 00"
        "34 12 EF BE 0D F0 D9 01  34 12 EF BE 0D F0 D9 01  34 12 EF BE 0D F0 D9 01"
        "E8 03 00 00  00 00 00 00  01 00 00 00  00 00  00 00  00 00 00 00  00 00 00 00"
        // IDListSize 91, root, drive, folder, file, TerminalID
        "5B 00"
        "14 00 1F 50 E0 4F D0 20 EA 3A 69 10 A2 D8 08 00 2B 30 30 9D"
        "19 00 23 43 3A 5C 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
        "12 00 31 00 00 00 00 00 00 00 00 00 10 00 41 00 41 00"
        "1A 00 32 00 E8 03 00 00 00 00 00 00 20 00 42 2E 45 58 45 00 42 2E 45 58 45 00"
        "00 00"
        // LinkInfo: header, VolumeID with label DATA, LocalBasePath, CommonPathSuffix
        "3D 00 00 00  1C 00 00 00  01 00 00 00  1C 00 00 00  31 00 00 00  00 00 00 00  3C 00 00 00"
        "15 00 00 00  03 00 00 00  4D 3C 2B 1A  10 00 00 00  44 41 54 41 00"
        "43 3A 5C 41 5C 42 2E 45 58 45 00  00"
        // TerminalBlock
        "00 00 00 00");
    ASSERT_EQ(expected.size(), 234u);
    EXPECT_EQ(HexOf(sys.File(r.linkPath)), HexOf(expected));
}

TEST_F(Format, AllFourStringsSetFlags77InFileOrder) {
    ShortcutRequest r = Request();
    r.iconFile = u"C:\\icons.dll";  // filled in another order than the file's
    r.arguments = u"-x";
    r.workingFolder = u"C:\\A\\";
    r.comment = u"note";
    ParsedLink link = BuildAndParse(r);
    EXPECT_EQ(link.linkFlags, 0x77u);
    EXPECT_EQ(link.strings, (std::vector<std::string>{"note", "C:\\A\\", "-x", "C:\\icons.dll"}));
}

TEST_F(Format, EachStringSetsOnlyItsOwnFlag) {
    struct Case {
        std::u16string ShortcutRequest::*field;
        uint32_t flags;
    };
    for (const Case& c : {Case{&ShortcutRequest::comment, 0x07}, Case{&ShortcutRequest::workingFolder, 0x13},
                          Case{&ShortcutRequest::arguments, 0x23}, Case{&ShortcutRequest::iconFile, 0x43}}) {
        ShortcutRequest r = Request();
        r.*c.field = u" ";  // a blank counts as present
        ParsedLink link = BuildAndParse(r);
        EXPECT_EQ(link.linkFlags, c.flags);
        EXPECT_EQ(link.strings, std::vector<std::string>{" "});
    }
    ParsedLink bare = BuildAndParse(Request());
    EXPECT_EQ(bare.linkFlags, 0x3u);
    EXPECT_TRUE(bare.strings.empty());
}

TEST_F(Format, HotKeyUsesTheLowByteWithCtrlAlt) {
    for (auto [code, hotKey] : {std::pair<uint32_t, uint16_t>{0, 0}, {0x41, 0x0641}, {0x141, 0x0641}, {0x100, 0},
                                {0x7A, 0x067A}}) {
        ShortcutRequest r = Request();
        r.hotKeyCode = code;
        EXPECT_EQ(BuildAndParse(r).hotKey, hotKey) << "key code " << code;
    }
    ShortcutRequest r = Request();
    r.hotKeyCode = 0x41;
    BuildAndParse(r);
    EXPECT_EQ(sys.File(r.linkPath)[0x40], 0x41);
    EXPECT_EQ(sys.File(r.linkPath)[0x41], 0x06);
}

TEST_F(Format, IconIndexAndShowCommandAreWrittenAsGiven) {
    ShortcutRequest r = Request();
    r.iconIndex = -3;  // written even without an icon file
    r.showCommand = 3;
    ParsedLink link = BuildAndParse(r);
    EXPECT_EQ(link.iconIndex, -3);
    EXPECT_EQ(link.showCommand, 3);
    EXPECT_EQ(link.linkFlags & 0x40, 0u);
}

TEST_F(Format, VolumeWithoutLabelAndFailedQuery) {
    sys.AddVolume(u"C:\\", "", 0x0BADF00D);
    ParsedLink unlabelled = BuildAndParse(Request());
    EXPECT_EQ(unlabelled.volumeIdSize, 17u);
    EXPECT_EQ(unlabelled.volumeLabel, "");
    EXPECT_EQ(unlabelled.driveSerialNumber, 0x0BADF00Du);

    sys.volumes[std::string("C:\\")].queryFails = true;
    ParsedLink failed = BuildAndParse(Request());
    EXPECT_EQ(failed.volumeIdSize, 17u);
    EXPECT_EQ(failed.volumeLabel, "");
    EXPECT_EQ(failed.driveSerialNumber, 0xFFFFFFFFu);
    EXPECT_EQ(failed.linkInfoSize, 28u + 17 + 10 + 2);
}

TEST_F(Format, DriveTypesGiveTheirItemTypeAndKeepTheirCode) {
    for (auto [driveType, itemType] : {std::pair<uint32_t, uint8_t>{2, 0x29}, {5, 0x25}, {3, 0x23}, {4, 0x23}, {6, 0x23},
                                       {0, 0x23}}) {
        sys.driveTypes[std::string("C:\\")] = driveType;
        ParsedLink link = BuildAndParse(Request());
        EXPECT_EQ(link.items.at(0).type, itemType) << "drive type " << driveType;
        EXPECT_EQ(link.driveType, driveType);
    }
}

TEST_F(Format, DoubleByteCommentIsCountedInBytes) {
    ShortcutRequest r = Request();
    r.comment = u"あいう";
    ParsedLink link = BuildAndParse(r);
    ASSERT_EQ(link.strings.size(), 1u);
    EXPECT_EQ(link.strings[0], "\x82\xA0\x82\xA2\x82\xA4");
    const std::vector<uint8_t>& bytes = sys.File(r.linkPath);
    const size_t count = 76 + 2 + link.idListSize + link.linkInfoSize;
    EXPECT_EQ(bytes[count], 6);
    EXPECT_EQ(bytes[count + 1], 0);
}

TEST_F(Format, DoubleByteNamesAreNotSplitAtTheirBackslashTrailByte) {
    // ソ is 83 5C and 表 is 95 5C: their second byte is a backslash.
    sys.Add(u"C:\\ソ", 0x10);
    sys.Add(u"C:\\ソ\\表.exe", 0x20, 7);
    ParsedLink link = BuildAndParse(Request(u"C:\\ソ\\表.exe"));
    ASSERT_EQ(link.items.size(), 3u);
    EXPECT_EQ(link.items[1].longName, "\x83\x5C");
    EXPECT_EQ(link.items[1].type, 0x31);
    EXPECT_EQ(link.items[2].longName, "\x95\x5C.exe");
    EXPECT_EQ(link.items[2].size, 16 + 6 + 6);
    EXPECT_EQ(link.localBasePath, "C:\\\x83\x5C\\\x95\x5C.exe");
}

TEST_F(Format, TargetInDriveRootHasOneComponentItem) {
    sys.Add(u"C:\\X.EXE", 0x20, 5);
    ParsedLink link = BuildAndParse(Request(u"C:\\X.EXE"));
    ASSERT_EQ(link.items.size(), 2u);
    EXPECT_EQ(link.items[0].name, "C:\\");
    EXPECT_EQ(link.items[1].type, 0x32);
    EXPECT_EQ(link.idListSize, 20 + 25 + 16 + 5 + 5 + 2);
}

TEST_F(Format, FolderTargetHasFolderItemAndNoSize) {
    sys.Add(u"C:\\Tools", 0x10, 4096);  // a size the system reports for the folder itself
    ParsedLink link = BuildAndParse(Request(u"C:\\Tools\\"));
    EXPECT_EQ(link.fileAttributes & 0x10, 0x10u);
    EXPECT_EQ(link.fileSize, 0u);
    ASSERT_EQ(link.items.size(), 2u);
    EXPECT_EQ(link.items[1].type, 0x31);
    EXPECT_EQ(link.items[1].longName, "Tools");
    EXPECT_EQ(link.items[1].fileSize, 0u);
    EXPECT_EQ(link.localBasePath, "C:\\Tools\\");
}

TEST_F(Format, LongAndShortNamesDifferAndKeepTheirCase) {
    sys.Add(u"C:\\Program Files", 0x11);
    sys.Add(u"C:\\Program Files\\My Tool.exe", 0x21, 10, u"C:\\PROGRA~1\\MYTOOL~1.EXE");
    ParsedLink link = BuildAndParse(Request(u"C:\\Program Files\\My Tool.exe"));
    ASSERT_EQ(link.items.size(), 3u);
    EXPECT_EQ(link.items[1].longName, "Program Files");
    EXPECT_EQ(link.items[1].shortName, "PROGRA~1");
    EXPECT_EQ(link.items[1].attributes, 0x11);
    EXPECT_EQ(link.items[2].longName, "My Tool.exe");
    EXPECT_EQ(link.items[2].shortName, "MYTOOL~1.EXE");
    EXPECT_EQ(link.localBasePath, "C:\\Program Files\\My Tool.exe");  // the long form, as typed
}

TEST_F(Format, LargeSizesKeepTheirLow32BitsAndAttributesTheirLow16InItems) {
    sys.Add(u"C:\\A\\B.EXE", 0x00080020, 0x123456789ull);
    ParsedLink link = BuildAndParse(Request());
    EXPECT_EQ(link.fileSize, 0x23456789u);
    EXPECT_EQ(link.items[2].fileSize, 0x23456789u);
    EXPECT_EQ(link.fileAttributes, 0x00080020u);
    EXPECT_EQ(link.items[2].attributes, 0x0020);
    EXPECT_EQ(link.items[2].type, 0x32);
}

TEST_F(Format, ComponentWhoseAttributesCannotBeReadBecomesAFolderItem) {
    // The short-path query resolves the target, but the folder itself cannot be queried.
    sys.nodes.erase("C:\\A");
    ParsedLink link = BuildAndParse(Request());
    EXPECT_EQ(link.items[1].type, 0x31);
    EXPECT_EQ(link.items[1].attributes, 0xFFFF);
    EXPECT_EQ(link.items[2].type, 0x32);
}

TEST_F(Format, TimesAreTheTargetsLastWriteTime) {
    sys.nodes["C:\\A\\B.EXE"].writeTime = 0x01DA0102030405FFull;
    ParsedLink link = BuildAndParse(Request());
    EXPECT_EQ(link.creationTime, 0x01DA0102030405FFull);
    EXPECT_EQ(link.accessTime, 0x01DA0102030405FFull);
    EXPECT_EQ(link.writeTime, 0x01DA0102030405FFull);
}

TEST_F(Format, DriveRootTargetHasOnlyTheDriveItem) {
    sys.Add(u"C:\\", 0x16);
    ParsedLink link = BuildAndParse(Request(u"C:\\"));
    ASSERT_EQ(link.items.size(), 1u);
    EXPECT_EQ(link.idListSize, 20 + 25 + 2);
    EXPECT_EQ(link.localBasePath, "C:\\");
    EXPECT_EQ(link.fileSize, 0u);
}
