// The refusal rules: of the request as given, of the shortcut path, and of a file already there.
#include "refusals.h"

#include "platform.h"
#include "shortcut_builder.h"
#include "text.h"

// True when the name ends in a dot or a blank, which the file system drops: it would name another file.
static bool EndsInDotOrBlank(const std::u16string& name) {
    return !name.empty() && (name.back() == u'.' || name.back() == u' ');
}

// True when a name of the path (between backslashes or slashes) ends in a dot or a blank, other than
// "." and "..".
static bool HasNameEndingInDotOrBlank(const std::u16string& path) {
    size_t start = 0;
    for (size_t end = 0; end <= path.size(); ++end) {
        if (end < path.size() && path[end] != u'\\' && path[end] != u'/') continue;
        const std::u16string name = path.substr(start, end - start);
        if (name != u"." && name != u".." && EndsInDotOrBlank(name)) return true;
        start = end + 1;
    }
    return false;
}

// True when the path has a colon other than the one right after its drive letter (C:\…, \\?\C:\…).
static bool HasColonBeyondDrive(const std::u16string& path) {
    const size_t drive = path.compare(0, 4, u"\\\\?\\") == 0 ? 5 : 1;
    for (size_t at = path.find(u':'); at != std::u16string::npos; at = path.find(u':', at + 1)) {
        if (at != drive) return true;
    }
    return false;
}

bool IsDriveLetterPath(const std::u16string& path) {
    if (path.size() < 3) return false;
    const char16_t letter = path[0] | 0x20;
    if (letter < u'a' || letter > u'z' || path[1] != u':' || path[2] != u'\\' || HasColonBeyondDrive(path)) return false;
    std::u16string rest = path.substr(3);
    while (!rest.empty()) {
        std::u16string name = SplitHead(rest, u"\\");
        if (name.back() == u'\\') name.pop_back();
        // "." and ".." end in a dot too.
        if (name.empty() || EndsInDotOrBlank(name)) return false;
        if (name.find_first_of(std::u16string(u"/\0", 2)) != std::u16string::npos) return false;
    }
    return true;
}

Refusal CheckRequest(const ShortcutRequest& request) {
    if (request.targetPath.size() > kMaxPathChars) return Refusal::kTargetTooLong;
    if (!IsDriveLetterPath(request.targetPath)) return Refusal::kTargetNotOnDrive;
    return request.linkPath.empty() ? Refusal::kNone : CheckShortcutPath(request.linkPath);
}

Refusal CheckShortcutPath(const std::u16string& path) {
    if (path.empty()) return Refusal::kNoShortcutPath;
    if (path.size() > kMaxPathChars) return Refusal::kShortcutPathTooLong;
    if (path.find(u'\0') != std::u16string::npos) return Refusal::kShortcutPathHasNul;
    if (HasNameEndingInDotOrBlank(path)) return Refusal::kShortcutNameEndsInDotOrBlank;
    if (HasColonBeyondDrive(path)) return Refusal::kShortcutPathHasStream;
    return Refusal::kNone;
}

Refusal CheckExistingShortcut(uint32_t attributes, const std::function<bool()>& isTheTarget) {
    if (attributes == kNoAttributes) return Refusal::kNone;
    const uint32_t neverReplaced = kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeDirectory;
    if (attributes & neverReplaced) return Refusal::kShortcutNeverReplaced;
    return isTheTarget() ? Refusal::kShortcutIsTheTarget : Refusal::kNone;
}
