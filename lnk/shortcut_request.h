// The inputs of a shortcut, as the window or a test hands them to the writer.
#pragma once

#include <cstdint>
#include <string>

// The inputs of a shortcut. Built by member name ({.targetPath = ...}); none has a default, so that a
// member left out is a compile error.
struct ShortcutRequest {
    std::u16string targetPath;     // the target, a path on a drive letter
    std::u16string linkPath;       // the shortcut file to write; empty: beside the target
    std::u16string arguments;
    std::u16string workingFolder;
    std::u16string iconFile;
    int32_t iconIndex;
    uint32_t hotKeyCode;           // virtual-key code in the low byte, 0 for no hotkey
    int32_t showCommand;           // 1 normal, 2 minimised, 3 maximised
    std::u16string comment;
};
