// A strict reader of the shortcut files the writer produces: parses every field and checks every
// size, offset and count against the bytes, independently of the writer's code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ParsedItem {
    uint16_t size = 0;
    uint8_t type = 0;
    std::string name;
    uint32_t fileSize = 0;
    uint32_t dateTime = 0;
    uint16_t attributes = 0;
    std::string longName;
    std::string shortName;
};

struct ParsedLink {
    uint32_t linkFlags = 0;
    uint32_t fileAttributes = 0;
    uint64_t creationTime = 0, accessTime = 0, writeTime = 0;
    uint32_t fileSize = 0;
    int32_t iconIndex = 0;
    int32_t showCommand = 0;
    uint16_t hotKey = 0;
    uint16_t idListSize = 0;
    std::vector<ParsedItem> items;  // after the root item
    uint32_t linkInfoSize = 0;
    uint32_t localBasePathOffset = 0;
    uint32_t commonPathSuffixOffset = 0;
    uint32_t volumeIdSize = 0;
    uint32_t driveType = 0;
    uint32_t driveSerialNumber = 0;
    std::string volumeLabel;
    std::string localBasePath;
    std::vector<std::string> strings;  // the present strings, in file order
};

// Parses a whole file; on a broken rule returns false and says which in error.
bool ParseLink(const std::vector<uint8_t>& bytes, ParsedLink* link, std::string* error);

std::vector<uint8_t> Hex(const std::string& text);  // "4C 00 ..." to bytes
std::string HexOf(const std::vector<uint8_t>& bytes);
