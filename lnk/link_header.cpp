// Serialises the ShellLinkHeader, field by field in file order.
#include "link_header.h"

uint16_t HotKeyOf(uint32_t keyCode) {
    const uint16_t key = keyCode & 0xFF;
    return key == 0 ? 0 : key | kHotKeyCtrlAlt;
}

ByteBuffer HeaderBytes(const ShellLinkHeader& header) {
    ByteBuffer bytes;
    AppendU32(bytes, kHeaderSize);
    // LinkCLSID {00021401-0000-0000-C000-000000000046}
    AppendBytes(bytes, {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46});
    AppendU32(bytes, header.linkFlags);
    AppendU32(bytes, header.fileAttributes);
    AppendU64(bytes, header.creationTime);
    AppendU64(bytes, header.accessTime);
    AppendU64(bytes, header.writeTime);
    AppendU32(bytes, header.fileSize);
    AppendU32(bytes, static_cast<uint32_t>(header.iconIndex));
    AppendU32(bytes, static_cast<uint32_t>(header.showCommand));
    AppendU16(bytes, header.hotKey);
    AppendZeros(bytes, 2 + 4 + 4);  // Reserved1, Reserved2, Reserved3
    return bytes;
}
