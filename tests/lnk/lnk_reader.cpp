// The strict reader: a cursor over the bytes with a sticky error, and one check per rule of the format.
#include "lnk_reader.h"

#include <cstdio>
#include <cstring>

namespace {

struct Cursor {
    const std::vector<uint8_t>& bytes;
    size_t at = 0;
    std::string error;

    bool Need(size_t n, const char* what) {
        if (error.empty() && at + n > bytes.size()) error = std::string("file ends inside ") + what;
        return error.empty();
    }
    uint64_t Uint(int width, const char* what) {
        if (!Need(width, what)) return 0;
        uint64_t value = 0;
        for (int i = 0; i < width; ++i) value |= static_cast<uint64_t>(bytes[at + i]) << (8 * i);
        at += width;
        return value;
    }
    std::string Raw(size_t n, const char* what) {
        if (!Need(n, what)) return {};
        std::string s(reinterpret_cast<const char*>(bytes.data() + at), n);
        at += n;
        return s;
    }
    std::string Terminated(size_t end, const char* what) {  // up to a NUL before end, NUL consumed
        for (size_t i = at; i < end && i < bytes.size(); ++i) {
            if (bytes[i] == 0) {
                const size_t length = i - at;
                std::string text = Raw(length + 1, what);
                if (!text.empty()) text.pop_back();  // empty after an earlier error
                return text;
            }
        }
        if (error.empty()) error = std::string("no terminator in ") + what;
        return {};
    }
    void Expect(bool condition, const std::string& what) {
        if (error.empty() && !condition) error = what;
    }
};

const uint8_t kClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                            0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
const uint8_t kRoot[20] = {0x14, 0x00, 0x1F, 0x50, 0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A,
                           0x69, 0x10, 0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};

void ReadHeader(Cursor& c, ParsedLink* link) {
    c.Expect(c.Uint(4, "header") == 0x4C, "HeaderSize is not 76");
    c.Expect(c.Raw(16, "header") == std::string(reinterpret_cast<const char*>(kClsid), 16), "LinkCLSID");
    link->linkFlags = static_cast<uint32_t>(c.Uint(4, "header"));
    c.Expect((link->linkFlags & 0x3) == 0x3 && (link->linkFlags & ~0x77u) == 0, "LinkFlags outside 0x77 or without 0x3");
    link->fileAttributes = static_cast<uint32_t>(c.Uint(4, "header"));
    link->creationTime = c.Uint(8, "header");
    link->accessTime = c.Uint(8, "header");
    link->writeTime = c.Uint(8, "header");
    link->fileSize = static_cast<uint32_t>(c.Uint(4, "header"));
    link->iconIndex = static_cast<int32_t>(c.Uint(4, "header"));
    link->showCommand = static_cast<int32_t>(c.Uint(4, "header"));
    link->hotKey = static_cast<uint16_t>(c.Uint(2, "header"));
    c.Expect(c.Uint(2, "header") == 0 && c.Uint(4, "header") == 0 && c.Uint(4, "header") == 0, "reserved fields");
}

void ReadIdList(Cursor& c, ParsedLink* link) {
    link->idListSize = static_cast<uint16_t>(c.Uint(2, "IDListSize"));
    const size_t end = c.at + link->idListSize;
    c.Expect(c.Raw(20, "root item") == std::string(reinterpret_cast<const char*>(kRoot), 20), "root item");
    while (c.error.empty() && c.at + 2 < end) {
        const size_t start = c.at;
        ParsedItem item;
        item.size = static_cast<uint16_t>(c.Uint(2, "item"));
        const size_t itemEnd = start + item.size;
        c.Expect(item.size >= 16 && itemEnd <= end - 2, "item size outside the list");
        if (!c.error.empty()) break;
        item.type = static_cast<uint8_t>(c.Uint(1, "item"));
        item.name = c.Terminated(itemEnd, "item name");
        item.fileSize = static_cast<uint32_t>(c.Uint(4, "item"));
        item.dateTime = static_cast<uint32_t>(c.Uint(4, "item"));
        item.attributes = static_cast<uint16_t>(c.Uint(2, "item"));
        item.longName = c.Terminated(itemEnd, "long name");
        if (link->items.empty()) {  // the drive item's names are three NULs each
            c.Expect(item.longName.empty() && c.Raw(3, "drive item") == std::string(3, '\0'), "drive item long name");
            item.shortName = c.Terminated(itemEnd, "short name");
            c.Expect(item.shortName.empty() && c.Raw(3, "drive item") == std::string(3, '\0'), "drive item short name");
        } else {
            item.shortName = c.Terminated(itemEnd, "short name");
        }
        c.Expect(c.at == itemEnd, "item size does not match its contents");
        link->items.push_back(item);
    }
    c.Expect(c.at == end - 2, "items do not add up to IDListSize");
    c.Expect(c.Uint(2, "TerminalID") == 0, "TerminalID is not zero");
}

void ReadLinkInfo(Cursor& c, ParsedLink* link) {
    const size_t start = c.at;
    link->linkInfoSize = static_cast<uint32_t>(c.Uint(4, "LinkInfo"));
    c.Expect(c.Uint(4, "LinkInfo") == 0x1C, "LinkInfoHeaderSize");
    c.Expect(c.Uint(4, "LinkInfo") == 1, "LinkInfoFlags");
    c.Expect(c.Uint(4, "LinkInfo") == 0x1C, "VolumeIDOffset");
    link->localBasePathOffset = static_cast<uint32_t>(c.Uint(4, "LinkInfo"));
    c.Expect(c.Uint(4, "LinkInfo") == 0, "CommonNetworkRelativeLinkOffset");
    link->commonPathSuffixOffset = static_cast<uint32_t>(c.Uint(4, "LinkInfo"));
    link->volumeIdSize = static_cast<uint32_t>(c.Uint(4, "VolumeID"));
    link->driveType = static_cast<uint32_t>(c.Uint(4, "VolumeID"));
    link->driveSerialNumber = static_cast<uint32_t>(c.Uint(4, "VolumeID"));
    c.Expect(c.Uint(4, "VolumeID") == 0x10, "VolumeLabelOffset");
    link->volumeLabel = c.Terminated(start + 28 + link->volumeIdSize, "volume label");
    c.Expect(c.at == start + 28 + link->volumeIdSize, "VolumeIDSize does not match the label");
    c.Expect(c.at == start + link->localBasePathOffset, "LocalBasePathOffset");
    link->localBasePath = c.Terminated(start + link->linkInfoSize, "LocalBasePath");
    c.Expect(c.at == start + link->commonPathSuffixOffset, "CommonPathSuffixOffset");
    c.Expect(c.Uint(1, "CommonPathSuffix") == 0, "CommonPathSuffix is not empty");
    c.Expect(c.at == start + link->linkInfoSize, "LinkInfoSize");
}

void ReadStrings(Cursor& c, ParsedLink* link) {
    for (uint32_t flag : {0x04u, 0x10u, 0x20u, 0x40u}) {
        if (!(link->linkFlags & flag)) continue;
        const size_t count = c.Uint(2, "string count");
        c.Expect(count > 0 && count <= 32767, "string count outside 1..32767");
        link->strings.push_back(c.Raw(count, "string"));
    }
    c.Expect(c.Raw(4, "TerminalBlock") == std::string(4, '\0'), "TerminalBlock is not four zero bytes");
    c.Expect(c.at == c.bytes.size(), "bytes after the TerminalBlock");
}

}  // namespace

bool ParseLink(const std::vector<uint8_t>& bytes, ParsedLink* link, std::string* error) {
    Cursor c{bytes, 0, {}};
    ReadHeader(c, link);
    ReadIdList(c, link);
    ReadLinkInfo(c, link);
    ReadStrings(c, link);
    *error = c.error;
    return c.error.empty();
}

std::vector<uint8_t> Hex(const std::string& text) {
    std::vector<uint8_t> bytes;
    unsigned value = 0;
    int digits = 0;
    for (char ch : text) {
        const char* hex = "0123456789ABCDEF";
        const char* at = std::strchr(hex, ch >= 'a' && ch <= 'f' ? ch - 32 : ch);
        if (!at || ch == 0) continue;
        value = value * 16 + static_cast<unsigned>(at - hex);
        if (++digits == 2) {
            bytes.push_back(static_cast<uint8_t>(value));
            value = 0;
            digits = 0;
        }
    }
    return bytes;
}

std::string HexOf(const std::vector<uint8_t>& bytes) {
    std::string text;
    char piece[4];
    for (uint8_t b : bytes) {
        std::snprintf(piece, sizeof piece, "%02X ", b);
        text += piece;
    }
    return text;
}
