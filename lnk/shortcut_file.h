// Puts a shortcut's bytes on disk so that its path always holds either the old file or the complete
// new one: written beside it, read back and checked, then renamed over it in one step.
#pragma once

#include <string>

#include "byte_buffer.h"

struct LnkPlatform;

// Writes the bytes in one call into a new temporary file in the shortcut's folder (linkPath, and its
// ANSI form), flushes it once, reads it back, checks it and puts it in place of the shortcut path:
// renamed over it in one step through that handle, or, when another program holds the shortcut open
// and lets others write it, written into it in place and read back. On failure the temporary file is
// removed and whatever was at the path stays as it was.
bool WriteShortcutFile(const LnkPlatform& os, const ByteBuffer& bytes, const std::u16string& linkPath,
                       const std::string& ansiLinkPath);
