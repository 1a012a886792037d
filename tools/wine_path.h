// Paths of the Unix side as the Windows side under Wine sees them.
#pragma once

#include <cstdlib>
#include <string>

// The Windows form (on drive Z:, the Unix root) of the Unix path in an environment variable, such as
// VANTORELLE_EXE.
inline std::wstring WindowsPathFromEnvironment(const char* name) {
    const char* unix = std::getenv(name);
    std::wstring path = L"Z:";
    for (const char* c = unix ? unix : ""; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}
