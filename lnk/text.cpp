// Conversion to ANSI, terminated sizes and splitting of paths.
#include "text.h"

#include "platform.h"

bool ToAnsi(const LnkPlatform& os, const std::u16string& text, std::string* ansi) {
    return os.toAnsi(text, ansi) && ansi->size() <= kMaxAnsiBytes;
}

int32_t AnsiSizeZ(const std::string& ansi) {
    return static_cast<int32_t>(ansi.size()) + 1;
}

std::u16string SplitHead(std::u16string& s, const std::u16string& separator) {
    const size_t found = s.find(separator);
    if (found == std::u16string::npos) {
        std::u16string head;
        head.swap(s);
        return head;
    }
    const size_t end = found + separator.size();
    std::u16string head = s.substr(0, end);
    s.erase(0, end);
    return head;
}
