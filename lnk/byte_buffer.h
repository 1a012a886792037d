// The growable, zero-filled byte buffer in which the sections of a shortcut are assembled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using ByteBuffer = std::vector<uint8_t>;

// Number of bytes the buffer holds; 0 for an empty one.
int32_t ByteCount(const ByteBuffer& buffer);

// Lengthens the buffer to hold at least size bytes; the new bytes are zero.
void GrowTo(ByteBuffer& buffer, size_t size);

// Stores the values one after another from start on. The buffer is never lengthened:
// values that would fall past its end are dropped.
void PutBytes(ByteBuffer& buffer, size_t start, std::initializer_list<uint8_t> values);

// counter += amount.
void AddTo(int32_t& counter, int32_t amount);

// Little-endian stores at a position, lengthening the buffer when they reach past its end;
// each returns the number of bytes stored.
int32_t StoreU8(ByteBuffer& buffer, size_t at, uint8_t value);
int32_t StoreU16(ByteBuffer& buffer, size_t at, uint16_t value);
int32_t StoreU32(ByteBuffer& buffer, size_t at, uint32_t value);
int32_t StoreU64(ByteBuffer& buffer, size_t at, uint64_t value);
int32_t StoreBytes(ByteBuffer& buffer, size_t at, const std::string& bytes);

// Appends at the end, growing the buffer.
void AppendU16(ByteBuffer& buffer, uint16_t value);
void AppendU32(ByteBuffer& buffer, uint32_t value);
void AppendBytes(ByteBuffer& buffer, const std::string& bytes);
