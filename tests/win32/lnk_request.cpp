// Test tool: builds one shortcut for each pair of arguments, "TARGET SHORTCUT", through the real Win32
// calls and prints -1 or 0 for each.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "lnk/platform.h"
#include "lnk/shortcut_builder.h"
#include "../lnk/request.h"

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i + 1 < count; i += 2) {
        const auto r = Request(reinterpret_cast<const char16_t*>(arguments[i]),
                               reinterpret_cast<const char16_t*>(arguments[i + 1]));
        std::printf("%d\n", BuildShortcut(DefaultLnkPlatform(), r));
    }
}
