// Serialises the path entries as shell items under the root item.
#include "item_id_list.h"

#include "text.h"

constexpr uint32_t kDriveRemovable = 2;
constexpr uint32_t kDriveCdrom = 5;
constexpr size_t kRootItemSize = 20;

uint8_t DriveItemType(uint32_t driveType) {
    if (driveType == kDriveRemovable) return kItemDriveRemovable;
    if (driveType == kDriveCdrom) return kItemDriveCdrom;
    return kItemDriveOther;
}

static void AppendItem(const PathEntry& entry, ByteBuffer& buffer) {
    AppendU16(buffer, static_cast<uint16_t>(AnsiSizeZ(entry.itemName) + 13 + AnsiSizeZ(entry.longName) +
                                            AnsiSizeZ(entry.shortName)));
    AppendU8(buffer, entry.itemType);
    AppendStringZ(buffer, entry.itemName);
    AppendU32(buffer, entry.fileSize);
    AppendU32(buffer, 0);  // the date and time, never filled
    AppendU16(buffer, entry.attributes);
    AppendStringZ(buffer, entry.longName);
    AppendStringZ(buffer, entry.shortName);
}

ByteBuffer IdListBytes(const std::vector<PathEntry>& entries) {
    ByteBuffer items;
    for (const PathEntry& entry : entries) AppendItem(entry, items);
    ByteBuffer list;
    AppendU16(list, static_cast<uint16_t>(kRootItemSize + items.size() + 2));
    // My Computer: ItemIDSize 20, 1F 50, then {20D04FE0-3AEA-1069-A2D8-08002B30309D}.
    AppendBytes(list, {0x14, 0x00, 0x1F, 0x50, 0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A,
                       0x69, 0x10, 0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D});
    list.insert(list.end(), items.begin(), items.end());
    AppendU16(list, 0);  // TerminalID
    return list;
}
