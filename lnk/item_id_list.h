// The target's item-ID list: My Computer, the drive, then one item per folder and the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "byte_buffer.h"

// Item type bytes.
constexpr uint8_t kItemDriveRemovable = 0x29;
constexpr uint8_t kItemDriveCdrom = 0x25;
constexpr uint8_t kItemDriveOther = 0x23;
constexpr uint8_t kItemFolder = 0x31;
constexpr uint8_t kItemFile = 0x32;

// One item after the root item. Names are ANSI bytes.
struct PathEntry {
    uint8_t itemType = 0;
    std::string itemName;   // the drive root for the drive item, else empty
    uint32_t fileSize = 0;  // the target's size for the file item
    uint16_t attributes = 0;
    std::string longName;   // the name as written in the target path (3 NULs for the drive)
    std::string shortName;  // the name as written in the short path
};

// The drive item's type byte for a drive type of the system (GetDriveType).
uint8_t DriveItemType(uint32_t driveType);

// The whole list: its 16-bit size, the root item, one item per entry (each name with its NUL, a zero
// date) and the terminating zero ItemIDSize.
ByteBuffer IdListBytes(const std::vector<PathEntry>& entries);
