// The growable byte buffer in which the sections of a shortcut are assembled, one value after another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using ByteBuffer = std::vector<uint8_t>;

// Little-endian values, bytes and zero bytes, appended at the end.
void AppendU8(ByteBuffer& buffer, uint8_t value);
void AppendU16(ByteBuffer& buffer, uint16_t value);
void AppendU32(ByteBuffer& buffer, uint32_t value);
void AppendU64(ByteBuffer& buffer, uint64_t value);
void AppendBytes(ByteBuffer& buffer, std::initializer_list<uint8_t> bytes);
void AppendBytes(ByteBuffer& buffer, const std::string& bytes);
void AppendZeros(ByteBuffer& buffer, size_t count);
// An ANSI string and its NUL terminator.
void AppendStringZ(ByteBuffer& buffer, const std::string& ansi);
