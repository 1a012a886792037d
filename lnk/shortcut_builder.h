// The shortcut writer's one entry: a request in, a shortcut file on disk and a truth value out.
#pragma once

#include <cstdint>
#include <string>

// The nine inputs of a shortcut, in the order BuildShortcut takes them.
struct ShortcutRequest {
    std::u16string targetPath;     // the target, a path on a drive letter
    std::u16string linkPath;       // the shortcut file to write; empty: beside the target
    std::u16string arguments;
    std::u16string workingFolder;
    std::u16string iconFile;
    int32_t iconIndex = 0;
    uint32_t hotKeyCode = 0;       // virtual-key code in the low byte, 0 for no hotkey
    int32_t showCommand = 1;       // 1 normal, 2 minimised, 3 maximised
    std::u16string comment;
};

// The result is a 16-bit truth value, -1 for true and 0 for false, the form in which the writer's
// callers have always taken it.
constexpr int16_t kBuildSucceeded = -1;
constexpr int16_t kBuildFailed = 0;

// Writes the shortcut file and returns kBuildSucceeded when all of it was written and checked, otherwise
// kBuildFailed. A request that cannot be written exactly (a target that does not resolve or is not on a
// drive letter, a string with a character the ANSI code page lacks or longer than 32,767 ANSI bytes)
// fails before any file is touched. The shortcut path holds either its old file or the complete new
// one at every moment; after a failure it holds the old one, and no other file is left behind.
int16_t BuildShortcut(const std::u16string& targetPath, const std::u16string& linkPath, const std::u16string& arguments,
                      const std::u16string& workingFolder, const std::u16string& iconFile, int32_t iconIndex,
                      uint32_t hotKeyCode, int32_t showCommand, const std::u16string& comment);

inline int16_t BuildShortcut(const ShortcutRequest& r) {
    return BuildShortcut(r.targetPath, r.linkPath, r.arguments, r.workingFolder, r.iconFile, r.iconIndex, r.hotKeyCode,
                         r.showCommand, r.comment);
}
