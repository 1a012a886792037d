// Serialises the LinkInfo: sizes first, then the offsets derived from them, then the bytes.
#include "link_info.h"

#include "text.h"

constexpr uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr uint32_t kVolumeIdHeaderSize = 0x10;  // also where the label begins in it

ByteBuffer LinkInfoBytes(const VolumeId& volume, const std::string& localBasePath) {
    const uint32_t volumeIdSize = kVolumeIdHeaderSize + AnsiSizeZ(volume.label);
    const uint32_t localBasePathOffset = kLinkInfoHeaderSize + volumeIdSize;
    const uint32_t commonPathSuffixOffset = localBasePathOffset + AnsiSizeZ(localBasePath);
    ByteBuffer bytes;
    AppendU32(bytes, commonPathSuffixOffset + 1);  // LinkInfoSize
    AppendU32(bytes, kLinkInfoHeaderSize);
    AppendU32(bytes, kVolumeIdAndLocalBasePath);
    AppendU32(bytes, kLinkInfoHeaderSize);  // VolumeIDOffset
    AppendU32(bytes, localBasePathOffset);
    AppendU32(bytes, 0);                    // CommonNetworkRelativeLinkOffset
    AppendU32(bytes, commonPathSuffixOffset);
    AppendU32(bytes, volumeIdSize);
    AppendU32(bytes, volume.driveType);
    AppendU32(bytes, volume.driveSerialNumber);
    AppendU32(bytes, kVolumeIdHeaderSize);  // VolumeLabelOffset
    AppendStringZ(bytes, volume.label);
    AppendStringZ(bytes, localBasePath);
    AppendU8(bytes, 0);  // the empty CommonPathSuffix
    return bytes;
}
