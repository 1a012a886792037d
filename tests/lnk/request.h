// The request of most tests: a target, a shortcut path, arguments and a comment; no working folder, icon
// or hotkey, and the normal window.
#pragma once

#include "lnk/shortcut_request.h"

inline ShortcutRequest Request(std::u16string target = u"C:\\A\\B.EXE", std::u16string link = u"C:\\out.lnk",
                               std::u16string arguments = u"", std::u16string comment = u"") {
    return {.targetPath = target, .linkPath = link, .arguments = arguments, .workingFolder = u"", .iconFile = u"",
            .iconIndex = 0, .hotKeyCode = 0, .showCommand = 1, .comment = comment};
}
