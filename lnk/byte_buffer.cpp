// Growable byte buffer and its little-endian stores.
#include "byte_buffer.h"

#include <cstring>

int32_t ByteCount(const ByteBuffer& buffer) {
    return static_cast<int32_t>(buffer.size());
}

void GrowTo(ByteBuffer& buffer, size_t size) {
    if (buffer.size() < size) buffer.resize(size, 0);
}

void PutBytes(ByteBuffer& buffer, size_t start, std::initializer_list<uint8_t> values) {
    size_t at = start;
    for (uint8_t value : values) {
        if (at >= buffer.size()) return;
        buffer[at++] = value;
    }
}

void AddTo(int32_t& counter, int32_t amount) {
    counter += amount;
}

static int32_t StoreLittleEndian(ByteBuffer& buffer, size_t at, uint64_t value, int32_t width) {
    GrowTo(buffer, at + width);
    for (int32_t i = 0; i < width; ++i) buffer[at + i] = static_cast<uint8_t>(value >> (8 * i));
    return width;
}

int32_t StoreU8(ByteBuffer& buffer, size_t at, uint8_t value) {
    return StoreLittleEndian(buffer, at, value, 1);
}

int32_t StoreU16(ByteBuffer& buffer, size_t at, uint16_t value) {
    return StoreLittleEndian(buffer, at, value, 2);
}

int32_t StoreU32(ByteBuffer& buffer, size_t at, uint32_t value) {
    return StoreLittleEndian(buffer, at, value, 4);
}

int32_t StoreU64(ByteBuffer& buffer, size_t at, uint64_t value) {
    return StoreLittleEndian(buffer, at, value, 8);
}

int32_t StoreBytes(ByteBuffer& buffer, size_t at, const std::string& bytes) {
    if (bytes.empty()) return 0;
    GrowTo(buffer, at + bytes.size());
    std::memcpy(buffer.data() + at, bytes.data(), bytes.size());
    return static_cast<int32_t>(bytes.size());
}

void AppendU16(ByteBuffer& buffer, uint16_t value) {
    StoreU16(buffer, buffer.size(), value);
}

void AppendU32(ByteBuffer& buffer, uint32_t value) {
    StoreU32(buffer, buffer.size(), value);
}

void AppendBytes(ByteBuffer& buffer, const std::string& bytes) {
    StoreBytes(buffer, buffer.size(), bytes);
}
