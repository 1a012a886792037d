// The StringData: up to four counted ANSI strings, then the four-byte TerminalBlock. The strings are
// ANSI, the IsUnicode flag left clear, as every shortcut this program has written holds them: their
// counts are bytes in the system's code page, and a string the code page cannot hold is refused.
#pragma once

#include <cstdint>
#include <string>

#include "byte_buffer.h"

// The four strings in the order they are written, ANSI. A string is present when not empty.
struct LinkStrings {
    std::string name;          // the comment
    std::string workingDir;
    std::string arguments;
    std::string iconLocation;
};

// The LinkFlags bits of the strings that are present.
uint32_t StringDataFlags(const LinkStrings& strings);

// Each present string as a 16-bit byte count and its bytes, followed by the TerminalBlock.
ByteBuffer StringDataBytes(const LinkStrings& strings);
