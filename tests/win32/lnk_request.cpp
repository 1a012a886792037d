// Test tool: builds one shortcut per line of a UTF-8 request file through the real Win32 calls and
// prints -1 or 0 for each. A line holds the nine request fields, tab-separated, in call order.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "lnk/shortcut_builder.h"

static std::u16string FromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string wide(size, u'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), reinterpret_cast<wchar_t*>(&wide[0]), size);
    return wide;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lnk_request REQUESTS.txt\n");
        return 2;
    }
    std::ifstream requests(argv[1], std::ios::binary);
    std::string line;
    while (std::getline(requests, line)) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        std::string field;
        while (std::getline(split, field, '\t')) fields.push_back(field);
        fields.resize(9);
        const int16_t result = BuildShortcut(FromUtf8(fields[0]), FromUtf8(fields[1]), FromUtf8(fields[2]),
                                             FromUtf8(fields[3]), FromUtf8(fields[4]), std::stol(fields[5]),
                                             std::stoul(fields[6], nullptr, 0), std::stol(fields[7]), FromUtf8(fields[8]));
        std::printf("%d\n", result);
    }
    return 0;
}
