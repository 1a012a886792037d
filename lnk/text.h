// Strings of the writer: UTF-16 inside, ANSI bytes in the file and at every system call.
#pragma once

#include <cstdint>
#include <string>

// The longest ANSI string a shortcut can count (its counts are signed 16-bit).
constexpr size_t kMaxAnsiBytes = 32767;

// The exact ANSI form of text; false when a character has none or the form exceeds kMaxAnsiBytes.
bool ToAnsi(const std::u16string& text, std::string* ansi);

// Bytes an ANSI string takes with its NUL terminator: its length + 1, so 1 for an empty one.
int32_t AnsiSizeZ(const std::string& ansi);

// True when the name ends in a dot or a blank, which the file system drops: it would name another file.
bool EndsInDotOrBlank(const std::u16string& name);

// True when a component of the path (between backslashes or slashes) ends in a dot or a blank, other
// than "." and "..": the file system would drop those characters and name another file.
bool HasComponentEndingInDotOrBlank(const std::u16string& path);

// True when the path has a colon other than the one right after its drive letter (C:\…, \\?\C:\…):
// anywhere else it names a stream of a file, "file.txt:x.lnk" one inside file.txt.
bool HasColonBeyondDrive(const std::u16string& path);

// Splits off the head of s up to and including the first separator; s keeps the rest.
// Without a separator the head is all of s and s becomes empty.
std::u16string SplitHead(std::u16string& s, const std::u16string& separator);
