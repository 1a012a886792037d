// Test tool: builds one shortcut per line of a UTF-8 request file, "TARGET<tab>SHORTCUT", through the
// real Win32 calls and prints -1 or 0 for each.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "lnk/shortcut_builder.h"

static std::u16string FromUtf8(const std::string& text) {
    std::u16string wide(text.size(), u'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    reinterpret_cast<wchar_t*>(&wide[0]), static_cast<int>(wide.size())));
    return wide;
}

int main(int argc, char** argv) {
    std::ifstream requests(argc == 2 ? argv[1] : "", std::ios::binary);
    for (std::string line; std::getline(requests, line);) {
        ShortcutRequest r;
        r.targetPath = FromUtf8(line.substr(0, line.find('\t')));
        r.linkPath = FromUtf8(line.substr(line.find('\t') + 1));
        std::printf("%d\n", BuildShortcut(r));
    }
}
