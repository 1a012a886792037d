// Every rule by which a shortcut request is refused before any file is touched, and the one that did:
// a new rule is its value and its check here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform.h"
#include "shortcut_request.h"
#include "text.h"

// Which rule refused a request; kNone when none did.
enum class Refusal {
    kNone,
    kTargetTooLong,             // more than 259 characters, the most the system's calls take
    kTargetNotOnDrive,          // not "X:\" and names (see IsDriveLetterPath)
    kNoExactAnsiForm,           // a string with a character the code page lacks, or over 32,767 bytes in it
    kTargetNotFound,            // its short form cannot be had (or takes more than 255 bytes)
    kTargetUnreadable,          // its attributes cannot be read: a file named as a folder ("file.txt\")
    kNoShortcutPath,            // none given, and a folder has no default
    kShortcutPathTooLong,       // more than 259 characters
    kShortcutPathHasNul,
    kShortcutNameEndsInDotOrBlank,  // which the file system would drop, naming another file
    kShortcutPathHasStream,     // a colon beyond the drive's: "file.txt:x.lnk" names a stream of file.txt
    kShortcutNeverReplaced,     // an existing read-only, hidden or system file, or a folder
    kShortcutIsTheTarget,       // by any spelling: writing it would destroy the target
    kWriteFailed,               // not a rule: the file system failed the write
};

// The longest path the system's ANSI file calls take (MAX_PATH less its NUL), for the target and the
// shortcut alike. It keeps the item-ID list far below its 16-bit size.
constexpr size_t kMaxPathChars = 259;

// True when the name ends in a dot or a blank, which the file system drops: it would name another file.
inline bool EndsInDotOrBlank(const std::u16string& name) {
    return !name.empty() && (name.back() == u'.' || name.back() == u' ');
}

// True when a name of the path (between backslashes or slashes) ends in a dot or a blank, other than
// "." and "..".
inline bool HasNameEndingInDotOrBlank(const std::u16string& path) {
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
inline bool HasColonBeyondDrive(const std::u16string& path) {
    const size_t drive = path.compare(0, 4, u"\\\\?\\") == 0 ? 5 : 1;
    for (size_t at = path.find(u':'); at != std::u16string::npos; at = path.find(u':', at + 1)) {
        if (at != drive) return true;
    }
    return false;
}

// True for an absolute path on a drive letter: "X:\" followed by names separated by single backslashes
// (a trailing one allowed), none of them ending in a dot or a blank (so neither "." nor ".."), with no
// "/", no further ":" and no NUL anywhere.
inline bool IsDriveLetterPath(const std::u16string& path) {
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

// The rules of a shortcut path, given or made from the target's name.
inline Refusal CheckShortcutPath(const std::u16string& path) {
    if (path.empty()) return Refusal::kNoShortcutPath;
    if (path.size() > kMaxPathChars) return Refusal::kShortcutPathTooLong;
    if (path.find(u'\0') != std::u16string::npos) return Refusal::kShortcutPathHasNul;
    if (HasNameEndingInDotOrBlank(path)) return Refusal::kShortcutNameEndsInDotOrBlank;
    if (HasColonBeyondDrive(path)) return Refusal::kShortcutPathHasStream;
    return Refusal::kNone;
}

// The rules a request alone decides, before the system is asked anything: the target's path, and the
// shortcut path's when one is given.
inline Refusal CheckRequest(const ShortcutRequest& request) {
    if (request.targetPath.size() > kMaxPathChars) return Refusal::kTargetTooLong;
    if (!IsDriveLetterPath(request.targetPath)) return Refusal::kTargetNotOnDrive;
    return request.linkPath.empty() ? Refusal::kNone : CheckShortcutPath(request.linkPath);
}

// The rule of a file already at the shortcut path (kNoAttributes: none there): a read-only, hidden or
// system file or a folder is never replaced, nor the target itself, which isTheTarget is asked only then.
inline Refusal CheckExistingShortcut(uint32_t attributes, const std::function<bool()>& isTheTarget) {
    if (attributes == kNoAttributes) return Refusal::kNone;
    const uint32_t neverReplaced = kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeDirectory;
    if (attributes & neverReplaced) return Refusal::kShortcutNeverReplaced;
    return isTheTarget() ? Refusal::kShortcutIsTheTarget : Refusal::kNone;
}
