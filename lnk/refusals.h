// Every rule by which a shortcut request is refused before any file is touched, and the one that did.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct ShortcutRequest;

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

// The rules a request alone decides, before the system is asked anything: the target's path, and the
// shortcut path's when one is given.
Refusal CheckRequest(const ShortcutRequest& request);

// The rules of a shortcut path, given or made from the target's name.
Refusal CheckShortcutPath(const std::u16string& path);

// The rule of a file already at the shortcut path (kNoAttributes: none there): a read-only, hidden or
// system file or a folder is never replaced, nor the target itself, which isTheTarget is asked only then.
Refusal CheckExistingShortcut(uint32_t attributes, const std::function<bool()>& isTheTarget);

// True for an absolute path on a drive letter: "X:\" followed by names separated by single backslashes
// (a trailing one allowed), none of them ending in a dot or a blank (so neither "." nor ".."), with no
// "/", no further ":" and no NUL anywhere.
bool IsDriveLetterPath(const std::u16string& path);
