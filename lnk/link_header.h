// The 76-byte ShellLinkHeader.
#pragma once

#include <cstdint>

#include "byte_buffer.h"

constexpr uint32_t kHeaderSize = 0x4C;

// LinkFlags of the sections every shortcut has; those of the strings are in string_data.h.
constexpr uint32_t kHasLinkTargetIdList = 0x01;
constexpr uint32_t kHasLinkInfo = 0x02;

// HotKey modifiers of every hotkey the program writes: Ctrl + Alt.
constexpr uint16_t kHotKeyCtrlAlt = 0x0600;

struct ShellLinkHeader {
    uint32_t linkFlags = 0;
    uint32_t fileAttributes = 0;
    uint64_t creationTime = 0;  // FILETIME
    uint64_t accessTime = 0;
    uint64_t writeTime = 0;
    uint32_t fileSize = 0;
    int32_t iconIndex = 0;
    int32_t showCommand = 0;
    uint16_t hotKey = 0;
};

// HotKey of a virtual-key code: 0 when its low byte is 0, else that byte with Ctrl + Alt.
uint16_t HotKeyOf(uint32_t keyCode);

// The header's 76 bytes.
ByteBuffer HeaderBytes(const ShellLinkHeader& header);
