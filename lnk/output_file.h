// The positioned writer through which every byte of a shortcut reaches the disk.
#pragma once

#include <cstdint>
#include <string>

// File position that asks WriteBytesAt to create the file, emptying one that exists.
constexpr int32_t kCreateFile = -1;

// One open-write-flush-close cycle: writes count bytes from bytes + offset at the file position
// (kCreateFile: create or empty the file; otherwise open or create it and, when the position is
// greater than 0, seek there). Returns the bytes written, -1 when the file failed to open, and 0 when
// the seek, the write, the flush or the close failed.
int32_t WriteBytesAt(const std::string& path, const uint8_t* bytes, uint32_t count, uint32_t offset, int32_t position);
