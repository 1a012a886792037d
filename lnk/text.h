// Strings of the writer: UTF-16 inside, ANSI bytes in the file and at every system call.
#pragma once

#include <cstdint>
#include <string>

struct LnkPlatform;

// The longest ANSI string a shortcut can count (its counts are signed 16-bit).
constexpr size_t kMaxAnsiBytes = 32767;

// The exact ANSI form of text in the system's code page; false when a character has none or the form
// exceeds kMaxAnsiBytes.
bool ToAnsi(const LnkPlatform& os, const std::u16string& text, std::string* ansi);

// Bytes an ANSI string takes with its NUL terminator: its length + 1, so 1 for an empty one.
int32_t AnsiSizeZ(const std::string& ansi);

// Where the file name of a path begins: after its last "\" or "/", or after a drive's colon
// ("D:app.lnk"); 0 when it has none. What comes before is its folder.
template <typename String>
size_t FileNameStart(const String& path) {
    for (size_t at = path.size(); at > 0; --at) {
        if (path[at - 1] == '\\' || path[at - 1] == '/' || path[at - 1] == ':') return at;
    }
    return 0;
}

// Splits off the head of s up to and including the first separator; s keeps the rest.
// Without a separator the head is all of s and s becomes empty.
std::u16string SplitHead(std::u16string& s, const std::u16string& separator);
