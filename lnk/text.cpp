// Conversion to ANSI, terminated sizes and splitting of paths.
#include "text.h"

#include "platform.h"

bool ToAnsi(const std::u16string& text, std::string* ansi) {
    if (!LnkSystem().toAnsi(text, ansi)) return false;
    return ansi->size() <= kMaxAnsiBytes;
}

int32_t AnsiSizeZ(const std::string& ansi) {
    return static_cast<int32_t>(ansi.size()) + 1;
}

bool EndsInDotOrBlank(const std::u16string& name) {
    return !name.empty() && (name.back() == u'.' || name.back() == u' ');
}

bool HasComponentEndingInDotOrBlank(const std::u16string& path) {
    size_t start = 0;
    for (size_t end = 0; end <= path.size(); ++end) {
        if (end < path.size() && path[end] != u'\\' && path[end] != u'/') continue;
        const std::u16string component = path.substr(start, end - start);
        if (component != u"." && component != u".." && EndsInDotOrBlank(component)) return true;
        start = end + 1;
    }
    return false;
}

bool HasColonBeyondDrive(const std::u16string& path) {
    const size_t drive = path.compare(0, 4, u"\\\\?\\") == 0 ? 5 : 1;
    for (size_t at = path.find(u':'); at != std::u16string::npos; at = path.find(u':', at + 1)) {
        if (at != drive) return true;
    }
    return false;
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
