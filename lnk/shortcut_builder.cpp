// Builds one shortcut: gathers the target's facts, assembles the sections as eight blocks and writes them.
#include "shortcut_builder.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "item_id_list.h"
#include "link_header.h"
#include "link_info.h"
#include "platform.h"
#include "shortcut_blocks.h"
#include "shortcut_file.h"
#include "string_data.h"
#include "text.h"

constexpr uint32_t kShortPathBufferSize = 256;
// The longest path the system's ANSI file calls take (MAX_PATH less its NUL), for the target and the
// shortcut alike. It keeps the item-ID list far below its 16-bit size.
constexpr size_t kMaxPathChars = 259;

// The short form of a target, which must fit the 256-byte buffer; false when it cannot be resolved.
static bool QueryShortPath(const std::string& ansiTarget, std::u16string* shortPath) {
    char buffer[kShortPathBufferSize] = {};
    const uint32_t length = LnkSystem().shortPathName(ansiTarget, buffer, kShortPathBufferSize);
    if (length == 0 || length >= kShortPathBufferSize) return false;
    return LnkSystem().fromAnsi(std::string(buffer, strnlen(buffer, length)), shortPath);
}

// An id of all zeros tells nothing about the file.
static bool IsKnown(const FileIdentity& identity) {
    return std::any_of(std::begin(identity.fileId), std::end(identity.fileId), [](uint8_t b) { return b != 0; });
}

// True when an existing file at the shortcut path is the target itself, by whatever spelling: writing
// the shortcut would destroy the target. A file created at another time than the target (targetCreated,
// nullptr when unknown) is another file. Otherwise the two files' ids decide; where the file system
// gives none, their final paths. A file that can be told by neither is taken for the target.
static bool IsTheTarget(const std::string& ansiTarget, const uint64_t* targetCreated, const std::string& ansiLink) {
    const LnkPlatform& os = LnkSystem();
    uint64_t size, written, linkCreated;
    if (targetCreated && os.fileSizeAndTime(ansiLink, &size, &written, &linkCreated) && *targetCreated != linkCreated) {
        return false;
    }
    FileIdentity target, link;
    if (!os.fileIdentity(ansiTarget, &target) || !os.fileIdentity(ansiLink, &link)) return true;
    if (IsKnown(target) && IsKnown(link)) return target == link;
    std::u16string targetPath, linkPath;
    return !os.finalPath(ansiTarget, &targetPath) || !os.finalPath(ansiLink, &linkPath) || targetPath == linkPath;
}

static bool ToAnsiStrings(const ShortcutRequest& request, LinkStrings* strings) {
    return ToAnsi(request.comment, &strings->name) && ToAnsi(request.workingFolder, &strings->workingDir) &&
           ToAnsi(request.arguments, &strings->arguments) && ToAnsi(request.iconFile, &strings->iconLocation);
}

bool AssembleShortcut(const ShortcutRequest& request, ShortcutBlocks* shortcut) {
    const LnkPlatform& os = LnkSystem();
    const std::u16string& targetPath = request.targetPath;

    // The target and the strings are checked and put in their exact ANSI form before the file system is
    // asked anything; the shortcut path, which the walk may make from the target's name, after the walk.
    std::string ansiTarget;
    LinkStrings strings;
    if (targetPath.size() > kMaxPathChars || !IsDriveLetterPath(targetPath) || !ToAnsi(targetPath, &ansiTarget)) {
        return false;
    }
    if (!ToAnsiStrings(request, &strings)) return false;

    std::u16string shortPath;
    if (!QueryShortPath(ansiTarget, &shortPath)) return false;

    ShellLinkHeader header;
    header.fileAttributes = os.fileAttributes(ansiTarget);
    if (header.fileAttributes == kNoAttributes) return false;  // a path the short form resolves but no file answers
    uint64_t size = 0, time = 0, created = 0;
    const bool timed = os.fileSizeAndTime(ansiTarget, &size, &time, &created);
    if (!timed) size = time = 0;
    if (header.fileAttributes & kAttributeDirectory) size = 0;  // a folder has no size of its own

    std::u16string& link = shortcut->linkPath;
    link = request.linkPath;
    PathWalk walk;
    if (!CollectPathEntries(targetPath, shortPath, header.fileAttributes, static_cast<uint32_t>(size), link, &walk)) {
        return false;
    }
    const VolumeId volume = QueryVolumeId(walk.driveRoot, walk.driveType);
    if (link.empty() || link.size() > kMaxPathChars || link.find(u'\0') != std::u16string::npos ||
        HasComponentEndingInDotOrBlank(link) || HasColonBeyondDrive(link)) {
        return false;
    }
    if (!ToAnsi(link, &shortcut->ansiLinkPath)) return false;
    // An existing read-only, hidden or system shortcut, a folder, or the target itself is never replaced.
    const uint32_t existing = os.fileAttributes(shortcut->ansiLinkPath);
    const uint32_t neverReplaced = kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeDirectory;
    if (existing != kNoAttributes &&
        ((existing & neverReplaced) || IsTheTarget(ansiTarget, timed ? &created : nullptr, shortcut->ansiLinkPath))) {
        return false;
    }

    ByteBuffer items;
    for (PathEntry& entry : walk.entries) AppendItem(entry, items);
    const size_t idListSize = items.size() + kRootItemSize + 2;
    ByteBuffer rootItem;
    AppendRootItem(rootItem);
    ByteBuffer idListSizeField;
    AppendU16(idListSizeField, static_cast<uint16_t>(idListSize));

    const LinkInfoHeader linkInfo = MakeLinkInfoHeader(volume, ansiTarget);

    header.linkFlags = kHasLinkTargetIdList | kHasLinkInfo | StringDataFlags(strings);
    header.creationTime = header.accessTime = header.writeTime = time;
    header.fileSize = static_cast<uint32_t>(size);  // sizes of 4 GiB and more keep their low 32 bits
    header.iconIndex = request.iconIndex;
    header.showCommand = request.showCommand;
    header.hotKey = HotKeyOf(request.hotKeyCode);

    shortcut->blocks = {
        HeaderBytes(header),
        idListSizeField,
        rootItem,
        items,
        ByteBuffer(2, 0),  // TerminalID
        LinkInfoHeaderBytes(linkInfo),
        LinkInfoBodyBytes(volume, ansiTarget),
        StringDataBytes(strings),
    };
    return true;
}

int16_t BuildShortcut(const std::u16string& targetPath, const std::u16string& linkPath, const std::u16string& arguments,
                      const std::u16string& workingFolder, const std::u16string& iconFile, int32_t iconIndex,
                      uint32_t hotKeyCode, int32_t showCommand, const std::u16string& comment) {
    const ShortcutRequest request{targetPath, linkPath, arguments, workingFolder, iconFile,
                                  iconIndex,  hotKeyCode, showCommand, comment};
    ShortcutBlocks shortcut;
    if (!AssembleShortcut(request, &shortcut)) return kBuildFailed;
    return WriteShortcutFile(shortcut) ? kBuildSucceeded : kBuildFailed;
}
