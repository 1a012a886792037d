// A strict reader of the shortcut files the writer produces: reads every field and checks every
// size, offset and count against the bytes, independently of the writer's code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ParsedItem {
    uint16_t attributes = 0;
    uint8_t type = 0;
    uint32_t fileSize = 0;
    std::string longName, shortName;
};

struct ParsedLink {
    uint32_t linkFlags = 0, fileAttributes = 0, fileSize = 0, driveType = 0, driveSerialNumber = 0;
    uint64_t times[3] = {};
    int32_t iconIndex = 0, showCommand = 0;
    uint16_t hotKey = 0;
    std::vector<ParsedItem> items;  // after the root item
    std::string volumeLabel, localBasePath;
    std::vector<std::string> strings;  // the present strings, in file order
};

// Parses a whole file; on a broken rule returns false and says which in error.
bool ParseLink(const std::vector<uint8_t>& bytes, ParsedLink* link, std::string* error);

std::vector<uint8_t> Hex(const std::string& text);  // "4C 00 ..." to bytes
