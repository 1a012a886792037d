// The Unix path of a Windows path under Wine, for handing files to Unix programs and for reaching
// them through drive Z:. Empty outside Wine.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring UnixPathOf(const std::wstring& windowsPath) {
    using ToUnix = char* (*)(const wchar_t*);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!toUnix) return L"";
    char* unix = toUnix(windowsPath.c_str());
    if (!unix) return L"";
    const int size = MultiByteToWideChar(CP_UTF8, 0, unix, -1, nullptr, 0);
    std::wstring path(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, unix, -1, &path[0], size);
    HeapFree(GetProcessHeap(), 0, unix);
    path.pop_back();
    return path;
}
