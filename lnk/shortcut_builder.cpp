// Builds one shortcut: gathers the target's facts, assembles the sections and writes them in eight blocks.
#include "shortcut_builder.h"

#include <vector>

#include "item_id_list.h"
#include "link_header.h"
#include "link_info.h"
#include "output_file.h"
#include "platform.h"
#include "string_data.h"
#include "text.h"

constexpr uint32_t kShortPathBufferSize = 256;
constexpr uint32_t kAttributeReadOnly = 0x01;
constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint32_t kNoAttributes = 0xFFFFFFFF;
constexpr size_t kMaxIdListSize = 0xFFFF;

// The short form of a target, which must fit the 256-byte buffer; false when it cannot be resolved.
static bool QueryShortPath(const std::string& ansiTarget, std::u16string* shortPath) {
    char buffer[kShortPathBufferSize] = {};
    const uint32_t length = LnkSystem().shortPathName(ansiTarget, buffer, kShortPathBufferSize);
    if (length == 0 || length >= kShortPathBufferSize) return false;
    return LnkSystem().fromAnsi(std::string(buffer, length), shortPath);
}

static bool ToAnsiStrings(const std::u16string& comment, const std::u16string& workingFolder,
                          const std::u16string& arguments, const std::u16string& iconFile, LinkStrings* strings) {
    return ToAnsi(comment, &strings->name) && ToAnsi(workingFolder, &strings->workingDir) &&
           ToAnsi(arguments, &strings->arguments) && ToAnsi(iconFile, &strings->iconLocation);
}

// Writes the blocks one after another at the running position, the first creating the file. Every
// block must be written whole; after a failure the file that the first block created is removed again.
static bool WriteBlocks(const std::string& path, const std::vector<ByteBuffer>& blocks) {
    int32_t position = kCreateFile;
    bool created = false;
    for (const ByteBuffer& block : blocks) {
        const int32_t written = WriteBytesAt(path, block.data(), static_cast<uint32_t>(block.size()), 0, position);
        if (written >= 0) created = true;
        if (written != ByteCount(block)) {
            if (created) LnkSystem().deleteFile(path);
            return false;
        }
        position = (position == kCreateFile ? 0 : position) + written;
    }
    return true;
}

int16_t BuildShortcut(const std::u16string& targetPath, const std::u16string& linkPath, const std::u16string& arguments,
                      const std::u16string& workingFolder, const std::u16string& iconFile, int32_t iconIndex,
                      uint32_t hotKeyCode, int32_t showCommand, const std::u16string& comment) {
    const LnkPlatform& os = LnkSystem();

    // Everything is checked and put in its exact ANSI form before the file system is asked anything.
    std::string ansiTarget;
    LinkStrings strings;
    if (!IsDriveLetterPath(targetPath) || !ToAnsi(targetPath, &ansiTarget)) return kBuildFailed;
    if (!ToAnsiStrings(comment, workingFolder, arguments, iconFile, &strings)) return kBuildFailed;

    std::u16string shortPath;
    if (!QueryShortPath(ansiTarget, &shortPath)) return kBuildFailed;

    ShellLinkHeader header;
    header.fileAttributes = os.fileAttributes(ansiTarget);
    uint64_t size = 0, time = 0;
    if (!os.fileSizeAndTime(ansiTarget, &size, &time)) size = time = 0;
    if (header.fileAttributes & kAttributeDirectory) size = 0;  // a folder has no size of its own

    std::u16string link = linkPath;
    PathWalk walk;
    if (!CollectPathEntries(targetPath, shortPath, static_cast<uint32_t>(size), link, &walk)) return kBuildFailed;
    std::string ansiLink;
    if (link.empty() || link.find(u'\0') != std::u16string::npos || !ToAnsi(link, &ansiLink)) return kBuildFailed;
    // A read-only shortcut or a folder is never replaced, whoever runs the program.
    const uint32_t existing = os.fileAttributes(ansiLink);
    if (existing != kNoAttributes && (existing & (kAttributeReadOnly | kAttributeDirectory))) return kBuildFailed;

    ByteBuffer items;
    for (PathEntry& entry : walk.entries) AppendItem(entry, items, ByteCount(items));
    walk.entries.clear();
    const size_t idListSize = items.size() + kRootItemSize + 2;
    if (idListSize > kMaxIdListSize) return kBuildFailed;
    ByteBuffer rootItem(kRootItemSize, 0);
    PutRootItem(rootItem);
    ByteBuffer idListSizeField;
    AppendU16(idListSizeField, static_cast<uint16_t>(idListSize));

    const VolumeId volume = QueryVolumeId(walk.driveRoot, walk.driveType);
    const LinkInfoHeader linkInfo = MakeLinkInfoHeader(volume, ansiTarget);

    header.linkFlags = kHasLinkTargetIdList | kHasLinkInfo | StringDataFlags(strings);
    header.creationTime = header.accessTime = header.writeTime = time;
    header.fileSize = static_cast<uint32_t>(size);  // sizes of 4 GiB and more keep their low 32 bits
    header.iconIndex = iconIndex;
    header.showCommand = showCommand;
    header.hotKey = HotKeyOf(hotKeyCode);

    const std::vector<ByteBuffer> blocks = {
        HeaderBytes(header),
        idListSizeField,
        rootItem,
        items,
        ByteBuffer(2, 0),  // TerminalID
        LinkInfoHeaderBytes(linkInfo),
        LinkInfoBodyBytes(volume, ansiTarget),
        StringDataBytes(strings),
    };
    return WriteBlocks(ansiLink, blocks) ? kBuildSucceeded : kBuildFailed;
}
