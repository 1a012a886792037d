// The shortcut writer's one entry: a request in, a shortcut file on disk and a truth value out. It works
// in four stages: the request checked (refusals.h), the system asked for what the file needs
// (shortcut_facts.h), the bytes laid out (shortcut_layout.h), the file written (shortcut_file.h).
#pragma once

#include <cstdint>
#include <string>

#include "refusals.h"
#include "shortcut_request.h"

struct LnkPlatform;

// Writes the shortcut file through the system's calls os. kNone when all of it was written and
// checked; otherwise the rule that refused the request before any file was touched (a target that does
// not resolve or is not on a drive letter, a string with a character the ANSI code page lacks or longer
// than 32,767 ANSI bytes, ...), or kWriteFailed. The shortcut path holds either its old file or the
// complete new one at every moment; after a failure it holds the old one, and no other file is left.
Refusal WriteShortcut(const LnkPlatform& os, const ShortcutRequest& request);

// The result is a 16-bit truth value, -1 for true and 0 for false, the form in which the writer's
// callers have always taken it.
constexpr int16_t kBuildSucceeded = -1;
constexpr int16_t kBuildFailed = 0;

// WriteShortcut's answer as that truth value: kBuildSucceeded when it was written.
int16_t BuildShortcut(const LnkPlatform& os, const ShortcutRequest& request);
