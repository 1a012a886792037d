// The fake system's platform table: its calls served from a FakeSystem.
#include "fake_system.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <stdexcept>
#include <utility>

namespace {

FakeSystem* sys = nullptr;

// One open of a file by the writer: its path and file pointer, until it is closed.
struct FakeOpen {
    std::string path;
    uint32_t position = 0;
    bool closed = false;
};
std::deque<FakeOpen> opened;  // the system's opens, since it was put in place

// Every text made ANSI, by its bytes: the code page's bytes go back to the text they came from.
std::map<std::string, std::u16string> texts;

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
    texts[*ansi] = text;
    return true;
}

// Every ANSI string the writer sees comes from this code page.
bool FromAnsi(const std::string& ansi, std::u16string* text) {
    auto found = texts.find(ansi);
    return found != texts.end() && (*text = found->second, true);
}

// Looks a path up as the system would: a folder may be named with a trailing backslash.
const FakeNode* Node(std::string path) {
    ++sys->queries;
    if (!sys->nodes.count(path) && path.size() > 3 && path.back() == '\\') path.pop_back();
    return sys->nodes.count(path) ? &sys->nodes[path] : nullptr;
}

// Counts a call of the step; true when the fault is set for this one.
bool Hit(FakeStep step) { return ++sys->calls[step] == sys->faultAt[step]; }

// An open of a new file (taken: something of that name exists) or of an existing one.
LnkFile Open(const std::string& path, bool create, bool* taken) {
    const bool exists = sys->files.count(path) || sys->nodes.count(path);
    *taken = create && exists;
    if (Hit(kFailOpen) || exists == create) return nullptr;
    ++sys->handles;
    sys->files[path];
    opened.push_back({path});
    return &opened.back();
}

// An open file; a use after its close (a second close too) is the writer's fault.
FakeOpen& Of(LnkFile file) {
    FakeOpen& open = *static_cast<FakeOpen*>(file);
    if (open.closed) throw std::logic_error("a file used after its close");
    return open;
}

bool Write(LnkFile file, const uint8_t* bytes, uint32_t count, uint32_t* written) {
    FakeOpen& open = Of(file);
    const bool fails = Hit(kFailWrite), shortens = Hit(kShortWrite), alters = Hit(kAlterWrite);
    *written = fails ? count / 2 : shortens && count > 0 ? count - 1 : count;
    std::vector<uint8_t>& data = sys->files[open.path];
    data.resize(std::max<size_t>(data.size(), open.position + *written));
    std::copy(bytes, bytes + *written, data.begin() + open.position);
    if (alters && *written > 0) data[open.position] ^= 0x01;
    open.position += *written;
    return !fails;
}

const LnkPlatform kFakePlatform = {
    .toAnsi = ToAnsi,
    .fromAnsi = FromAnsi,
    .shortPathName = [](const std::string& path, char* buffer, uint32_t size) -> uint32_t {
        const FakeNode* node = Node(path);
        std::string s = path;
        const std::u16string trailing = path.back() == '\\' ? u"\\" : u"";
        if (!node || (!node->shortPath.empty() && !ToAnsi(node->shortPath + trailing, &s))) return 0;
        if (s.size() >= size) return static_cast<uint32_t>(s.size() + 1);
        std::memcpy(buffer, s.c_str(), s.size() + 1);
        return static_cast<uint32_t>(s.size());
    },
    .fileAttributes = [](const std::string& path) {
        const FakeNode* node = Node(path);
        // A file named with a trailing backslash resolves to a short path, but has no attributes.
        const bool fileAsFolder = node && path.back() == '\\' && !(node->attributes & kAttributeDirectory);
        return !node || fileAsFolder ? kNoAttributes : node->attributes;
    },
    .fileSizeAndTime = [](const std::string& path, uint64_t* size, uint64_t* writeTime, uint64_t* creationTime) {
        const FakeNode* node = Node(path);
        return node && (*size = node->size, *writeTime = node->writeTime, *creationTime = node->creationTime, true);
    },
    .fileIdentity = [](const std::string& path, FileIdentity* identity) {
        const FakeNode* node = Node(path);
        if (!node || !node->opens) return false;
        identity->volumeSerial = 0x1A2B3C00 + path[0];  // a volume per drive
        for (int i = 0; i < 8; ++i) {
            identity->fileId[i] = static_cast<uint8_t>(node->fileIndex >> (8 * i));
            identity->fileId[8 + i] = static_cast<uint8_t>(node->fileIdHigh >> (8 * i));
        }
        return true;
    },
    .finalPath = [](const std::string& path, std::u16string* finalPath) {
        const FakeNode* node = Node(path);
        return node && node->opens && !node->finalPath.empty() && (*finalPath = node->finalPath, true);
    },
    .driveType = [](const std::string& root) { return sys->driveTypes.count(root) ? sys->driveTypes[root] : 3u; },
    .volumeInformation = [](const std::string& root, char* label, uint32_t, uint32_t* serial) {
        auto volume = sys->volumes.find(root);
        if (volume == sys->volumes.end()) return false;
        std::strcpy(label, volume->second.first.c_str());
        return *serial = volume->second.second, true;
    },
    .createNewFile = [](const std::string& path, bool* taken) { return Open(path, true, taken); },
    .seekFile = [](LnkFile file, uint32_t position) { return !Hit(kFailSeek) && (Of(file).position = position, true); },
    .writeFile = Write,
    .flushFile = [](LnkFile file) { return Of(file), !Hit(kFailFlush); },
    .closeFile = [](LnkFile file) { return Of(file).closed = true, --sys->handles, !Hit(kFailClose); },
    // The writer opens without delete sharing: a file still open cannot be deleted.
    .deleteFile = [](const std::string& path) {
        const auto open = [&](const FakeOpen& o) { return !o.closed && o.path == path; };
        return std::none_of(opened.begin(), opened.end(), open) && sys->files.erase(path) == 1;
    },
    .readAll = [](LnkFile file, std::vector<uint8_t>* bytes) { return !Hit(kFailRead) && (*bytes = sys->files.at(Of(file).path), true); },
    .renameOpenFile = [](LnkFile file, const std::string& to) {
        if (++sys->renames <= sys->replaceFailures) return false;
        sys->files[to] = sys->files.at(Of(file).path);
        sys->files.erase(std::exchange(Of(file).path, to));
        return true;
    },
    .openInPlace = [](const std::string& path) { bool taken; return Open(path, false, &taken); },
    .setFileEnd = [](LnkFile file, uint32_t length) { return sys->files.at(Of(file).path).resize(length), true; },
    .processId = []() { return 4242u; },
    .pause = [](uint32_t milliseconds) { sys->pausedMs += static_cast<int>(milliseconds); },
};

}  // namespace

std::string FakeAnsi(const std::u16string& text) {
    std::string ansi;
    if (!ToAnsi(text, &ansi)) throw std::invalid_argument("no fake ANSI form");
    return ansi;
}

void FakeSystem::Add(const std::u16string& path, uint32_t attributes, uint64_t size, const std::u16string& shortPath) {
    static uint64_t fileIndex = 0;  // and creation time: each file is made at a time of its own
    ++fileIndex;
    nodes[FakeAnsi(path)] = {attributes, size, 0x01D9F00DBEEF1234, fileIndex, fileIndex, 0, shortPath, path};
}

const LnkPlatform& FakePlatformOf(FakeSystem& system) {
    if (sys != &system) opened.clear();
    sys = &system;
    return kFakePlatform;
}
