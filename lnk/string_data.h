// The StringData: the counted strings of kStringSlots that are present, then the four-byte
// TerminalBlock. The strings are ANSI, the IsUnicode flag left clear, as every shortcut this program has
// written holds them: their counts are bytes in the system's code page, and a string the code page
// cannot hold is refused.
#pragma once

#include <array>
#include <cstdint>
#include <iterator>
#include <string>

#include "byte_buffer.h"
#include "shortcut_request.h"

// The LinkFlags bits of the strings.
constexpr uint32_t kHasName = 0x04;
constexpr uint32_t kHasWorkingDir = 0x10;
constexpr uint32_t kHasArguments = 0x20;
constexpr uint32_t kHasIconLocation = 0x40;

// The strings in the order they are written: the bit that marks each present, and the request's text
// it is made of. A new string is a row here.
struct StringSlot {
    uint32_t flag;
    std::u16string ShortcutRequest::*text;
};
constexpr StringSlot kStringSlots[] = {
    {kHasName, &ShortcutRequest::comment},
    {kHasWorkingDir, &ShortcutRequest::workingFolder},
    {kHasArguments, &ShortcutRequest::arguments},
    {kHasIconLocation, &ShortcutRequest::iconFile},
};

// The strings' ANSI forms, one per slot; a string is present when not empty.
using LinkStrings = std::array<std::string, std::size(kStringSlots)>;

// The LinkFlags bits of the strings that are present.
uint32_t StringDataFlags(const LinkStrings& strings);

// Each present string as a 16-bit byte count and its bytes, followed by the TerminalBlock.
ByteBuffer StringDataBytes(const LinkStrings& strings);
