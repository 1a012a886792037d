// Puts an assembled shortcut on disk so that its path always holds either the old file or the
// complete new one: written beside it, read back and checked, then renamed over it in one step.
#pragma once

#include <string>

#include "shortcut_blocks.h"

// The temporary file beside a shortcut path for a given process and attempt, such as
// "C:\Links\~vantorelle-1234-1.tmp".
std::u16string TemporaryPathBeside(const std::u16string& linkPath, uint32_t processId, uint32_t attempt);

// Writes the blocks, in eight open-write-flush-close cycles, into a new temporary file in the
// shortcut's folder, checks the file against them and puts it in place of the shortcut path.
// An existing read-only, hidden or system shortcut, or a folder at the path, is never replaced.
// On failure the temporary file is removed and whatever was at the path stays as it was.
bool WriteShortcutFile(const ShortcutBlocks& shortcut);
