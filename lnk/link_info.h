// The LinkInfo: the volume's identity and the target's local path.
#pragma once

#include <cstdint>
#include <string>

#include "byte_buffer.h"

constexpr uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr uint32_t kVolumeLabelOffset = 0x10;
constexpr uint32_t kSerialOfFailedQuery = 0xFFFFFFFF;

struct VolumeId {
    uint32_t volumeIdSize = 0;  // 16 + AnsiSizeZ(label)
    uint32_t driveType = 0;
    uint32_t driveSerialNumber = 0;
    uint32_t volumeLabelOffset = kVolumeLabelOffset;
    std::string label;  // ANSI
};

struct LinkInfoHeader {
    uint32_t linkInfoSize = 0;
    uint32_t linkInfoHeaderSize = kLinkInfoHeaderSize;
    uint32_t linkInfoFlags = kVolumeIdAndLocalBasePath;
    uint32_t volumeIdOffset = kLinkInfoHeaderSize;
    uint32_t localBasePathOffset = 0;
    uint32_t commonNetworkRelativeLinkOffset = 0;
    uint32_t commonPathSuffixOffset = 0;
};

// The VolumeID of a drive root: label and serial from the volume query, or an empty label and
// serial 0xFFFFFFFF when the query fails.
VolumeId QueryVolumeId(const std::string& driveRoot, uint32_t driveType);

// Appends the VolumeID: its four fields and the label with its NUL.
void AppendVolumeId(const VolumeId& volume, ByteBuffer& buffer);

// The LinkInfo header for a volume and an ANSI local base path.
LinkInfoHeader MakeLinkInfoHeader(const VolumeId& volume, const std::string& localBasePath);
ByteBuffer LinkInfoHeaderBytes(const LinkInfoHeader& header);

// The LinkInfo body: VolumeID, LocalBasePath and its NUL, and the empty CommonPathSuffix.
ByteBuffer LinkInfoBodyBytes(const VolumeId& volume, const std::string& localBasePath);
