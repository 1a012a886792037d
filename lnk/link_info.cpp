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

void AppendVolumeId(const VolumeId& volume, ByteBuffer& buffer, int32_t start) {
    GrowTo(buffer, static_cast<size_t>(start) + volume.volumeIdSize);
    int32_t at = start;
    AddTo(at, StoreU32(buffer, at, volume.volumeIdSize));
    AddTo(at, StoreU32(buffer, at, volume.driveType));
    AddTo(at, StoreU32(buffer, at, volume.driveSerialNumber));
    AddTo(at, StoreU32(buffer, at, volume.volumeLabelOffset));
    StoreBytes(buffer, at, volume.label);
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
    AppendVolumeId(volume, body, 0);
    AppendBytes(body, localBasePath);
    GrowTo(body, body.size() + 2);  // the path's NUL and the empty CommonPathSuffix
    return body;
}
