// A strict reader of the shortcut files the writer produces: reads every field and checks every
// size, offset and count against the bytes, independently of the writer's code.
#pragma once

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

struct ParsedItem {
    uint32_t type = 0, fileSize = 0, attributes = 0;
    std::string longName, shortName;
};

struct ParsedLink {
    uint32_t linkFlags = 0, fileAttributes = 0, fileSize = 0, driveType = 0, driveSerialNumber = 0, hotKey = 0;
    uint64_t times[3] = {};
    int32_t iconIndex = 0, showCommand = 0;
    std::vector<ParsedItem> items;  // after the root item
    std::string volumeLabel, localBasePath;
    std::vector<std::string> strings;  // the present strings, in file order
};


// Parses a whole file; a broken rule throws, saying which.
inline ParsedLink ParseLink(const std::vector<uint8_t>& bytes) {
    size_t at = 0;
    auto expect = [](bool condition, const char* rule) { if (!condition) throw std::runtime_error(rule); };
    auto raw = [&](size_t n) {
        expect(at + n <= bytes.size(), "the file ends early");
        at += n;
        return std::string(bytes.begin() + at - n, bytes.begin() + at);
    };
    auto number = [&](size_t n) {
        uint64_t value = 0;
        for (const std::string r = raw(n); n-- > 0;) value = value << 8 | static_cast<uint8_t>(r[n]);
        return value;
    };
    auto text = [&] {  // up to a NUL, NUL consumed; where it ends is checked against the sizes and offsets
        const std::string s = raw(std::find(bytes.begin() + at, bytes.end(), 0) - bytes.begin() - at);
        return raw(1), s;
    };
    ParsedLink l;
    expect(raw(20) == std::string("\x4C\0\0\0\x01\x14\x02\0\0\0\0\0\xC0\0\0\0\0\0\0\x46", 20), "header start");
    l.linkFlags = number(4);
    expect((l.linkFlags & 0x3) == 0x3 && (l.linkFlags & ~0x77u) == 0, "LinkFlags outside 0x77 or without 0x3");
    l.fileAttributes = number(4);
    for (uint64_t& time : l.times) time = number(8);  // creation, access and write
    l.fileSize = number(4);
    l.iconIndex = number(4);
    l.showCommand = number(4);
    l.hotKey = number(2);
    expect(raw(10) == std::string(10, '\0'), "reserved fields");

    const size_t listSize = number(2), listEnd = at + listSize;
    const char root[] = "\x14\0\x1F\x50\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\0\x2B\x30\x30\x9D";
    expect(raw(20) == std::string(root, 20), "root item");
    while (at + 2 < listEnd) {
        ParsedItem item;
        const size_t start = at, end = start + number(2);
        expect(end >= start + 16 && end + 2 <= listEnd, "item size outside the list");
        item.type = number(1);
        text();  // the drive item's name (its root, such as C:\), empty in the others
        item.fileSize = number(4);
        expect(number(4) == 0, "item date and time");
        item.attributes = number(2);
        if (l.items.empty()) {  // the drive item's names: four NULs each
            expect(raw(8) == std::string(8, '\0'), "drive item names");
        } else {
            item.longName = text();
            item.shortName = text();
        }
        expect(at == end, "item size does not match its contents");
        l.items.push_back(item);
    }
    expect(at + 2 == listEnd && number(2) == 0, "items and TerminalID do not add up to IDListSize");

    const size_t info = at, size = number(4);
    expect(number(4) == 0x1C && number(4) == 1 && number(4) == 0x1C, "LinkInfo header");
    const size_t basePath = info + number(4);
    expect(number(4) == 0, "CommonNetworkRelativeLinkOffset");
    const size_t suffix = info + number(4), label = info + 28 + number(4);
    l.driveType = number(4);
    l.driveSerialNumber = number(4);
    expect(number(4) == 0x10, "VolumeLabelOffset");
    l.volumeLabel = text();
    expect(at == label && at == basePath, "VolumeIDSize or LocalBasePathOffset");
    l.localBasePath = text();
    expect(at == suffix && number(1) == 0 && at == info + size, "CommonPathSuffix or LinkInfoSize");

    for (uint32_t flag : {0x04u, 0x10u, 0x20u, 0x40u}) {
        if (!(l.linkFlags & flag)) continue;
        const size_t count = number(2);
        expect(count > 0 && count <= 32767, "string count outside 1..32767");
        l.strings.push_back(raw(count));
    }
    expect(raw(4) == std::string(4, '\0') && at == bytes.size(), "no TerminalBlock at the end");
    return l;
}

// "4C 00 ..." to bytes.
inline std::vector<uint8_t> Hex(const std::string& text) {
    std::vector<uint8_t> bytes;
    std::istringstream in(text);
    for (unsigned byte; in >> std::hex >> byte;) bytes.push_back(static_cast<uint8_t>(byte));
    return bytes;
}
