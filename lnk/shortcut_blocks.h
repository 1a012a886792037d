// A shortcut assembled in memory: the eight blocks in which its bytes reach the disk.
#pragma once

#include <string>
#include <vector>

#include "byte_buffer.h"
#include "shortcut_builder.h"

struct ShortcutBlocks {
    std::u16string linkPath;  // the shortcut file, the default one when the request named none
    std::string ansiLinkPath;
    // Header, IDListSize, root item, items, TerminalID, LinkInfo header, LinkInfo body, string data.
    std::vector<ByteBuffer> blocks;
};

// Checks the request, gathers the target's facts from the system and assembles the blocks.
// False when the request cannot be written exactly; no file is touched either way.
bool AssembleShortcut(const ShortcutRequest& request, ShortcutBlocks* shortcut);
