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

// The constant first item: ItemIDSize 20, 1F 50, then {20D04FE0-3AEA-1069-A2D8-08002B30309D}.
constexpr size_t kRootItemSize = 20;
void AppendRootItem(ByteBuffer& buffer);

// One item after the root item. Names are ANSI bytes.
struct PathEntry {
    uint16_t itemSize = 0;  // filled in by AppendItem
    uint8_t itemType = 0;
    std::string itemName;   // the drive root for the drive item, else empty
    uint32_t fileSize = 0;  // the target's size for the file item
    uint32_t dateTime = 0;  // never filled
    uint16_t attributes = 0;
    std::string longName;   // the component as written in the target path
    std::string shortName;  // the component as written in the short path
};

// What the walk of a target path yields.
struct PathWalk {
    std::vector<PathEntry> entries;  // drive entry first, then the components in path order
    std::string driveRoot;           // such as "C:\", ANSI
    uint32_t driveType = 0;          // as the platform reported it
};

// True for an absolute path on a drive letter: "X:\" followed by components separated by single
// backslashes (a trailing one allowed), none of them ending in a dot or a blank (so neither "." nor
// ".."), with no "/", no further ":" and no NUL anywhere.
bool IsDriveLetterPath(const std::u16string& path);

// Walks a drive-letter target path and its short form into path entries, querying the drive type
// and the attributes of every folder; the last item carries targetAttributes and, for a file,
// targetSize. When linkPath is empty and the target is a file, sets it to the default shortcut path:
// the target's folder and its file name up to the first ".", followed by ".lnk".
// False when a component has no exact ANSI form.
bool CollectPathEntries(const std::u16string& targetPath, const std::u16string& shortPath, uint32_t targetAttributes,
                        uint32_t targetSize, std::u16string& linkPath, PathWalk* walk);

// Appends one entry as an item, each name with its NUL. Sets entry.itemSize.
void AppendItem(PathEntry& entry, ByteBuffer& buffer);
