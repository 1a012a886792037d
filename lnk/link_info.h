// The LinkInfo: the volume's identity and the target's local path.
#pragma once

#include <cstdint>
#include <string>

#include "byte_buffer.h"

// What the system says of the target's volume.
struct VolumeId {
    uint32_t driveType = 0;
    uint32_t driveSerialNumber = 0;  // 0xFFFFFFFF when the volume query failed
    std::string label;               // ANSI; empty when the query failed
};

// The whole LinkInfo: its header, the VolumeID with its label, the ANSI local base path with its NUL,
// and the empty CommonPathSuffix.
ByteBuffer LinkInfoBytes(const VolumeId& volume, const std::string& localBasePath);
