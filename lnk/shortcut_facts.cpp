// The queries of a Create: the strings' ANSI forms, the target's short path, attributes, size and
// time, the attributes of each folder above it, its drive and volume, and whatever is already at the
// shortcut path.
#include "shortcut_facts.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform.h"
#include "shortcut_request.h"
#include "text.h"

// The buffers of the "A" calls that fill one: a short path of up to 255 bytes, which the writer's
// earlier versions took too; and a volume label, which is at most 32 characters.
constexpr uint32_t kShortPathBufferSize = 256;
constexpr uint32_t kLabelBufferSize = 255;
constexpr uint32_t kSerialOfFailedQuery = 0xFFFFFFFF;

// The short form of a target; false when it cannot be resolved or takes more than 255 bytes.
static bool QueryShortPath(const LnkPlatform& os, const std::string& target, std::u16string* shortPath) {
    char buffer[kShortPathBufferSize] = {};
    const uint32_t length = os.shortPathName(target, buffer, kShortPathBufferSize);
    if (length == 0 || length >= kShortPathBufferSize) return false;
    return os.fromAnsi(std::string(buffer, strnlen(buffer, length)), shortPath);
}

static bool ToAnsiStrings(const LnkPlatform& os, const ShortcutRequest& request, LinkStrings* strings) {
    for (size_t slot = 0; slot < strings->size(); ++slot) {
        if (!ToAnsi(os, request.*kStringSlots[slot].text, &(*strings)[slot])) return false;
    }
    return true;
}

// A name that ends in a backslash loses it in both forms; the long form decides.
static void StripTrailingBackslash(std::u16string& longName, std::u16string& shortName) {
    if (longName.empty() || longName.back() != u'\\') return;
    longName.pop_back();
    if (!shortName.empty()) shortName.pop_back();
}

// Walks the target path and its short form into entries: the drive (its type asked last, beside the
// volume query that follows), then each name with the attributes of the folder or file it names; the
// target's own were asked already. False when a name has no exact ANSI form.
static bool WalkTargetPath(const LnkPlatform& os, const std::u16string& targetPath, const std::u16string& shortPath,
                           ShortcutFacts* facts) {
    std::u16string rest = targetPath, shortRest = shortPath;
    PathEntry drive;
    if (!ToAnsi(os, SplitHead(rest, u"\\"), &drive.itemName)) return false;
    SplitHead(shortRest, u"\\");
    drive.longName.assign(3, '\0');
    drive.shortName.assign(3, '\0');
    facts->entries = {drive};
    std::string folder = drive.itemName;
    while (!rest.empty()) {
        PathEntry entry;
        std::u16string longName = SplitHead(rest, u"\\"), shortName = SplitHead(shortRest, u"\\");
        StripTrailingBackslash(longName, shortName);
        if (!ToAnsi(os, longName, &entry.longName) || !ToAnsi(os, shortName, &entry.shortName)) return false;
        // Attributes keep their low 16 bits; a failed query (0xFFFFFFFF) reads as a folder.
        entry.attributes = static_cast<uint16_t>(rest.empty() ? facts->targetAttributes
                                                              : os.fileAttributes(folder + entry.longName));
        entry.itemType = entry.attributes & kAttributeDirectory ? kItemFolder : kItemFile;
        if (entry.itemType == kItemFile) entry.fileSize = static_cast<uint32_t>(facts->targetSize);
        facts->entries.push_back(entry);
        folder += entry.longName + '\\';
    }
    facts->volume.driveType = os.driveType(drive.itemName);
    facts->entries.front().itemType = DriveItemType(facts->volume.driveType);
    return true;
}

// The label and serial of the target's drive, or an empty label and serial 0xFFFFFFFF when the
// volume query fails.
static void QueryVolume(const LnkPlatform& os, const std::string& driveRoot, VolumeId* volume) {
    char label[kLabelBufferSize + 1] = {};
    uint32_t serial = 0;
    const bool answered = os.volumeInformation(driveRoot, label, kLabelBufferSize, &serial);
    volume->label = answered ? std::string(label, strnlen(label, kLabelBufferSize)) : "";
    volume->driveSerialNumber = answered ? serial : kSerialOfFailedQuery;
}

// The default shortcut path of a file: its folder, its name up to the first ".", then ".lnk".
static std::u16string DefaultLinkPath(const std::u16string& target) {
    const size_t name = FileNameStart(target);
    return target.substr(0, name) + target.substr(name, target.find(u'.', name) - name) + u".lnk";
}

// An id of all zeros tells nothing about the file.
static bool IsKnown(const FileIdentity& identity) {
    return std::any_of(std::begin(identity.fileId), std::end(identity.fileId), [](uint8_t b) { return b != 0; });
}

// True when an existing file at the shortcut path is the target itself, by whatever spelling. A file
// created at another time than the target (targetCreated, nullptr when unknown) is another file.
// Otherwise the two files' ids decide; where the file system gives none, their final paths. A file
// that can be told by neither is taken for the target.
static bool IsTheTarget(const LnkPlatform& os, const std::string& target, const uint64_t* targetCreated,
                        const std::string& link) {
    uint64_t size, written, linkCreated;
    if (targetCreated && os.fileSizeAndTime(link, &size, &written, &linkCreated) && *targetCreated != linkCreated) {
        return false;
    }
    FileIdentity targetId, linkId;
    if (!os.fileIdentity(target, &targetId) || !os.fileIdentity(link, &linkId)) return true;
    if (IsKnown(targetId) && IsKnown(linkId)) return targetId == linkId;
    std::u16string targetPath, linkPath;
    return !os.finalPath(target, &targetPath) || !os.finalPath(link, &linkPath) || targetPath == linkPath;
}

Refusal GatherFacts(const LnkPlatform& os, const ShortcutRequest& request, ShortcutFacts* facts) {
    // The strings are put in their exact ANSI form before the file system is asked anything; a default
    // shortcut path, made of the target's, once it is made.
    if (!ToAnsi(os, request.targetPath, &facts->target) || !ToAnsiStrings(os, request, &facts->strings) ||
        !ToAnsi(os, request.linkPath, &facts->ansiLinkPath)) {
        return Refusal::kNoExactAnsiForm;
    }
    std::u16string shortPath;
    if (!QueryShortPath(os, facts->target, &shortPath)) return Refusal::kTargetNotFound;
    facts->targetAttributes = os.fileAttributes(facts->target);
    // A path the short form resolves but no file answers.
    if (facts->targetAttributes == kNoAttributes) return Refusal::kTargetUnreadable;
    uint64_t created = 0;
    const bool timed = os.fileSizeAndTime(facts->target, &facts->targetSize, &facts->targetWriteTime, &created);
    // A folder has no size of its own.
    if (!timed || (facts->targetAttributes & kAttributeDirectory)) facts->targetSize = 0;
    if (!timed) facts->targetWriteTime = 0;
    if (!WalkTargetPath(os, request.targetPath, shortPath, facts)) return Refusal::kNoExactAnsiForm;
    QueryVolume(os, facts->entries.front().itemName, &facts->volume);

    const bool file = !(facts->targetAttributes & kAttributeDirectory);
    facts->linkPath = request.linkPath.empty() && file ? DefaultLinkPath(request.targetPath) : request.linkPath;
    if (const Refusal refusal = CheckShortcutPath(facts->linkPath); refusal != Refusal::kNone) return refusal;
    if (request.linkPath.empty() && !ToAnsi(os, facts->linkPath, &facts->ansiLinkPath)) return Refusal::kNoExactAnsiForm;
    return CheckExistingShortcut(os.fileAttributes(facts->ansiLinkPath), [&] {
        return IsTheTarget(os, facts->target, timed ? &created : nullptr, facts->ansiLinkPath);
    });
}
