// Serialises the counted strings; flags and sections come from one table so they cannot drift apart.
#include "string_data.h"

#include <array>

#include "link_header.h"

namespace {
struct StringSlot {
    uint32_t flag;
    const std::string* text;
};
}  // namespace

static std::array<StringSlot, 4> SlotsInFileOrder(const LinkStrings& s) {
    return {{{kHasName, &s.name},
             {kHasWorkingDir, &s.workingDir},
             {kHasArguments, &s.arguments},
             {kHasIconLocation, &s.iconLocation}}};
}

uint32_t StringDataFlags(const LinkStrings& strings) {
    uint32_t flags = 0;
    for (const StringSlot& slot : SlotsInFileOrder(strings)) {
        if (!slot.text->empty()) flags |= slot.flag;
    }
    return flags;
}

ByteBuffer StringDataBytes(const LinkStrings& strings) {
    ByteBuffer bytes;
    for (const StringSlot& slot : SlotsInFileOrder(strings)) {
        if (slot.text->empty()) continue;
        AppendU16(bytes, static_cast<uint16_t>(slot.text->size()));
        AppendBytes(bytes, *slot.text);
    }
    AppendZeros(bytes, 4);  // TerminalBlock
    return bytes;
}
