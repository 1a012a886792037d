// Puts an assembled shortcut on disk so that its path always holds either the old file or the
// complete new one: written beside it, read back and checked, then renamed over it in one step.
#pragma once

#include <string>
#include <vector>

#include "shortcut_blocks.h"

// Writes the blocks one after another into the file at path, each in its own open-write-flush-close
// cycle, the first creating the file; false as soon as one is not written whole.
bool WriteBlocks(const std::string& path, const std::vector<ByteBuffer>& blocks);

// Writes the blocks, in eight open-write-flush-close cycles, into a new temporary file in the
// shortcut's folder, checks the file against them and puts it in place of the shortcut path: renamed
// over it in one step, or, when another program holds the shortcut open and lets others write it,
// written into it in place and read back. An existing read-only, hidden or system shortcut, or a
// folder at the path, is never replaced. On failure the temporary file is removed and whatever was at
// the path stays as it was.
bool WriteShortcutFile(const ShortcutBlocks& shortcut);
