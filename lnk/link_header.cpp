// Serialises the ShellLinkHeader, field by field at its offsets.
#include "link_header.h"

uint16_t HotKeyOf(uint32_t keyCode) {
    const uint16_t key = keyCode & 0xFF;
    return key == 0 ? 0 : key | kHotKeyCtrlAlt;
}

ByteBuffer HeaderBytes(const ShellLinkHeader& header) {
    ByteBuffer bytes(kHeaderSize, 0);
    StoreU32(bytes, 0x00, kHeaderSize);
    // LinkCLSID {00021401-0000-0000-C000-000000000046}
    PutBytes(bytes, 0x04, {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                           0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46});
    StoreU32(bytes, 0x14, header.linkFlags);
    StoreU32(bytes, 0x18, header.fileAttributes);
    StoreU64(bytes, 0x1C, header.creationTime);
    StoreU64(bytes, 0x24, header.accessTime);
    StoreU64(bytes, 0x2C, header.writeTime);
    StoreU32(bytes, 0x34, header.fileSize);
    StoreU32(bytes, 0x38, static_cast<uint32_t>(header.iconIndex));
    StoreU32(bytes, 0x3C, static_cast<uint32_t>(header.showCommand));
    StoreU16(bytes, 0x40, header.hotKey);
    // Reserved1 (0x42), Reserved2 (0x44) and Reserved3 (0x48) stay zero.
    return bytes;
}
