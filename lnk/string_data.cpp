// Serialises the counted strings; flags and sections come from one table so they cannot drift apart.
#include "string_data.h"

uint32_t StringDataFlags(const LinkStrings& strings) {
    uint32_t flags = 0;
    for (size_t slot = 0; slot < strings.size(); ++slot) {
        if (!strings[slot].empty()) flags |= kStringSlots[slot].flag;
    }
    return flags;
}

ByteBuffer StringDataBytes(const LinkStrings& strings) {
    ByteBuffer bytes;
    for (const std::string& text : strings) {
        if (text.empty()) continue;
        AppendU16(bytes, static_cast<uint16_t>(text.size()));
        AppendBytes(bytes, text);
    }
    AppendZeros(bytes, 4);  // TerminalBlock
    return bytes;
}
