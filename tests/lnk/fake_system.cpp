// The fake system behind FakeSystemScope: calls of the platform table served from FakeSystem.
#include "fake_system.h"

#include <cstring>
#include <stdexcept>

namespace {

FakeSystem* current = nullptr;

struct DoubleByte {
    char16_t character;
    uint8_t lead, trail;
};
const DoubleByte kDoubleBytes[] = {
    {u'あ', 0x82, 0xA0}, {u'い', 0x82, 0xA2}, {u'う', 0x82, 0xA4}, {u'ソ', 0x83, 0x5C},
    {u'表', 0x95, 0x5C}, {u'日', 0x93, 0xFA}, {u'本', 0x96, 0x7B},
};

bool ToFakeAnsi(const std::u16string& text, std::string* ansi) {
    ansi->clear();
    for (char16_t c : text) {
        if (c < 0x80) {
            ansi->push_back(static_cast<char>(c));
            continue;
        }
        const DoubleByte* match = nullptr;
        for (const DoubleByte& d : kDoubleBytes) {
            if (d.character == c) match = &d;
        }
        if (!match) return false;
        ansi->push_back(static_cast<char>(match->lead));
        ansi->push_back(static_cast<char>(match->trail));
    }
    return true;
}

bool FromFakeAnsi(const std::string& ansi, std::u16string* text) {
    text->clear();
    for (size_t i = 0; i < ansi.size(); ++i) {
        const uint8_t b = static_cast<uint8_t>(ansi[i]);
        if (b < 0x80) {
            text->push_back(b);
            continue;
        }
        if (i + 1 >= ansi.size()) return false;
        const uint8_t trail = static_cast<uint8_t>(ansi[++i]);
        const DoubleByte* match = nullptr;
        for (const DoubleByte& d : kDoubleBytes) {
            if (d.lead == b && d.trail == trail) match = &d;
        }
        if (!match) return false;
        text->push_back(match->character);
    }
    return true;
}

struct OpenFile {
    std::string path;
    size_t position = 0;
    int index = 0;  // 1-based number of an output file's open; 0 for the rename, -1 in place
};

// Looks a path up as the system would: a folder may be named with a trailing backslash.
const FakeNode* Node(const std::string& path) {
    ++current->queries;
    const bool trailing = path.size() > 3 && path.back() == '\\';
    auto found = current->nodes.find(trailing ? path.substr(0, path.size() - 1) : path);
    return found == current->nodes.end() ? nullptr : &found->second;
}

uint32_t ShortPathName(const std::string& path, char* buffer, uint32_t size) {
    const FakeNode* node = Node(path);
    if (!node) return 0;
    const std::string shortPath = node->shortPath.empty() ? path : node->shortPath + (path.back() == '\\' ? "\\" : "");
    if (shortPath.size() + 1 > size) return static_cast<uint32_t>(shortPath.size() + 1);
    std::memcpy(buffer, shortPath.c_str(), shortPath.size() + 1);
    return static_cast<uint32_t>(shortPath.size());
}

uint32_t FileAttributes(const std::string& path) {
    const FakeNode* node = Node(path);
    // A file named with a trailing backslash resolves to a short path, but has no attributes.
    if (!node || (path.back() == '\\' && !(node->attributes & kAttributeDirectory))) return kNoAttributes;
    return node->attributes;
}

bool FileSizeAndTime(const std::string& path, uint64_t* size, uint64_t* writeTime) {
    const FakeNode* node = Node(path);
    if (!node) return false;
    *size = node->size;
    *writeTime = node->writeTime;
    return true;
}

bool FileIdentityCall(const std::string& path, FileIdentity* identity) {
    const FakeNode* node = Node(path);
    if (!node) return false;
    identity->volumeSerial = 0x1A2B3C4D;
    identity->fileIndex = node->fileIndex;
    return true;
}

uint32_t DriveType(const std::string& root) {
    ++current->queries;
    auto found = current->driveTypes.find(root);
    return found == current->driveTypes.end() ? 3 : found->second;
}

bool VolumeInformation(const std::string& root, char* label, uint32_t labelSize, uint32_t* serial) {
    ++current->queries;
    auto found = current->volumes.find(root);
    if (found == current->volumes.end() || found->second.queryFails) return false;
    const std::string& text = found->second.label;
    if (text.size() + 1 > labelSize) return false;
    std::memcpy(label, text.c_str(), text.size() + 1);
    *serial = found->second.serial;
    return true;
}

LnkFile OpenFileCall(const std::string& path, bool create) {
    const int index = static_cast<int>(current->opens.size()) + 1;
    if (index == current->failOpenAt || current->unopenable.count(path)) return nullptr;
    current->opens.push_back({path, create, -1, 0, 0});
    std::vector<uint8_t>& bytes = current->files[path];
    if (create) bytes.clear();
    return new OpenFile{path, 0, index};
}

// The record of an output file's open; opens for the rename or in place have none.
FakeOpen* RecordOf(const OpenFile* file) {
    static FakeOpen none;
    return file->index > 0 ? &current->opens[file->index - 1] : &none;
}

bool SeekFile(LnkFile handle, uint32_t position) {
    auto* file = static_cast<OpenFile*>(handle);
    RecordOf(file)->seekTo = position;
    if (file->index == current->failSeekAt) return false;
    file->position = position;
    return true;
}

bool WriteFileCall(LnkFile handle, const uint8_t* bytes, uint32_t count, uint32_t* written) {
    auto* file = static_cast<OpenFile*>(handle);
    FakeOpen& open = *RecordOf(file);
    open.asked = count;
    *written = 0;
    if (file->index == current->failWriteAt) return false;
    // A write in place that fails stores half of its bytes first.
    const bool inPlaceFault = file->index < 0 && ++current->inPlaceWrites == current->failInPlaceWriteAt;
    const uint32_t n = inPlaceFault ? count / 2 : file->index == current->shortWriteAt && count > 0 ? count - 1 : count;
    std::vector<uint8_t>& data = current->files[file->path];
    if (data.size() < file->position + n) data.resize(file->position + n, 0);
    if (n > 0) std::memcpy(data.data() + file->position, bytes, n);
    if (file->index == current->alterWriteAt && n > 0) data[file->position] ^= 0x01;
    file->position += n;
    *written = open.written = n;
    return !inPlaceFault;
}

bool FlushFile(LnkFile handle) {
    return static_cast<OpenFile*>(handle)->index != current->failFlushAt;
}

bool CloseFile(LnkFile handle) {
    auto* file = static_cast<OpenFile*>(handle);
    const bool ok = file->index != current->failCloseAt;
    delete file;
    return ok;
}

bool DeleteFileCall(const std::string& path) {
    current->deleted.push_back(path);
    return current->files.erase(path) == 1;
}

LnkFile OpenForRename(const std::string& path) {
    if (current->failReadBack || !current->files.count(path)) return nullptr;
    return new OpenFile{path, 0, 0};
}

bool ReadAll(LnkFile handle, std::vector<uint8_t>* bytes) {
    *bytes = current->files.at(static_cast<OpenFile*>(handle)->path);
    return true;
}

bool RenameOpenFile(LnkFile handle, const std::string& to) {
    auto* file = static_cast<OpenFile*>(handle);
    ++current->replaceAttempts;
    if (current->replaceAttempts <= current->replaceFailures) return false;
    current->files[to] = current->files.at(file->path);
    current->files.erase(file->path);
    current->replaced.push_back(to);
    file->path = to;
    return true;
}

uint32_t ProcessId() {
    return 4242;
}

LnkFile OpenInPlace(const std::string& path) {
    if (current->heldExclusively || !current->files.count(path)) return nullptr;
    return new OpenFile{path, 0, -1};
}

bool SetFileEnd(LnkFile handle, uint32_t length) {
    current->files.at(static_cast<OpenFile*>(handle)->path).resize(length);
    return true;
}

void Pause(uint32_t) {
    ++current->pauses;
}

const LnkPlatform kFakePlatform = {
    ToFakeAnsi,     FromFakeAnsi,  ShortPathName, FileAttributes, FileSizeAndTime, FileIdentityCall,
    DriveType,      VolumeInformation, OpenFileCall, SeekFile,    WriteFileCall,   FlushFile,
    CloseFile,      DeleteFileCall, OpenForRename, ReadAll,       RenameOpenFile,  OpenInPlace,
    SetFileEnd,     ProcessId,     Pause,
};

}  // namespace

std::string FakeAnsi(const std::u16string& text) {
    std::string ansi;
    if (!ToFakeAnsi(text, &ansi)) throw std::invalid_argument("no fake ANSI form");
    return ansi;
}

void FakeSystem::Add(const std::u16string& path, uint32_t attributes, uint64_t size, const std::u16string& shortPath) {
    FakeNode node;
    node.attributes = attributes;
    node.size = size;
    node.writeTime = 0x01D9F00DBEEF1234ull;
    node.shortPath = FakeAnsi(shortPath);
    static uint64_t files = 0;
    node.fileIndex = ++files;
    nodes[FakeAnsi(path)] = node;
}

void FakeSystem::AddVolume(const std::u16string& root, const std::string& label, uint32_t serial, uint32_t driveType) {
    volumes[FakeAnsi(root)] = {false, label, serial};
    driveTypes[FakeAnsi(root)] = driveType;
}

const std::vector<uint8_t>& FakeSystem::File(const std::u16string& path) const {
    return files.at(FakeAnsi(path));
}

bool FakeSystem::Exists(const std::u16string& path) const {
    return files.count(FakeAnsi(path)) != 0;
}

FakeSystemScope::FakeSystemScope(FakeSystem& system) {
    current = &system;
    ReplaceLnkPlatform(&kFakePlatform);
}

FakeSystemScope::~FakeSystemScope() {
    ReplaceLnkPlatform(nullptr);
    current = nullptr;
}
