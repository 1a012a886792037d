// What the file needs from the system, asked in one place: every query of a Create is made here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "item_id_list.h"
#include "link_info.h"
#include "refusals.h"
#include "string_data.h"

struct LnkPlatform;
struct ShortcutRequest;

struct ShortcutFacts {
    std::string target;             // the target path, ANSI
    LinkStrings strings;            // the strings of kStringSlots, ANSI
    uint32_t targetAttributes = 0;
    uint64_t targetSize = 0;        // 0 for a folder, and when unreadable
    uint64_t targetWriteTime = 0;   // FILETIME; 0 when unreadable
    std::vector<PathEntry> entries;  // the drive, then each folder and the target
    VolumeId volume;
    std::u16string linkPath;        // the shortcut path: as given, or beside a file target and named after it
    std::string ansiLinkPath;
};

// Asks the system, through os, for the facts of a request that CheckRequest let through, in the order
// a refusal can be found soonest; stops at the first answer that refuses it (refusals.h's rules).
Refusal GatherFacts(const LnkPlatform& os, const ShortcutRequest& request, ShortcutFacts* facts);
