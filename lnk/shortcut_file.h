// Puts an assembled shortcut on disk so that its path always holds either the old file or the
// complete new one: written beside it, read back and checked, then renamed over it in one step.
#pragma once

#include "shortcut_blocks.h"

// Writes the blocks, in file order, into a new temporary file in the shortcut's folder through one
// handle, flushes it once, reads it back, checks it against the blocks and puts it in place of the
// shortcut path: renamed over it in one step through that handle, or, when another program holds the
// shortcut open and lets others write it, written into it in place and read back. On failure the
// temporary file is removed and whatever was at the path stays as it was.
bool WriteShortcutFile(const ShortcutBlocks& shortcut);
