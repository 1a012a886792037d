// The fake system behind UseFakeSystem: the platform table's calls served from a FakeSystem.
#include "fake_system.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

FakeSystem* sys = nullptr;

// The fake code page's double-byte characters, and their lead and trail bytes.
const std::u16string kWide = u"あいうソ表";
const std::string kNarrow = "\x82\xA0\x82\xA2\x82\xA4\x83\x5C\x95\x5C";

bool ToAnsi(const std::u16string& text, std::string* ansi) {
    ansi->clear();
    for (char16_t c : text) {
        const size_t k = kWide.find(c);
        if (c >= 0x80 && k == std::u16string::npos) return false;
        *ansi += c < 0x80 ? std::string(1, static_cast<char>(c)) : kNarrow.substr(2 * k, 2);
    }
    sys->texts[*ansi] = text;
    return true;
}

// Every ANSI string the writer sees comes from this code page: bytes go back to the text they came from.
bool FromAnsi(const std::string& ansi, std::u16string* text) {
    auto found = sys->texts.find(ansi);
    return found != sys->texts.end() && (*text = found->second, true);
}

// Looks a path up as the system would: a folder may be named with a trailing backslash.
const FakeNode* Node(std::string path) {
    ++sys->queries;
    if (!sys->nodes.count(path) && path.size() > 3 && path.back() == '\\') path.pop_back();
    return sys->nodes.count(path) ? &sys->nodes[path] : nullptr;
}

LnkFile Open(const std::string& path, bool create, bool existing) {
    sys->opens.push_back({path, static_cast<int>(sys->opens.size()) + 1});
    if (sys->faultAt[kFailOpen] == sys->opens.back().index || (existing && !sys->files.count(path))) return nullptr;
    ++sys->handles;
    if (create || !sys->files.count(path)) sys->files[path] = {};  // opened always: created if missing
    return &sys->opens.back();
}

FakeOpen& Of(LnkFile file) { return *static_cast<FakeOpen*>(file); }

bool Write(LnkFile file, const uint8_t* bytes, uint32_t count, uint32_t* written) {
    FakeOpen& open = Of(file);
    const bool first = open.writes++ == 0, fails = first && sys->faultAt[kFailWrite] == open.index;
    *written = fails ? count / 2 : first && sys->faultAt[kShortWrite] == open.index && count > 0 ? count - 1 : count;
    std::vector<uint8_t>& data = sys->files[open.path];
    data.resize(std::max<size_t>(data.size(), open.position + *written));
    std::copy(bytes, bytes + *written, data.begin() + open.position);
    if (first && sys->faultAt[kAlterWrite] == open.index && *written > 0) data[open.position] ^= 0x01;
    open.position += *written;
    return !fails;
}

const LnkPlatform kFakePlatform = {
    ToAnsi, FromAnsi,
    [](const std::string& path, char* buffer, uint32_t size) -> uint32_t {
        const FakeNode* node = Node(path);
        std::string s = path;
        const std::u16string trailing = path.back() == '\\' ? u"\\" : u"";
        if (!node || (!node->shortPath.empty() && !ToAnsi(node->shortPath + trailing, &s))) return 0;
        if (s.size() >= size) return static_cast<uint32_t>(s.size() + 1);
        std::memcpy(buffer, s.c_str(), s.size() + 1);
        return static_cast<uint32_t>(s.size());
    },
    [](const std::string& path) {
        const FakeNode* node = Node(path);
        // A file named with a trailing backslash resolves to a short path, but has no attributes.
        const bool fileAsFolder = node && path.back() == '\\' && !(node->attributes & kAttributeDirectory);
        return !node || fileAsFolder ? kNoAttributes : node->attributes;
    },
    [](const std::string& path, uint64_t* size, uint64_t* writeTime) {
        const FakeNode* node = Node(path);
        return node && (*size = node->size, *writeTime = node->writeTime, true);
    },
    [](const std::string& path, FileIdentity* identity) {
        const FakeNode* node = Node(path);
        return node && (*identity = {0x1A2B3C4D, node->fileIndex}, true);
    },
    [](const std::string& root) { return ++sys->queries, sys->driveTypes.count(root) ? sys->driveTypes[root] : 3u; },
    [](const std::string& root, char* label, uint32_t, uint32_t* serial) {
        ++sys->queries;
        auto volume = sys->volumes.find(root);
        if (volume == sys->volumes.end()) return false;
        std::strcpy(label, volume->second.first.c_str());
        return *serial = volume->second.second, true;
    },
    [](const std::string& path, bool create) { return Open(path, create, false); },
    [](LnkFile file, uint32_t position) {
        return sys->faultAt[kFailSeek] != Of(file).index && (Of(file).position = position, true);
    },
    Write,
    [](LnkFile file) { return sys->faultAt[kFailFlush] != Of(file).index; },
    [](LnkFile file) { return --sys->handles, sys->faultAt[kFailClose] != Of(file).index; },
    [](const std::string& path) { return sys->files.erase(path) == 1; },
    [](const std::string& path) { return Open(path, false, true); },
    [](LnkFile file, std::vector<uint8_t>* bytes) { return *bytes = sys->files.at(Of(file).path), true; },
    [](LnkFile file, const std::string& to) {
        if (++sys->renames <= sys->replaceFailures) return false;
        sys->files[to] = sys->files.at(Of(file).path);
        sys->files.erase(Of(file).path);
        Of(file).path = to;
        return true;
    },
    [](const std::string& path) { return Open(path, false, true); },
    [](LnkFile file, uint32_t length) { return sys->files.at(Of(file).path).resize(length), true; },
    []() { return 4242u; },
    [](uint32_t milliseconds) { sys->pausedMs += static_cast<int>(milliseconds); },
};

}  // namespace

std::string FakeAnsi(const std::u16string& text) {
    std::string ansi;
    if (!ToAnsi(text, &ansi)) throw std::invalid_argument("no fake ANSI form");
    return ansi;
}

void FakeSystem::Add(const std::u16string& path, uint32_t attributes, uint64_t size, const std::u16string& shortPath) {
    static uint64_t fileIndex = 0;
    nodes[FakeAnsi(path)] = {attributes, size, 0x01D9F00DBEEF1234, ++fileIndex, shortPath};
}

void UseFakeSystem(FakeSystem* system) {
    sys = system;
    ReplaceLnkPlatform(system ? &kFakePlatform : nullptr);
}
