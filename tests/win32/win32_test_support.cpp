// Temporary folders, file helpers and fault injection over the real Win32 calls.
#include "win32_test_support.h"

#include <filesystem>

std::u16string U16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

std::wstring Wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

std::vector<uint8_t> ReadAll(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    uint8_t chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    CloseHandle(file);
    return bytes;
}

void WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    ASSERT_TRUE(bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr));
    CloseHandle(file);
}

std::vector<std::wstring> FolderNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void RealFiles::SetUp() {
    static int serial = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    // Process ids come round again under Wine, so a folder left by an earlier run is passed over.
    do {
        dir = std::wstring(temp) + L"vantorelle-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(++serial) + L"\\";
    } while (!CreateDirectoryW(dir.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_NE(GetFileAttributesW(dir.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(FolderNames(dir).empty());
}

void RealFiles::TearDown() {
    std::error_code ignored;
    for (const std::wstring& name : FolderNames(dir)) SetFileAttributesW((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(dir, ignored);
}

std::wstring RealFiles::MakeFile(const std::wstring& name, size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7);
    WriteAll(dir + name, bytes);
    return dir + name;
}

namespace {
FaultyPlatform::Fault fault;
int faultAt = 0;
int opens = 0;
LnkPlatform faulty;

LnkFile OpenAndCount(const std::string& path, bool create) {
    if (++opens == faultAt && fault == FaultyPlatform::kOpen) return nullptr;
    return DefaultLnkPlatform().openFile(path, create);
}

LnkFile inPlace = nullptr;

bool WriteShortOrAltered(LnkFile file, const uint8_t* bytes, uint32_t count, uint32_t* written) {
    if (file == inPlace && fault == FaultyPlatform::kInPlaceWrite) {
        inPlace = nullptr;  // the first write in place fails half way; the old bytes go back whole
        DefaultLnkPlatform().writeFile(file, bytes, count / 2, written);
        return false;
    }
    if (opens != faultAt) return DefaultLnkPlatform().writeFile(file, bytes, count, written);
    if (fault == FaultyPlatform::kShortWrite) return DefaultLnkPlatform().writeFile(file, bytes, count - 1, written);
    std::vector<uint8_t> altered(bytes, bytes + count);
    if (fault == FaultyPlatform::kAlteredWrite) altered[0] ^= 0x01;
    return DefaultLnkPlatform().writeFile(file, altered.data(), count, written);
}

bool FlushOrFail(LnkFile file) {
    const bool ok = DefaultLnkPlatform().flushFile(file);
    return ok && !(opens == faultAt && fault == FaultyPlatform::kFlush);
}
bool ReadBackOrFail(LnkFile file, std::vector<uint8_t>* bytes) {
    return fault != FaultyPlatform::kReadBack && DefaultLnkPlatform().readAll(file, bytes);
}

bool RenameOrFail(LnkFile file, const std::string& path) {
    const bool refused = fault == FaultyPlatform::kReplace || fault == FaultyPlatform::kInPlaceWrite;
    return !refused && DefaultLnkPlatform().renameOpenFile(file, path);
}

LnkFile OpenInPlaceOrFail(const std::string& path) {
    if (fault == FaultyPlatform::kReplace) return nullptr;
    return inPlace = DefaultLnkPlatform().openInPlace(path);
}
}  // namespace

void FaultyPlatform::Install(Fault which, int atOpen) {
    fault = which;
    faultAt = atOpen;
    opens = 0;
    inPlace = nullptr;
    faulty = DefaultLnkPlatform();
    faulty.openFile = OpenAndCount;
    faulty.writeFile = WriteShortOrAltered;
    faulty.flushFile = FlushOrFail;
    faulty.readAll = ReadBackOrFail;
    faulty.renameOpenFile = RenameOrFail;
    faulty.openInPlace = OpenInPlaceOrFail;
    faulty.pause = [](uint32_t) {};  // a refused rename is not waited for
    ReplaceLnkPlatform(&faulty);
}

void FaultyPlatform::Remove() {
    ReplaceLnkPlatform(nullptr);
}
