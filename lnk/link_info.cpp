// Queries the volume and serialises the LinkInfo header and body.
#include "link_info.h"

#include <cstring>

#include "platform.h"
#include "text.h"

constexpr uint32_t kLabelBufferSize = 255;

VolumeId QueryVolumeId(const std::string& driveRoot, uint32_t driveType) {
    VolumeId volume;
    char label[kLabelBufferSize + 1] = {};
    uint32_t serial = 0;
    if (LnkSystem().volumeInformation(driveRoot, label, kLabelBufferSize, &serial)) {
        volume.label.assign(label, strnlen(label, kLabelBufferSize));
        volume.driveSerialNumber = serial;
    } else {
        volume.driveSerialNumber = kSerialOfFailedQuery;
    }
    volume.volumeIdSize = 16 + AnsiSizeZ(volume.label);
    volume.driveType = driveType;
    return volume;
}

void AppendVolumeId(const VolumeId& volume, ByteBuffer& buffer) {
    AppendU32(buffer, volume.volumeIdSize);
    AppendU32(buffer, volume.driveType);
    AppendU32(buffer, volume.driveSerialNumber);
    AppendU32(buffer, volume.volumeLabelOffset);
    AppendStringZ(buffer, volume.label);
}

LinkInfoHeader MakeLinkInfoHeader(const VolumeId& volume, const std::string& localBasePath) {
    LinkInfoHeader header;
    header.localBasePathOffset = kLinkInfoHeaderSize + volume.volumeIdSize;
    header.commonPathSuffixOffset = header.localBasePathOffset + AnsiSizeZ(localBasePath);
    header.linkInfoSize = header.commonPathSuffixOffset + 1;
    return header;
}

ByteBuffer LinkInfoHeaderBytes(const LinkInfoHeader& header) {
    ByteBuffer bytes;
    AppendU32(bytes, header.linkInfoSize);
    AppendU32(bytes, header.linkInfoHeaderSize);
    AppendU32(bytes, header.linkInfoFlags);
    AppendU32(bytes, header.volumeIdOffset);
    AppendU32(bytes, header.localBasePathOffset);
    AppendU32(bytes, header.commonNetworkRelativeLinkOffset);
    AppendU32(bytes, header.commonPathSuffixOffset);
    return bytes;
}

ByteBuffer LinkInfoBodyBytes(const VolumeId& volume, const std::string& localBasePath) {
    ByteBuffer body;
    AppendVolumeId(volume, body);
    AppendStringZ(body, localBasePath);
    AppendU8(body, 0);  // the empty CommonPathSuffix
    return body;
}
