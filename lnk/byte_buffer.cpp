// Growable byte buffer: little-endian values appended at its end.
#include "byte_buffer.h"

static void AppendLittleEndian(ByteBuffer& buffer, uint64_t value, int width) {
    for (int i = 0; i < width; ++i) buffer.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void AppendU8(ByteBuffer& buffer, uint8_t value) {
    AppendLittleEndian(buffer, value, 1);
}

void AppendU16(ByteBuffer& buffer, uint16_t value) {
    AppendLittleEndian(buffer, value, 2);
}

void AppendU32(ByteBuffer& buffer, uint32_t value) {
    AppendLittleEndian(buffer, value, 4);
}

void AppendU64(ByteBuffer& buffer, uint64_t value) {
    AppendLittleEndian(buffer, value, 8);
}

void AppendBytes(ByteBuffer& buffer, std::initializer_list<uint8_t> bytes) {
    buffer.insert(buffer.end(), bytes);
}

void AppendBytes(ByteBuffer& buffer, const std::string& bytes) {
    buffer.insert(buffer.end(), bytes.begin(), bytes.end());
}

void AppendZeros(ByteBuffer& buffer, size_t count) {
    buffer.resize(buffer.size() + count, 0);
}

void AppendStringZ(ByteBuffer& buffer, const std::string& ansi) {
    AppendBytes(buffer, ansi);
    AppendU8(buffer, 0);
}
