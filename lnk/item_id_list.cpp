// Walks the target path into path entries and serialises them as shell items.
#include "item_id_list.h"

#include "platform.h"
#include "text.h"

constexpr uint32_t kDriveRemovable = 2;
constexpr uint32_t kDriveCdrom = 5;

void AppendRootItem(ByteBuffer& buffer) {
    AppendBytes(buffer, {0x14, 0x00, 0x1F, 0x50, 0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A,
                         0x69, 0x10, 0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D});
}

bool IsDriveLetterPath(const std::u16string& path) {
    if (path.size() < 3) return false;
    const char16_t letter = path[0] | 0x20;
    if (letter < u'a' || letter > u'z' || path[1] != u':' || path[2] != u'\\' || HasColonBeyondDrive(path)) return false;
    std::u16string rest = path.substr(3);
    while (!rest.empty()) {
        std::u16string component = SplitHead(rest, u"\\");
        if (component.back() == u'\\') component.pop_back();
        // "." and ".." end in a dot too.
        if (component.empty() || EndsInDotOrBlank(component)) return false;
        if (component.find_first_of(std::u16string(u"/\0", 2)) != std::u16string::npos) return false;
    }
    return true;
}

static uint8_t DriveItemType(uint32_t driveType) {
    if (driveType == kDriveRemovable) return kItemDriveRemovable;
    if (driveType == kDriveCdrom) return kItemDriveCdrom;
    return kItemDriveOther;
}

// The default shortcut path of a file: its folder, its name up to the first ".", then ".lnk".
static std::u16string DefaultLinkPath(const std::u16string& folder, const std::u16string& fileName) {
    std::u16string name = fileName;
    std::u16string stem = SplitHead(name, u".");
    if (!stem.empty() && stem.back() == u'.') stem.pop_back();
    return folder + stem + u".lnk";
}

// A component that ends in a backslash loses it in both names; the long name decides.
static void StripTrailingBackslash(std::u16string& longName, std::u16string& shortName) {
    if (longName.empty() || longName.back() != u'\\') return;
    longName.pop_back();
    if (!shortName.empty()) shortName.pop_back();
}

bool CollectPathEntries(const std::u16string& targetPath, const std::u16string& shortPath, uint32_t targetAttributes,
                        uint32_t targetSize, std::u16string& linkPath, PathWalk* walk) {
    const LnkPlatform& os = LnkSystem();
    std::u16string rest = targetPath;
    std::u16string shortRest = shortPath;

    PathEntry drive;
    const std::u16string root = SplitHead(rest, u"\\");
    SplitHead(shortRest, u"\\");
    if (!ToAnsi(root, &drive.itemName)) return false;
    drive.longName.assign(3, '\0');
    drive.shortName.assign(3, '\0');
    walk->driveRoot = drive.itemName;
    walk->entries.push_back(drive);

    std::u16string folder = root;  // the accumulated path, as the user typed it
    std::string accumulated = walk->driveRoot;
    while (!rest.empty()) {
        PathEntry entry;
        std::u16string longName = SplitHead(rest, u"\\");
        std::u16string shortName = SplitHead(shortRest, u"\\");
        StripTrailingBackslash(longName, shortName);
        if (!ToAnsi(longName, &entry.longName) || !ToAnsi(shortName, &entry.shortName)) return false;
        accumulated += entry.longName;

        // Attributes keep their low 16 bits; a failed query (0xFFFFFFFF) reads as a folder. The target's
        // own were asked already.
        entry.attributes = static_cast<uint16_t>(rest.empty() ? targetAttributes : os.fileAttributes(accumulated));
        if (entry.attributes & kAttributeDirectory) {
            entry.itemType = kItemFolder;
        } else {
            entry.itemType = kItemFile;
            entry.fileSize = targetSize;
            if (linkPath.empty()) linkPath = DefaultLinkPath(folder, longName);
        }
        walk->entries.push_back(entry);
        folder += longName + u"\\";
        accumulated += '\\';
    }
    // The drive is asked last, beside the volume query that follows the walk.
    walk->driveType = os.driveType(walk->driveRoot);
    walk->entries.front().itemType = DriveItemType(walk->driveType);
    return true;
}

void AppendItem(PathEntry& entry, ByteBuffer& buffer) {
    entry.itemSize = static_cast<uint16_t>(AnsiSizeZ(entry.itemName) + 13 + AnsiSizeZ(entry.longName) +
                                           AnsiSizeZ(entry.shortName));
    AppendU16(buffer, entry.itemSize);
    AppendU8(buffer, entry.itemType);
    AppendStringZ(buffer, entry.itemName);
    AppendU32(buffer, entry.fileSize);
    AppendU32(buffer, entry.dateTime);
    AppendU16(buffer, entry.attributes);
    AppendStringZ(buffer, entry.longName);
    AppendStringZ(buffer, entry.shortName);
}
