// Temporary folders, file helpers and fault injection over the real Win32 calls.
#include "win32_test_support.h"

#include <filesystem>
#include <fstream>
#include <utility>

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const std::wstring& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(fs::path(path), std::ios::binary);
    ASSERT_TRUE(out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::wstring UnixPathOf(const std::wstring& windowsPath) {
    using ToUnix = char* (*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* unix = toUnix ? toUnix(windowsPath.c_str()) : nullptr;
    const std::wstring path = unix ? fs::u8path(unix).wstring() : L"";
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

std::vector<std::wstring> FolderNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) names.push_back(entry.path().filename());
    return names;
}

void RealFiles::SetUp() {
    static int serial = 0;
    do {  // past any folder left by an earlier process of the same id (ids come round under Wine)
        dir = (fs::temp_directory_path() / ("vantorelle-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                                            std::to_string(++serial))).wstring() + L"\\";
    } while (!fs::create_directory(dir));
}

void RealFiles::TearDown() {
    std::error_code ignored;
    for (const std::wstring& name : FolderNames(dir)) SetFileAttributesW((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(dir, ignored);
}

std::wstring RealFiles::MakeFile(const std::wstring& name, size_t size) {
    WriteAll(dir + name, std::vector<uint8_t>(size, 'x'));
    return dir + name;
}

static const LnkPlatform& real = DefaultLnkPlatform();
static Fault fault;
static int opens = 0;              // of the output file
static LnkFile inPlace = nullptr;  // the shortcut opened to be written in place

void InjectFault(Fault which) {
    static LnkPlatform faulty;
    fault = which;
    opens = 0;
    inPlace = nullptr;
    faulty = real;
    faulty.openFile = [](const std::string& path, bool create) {
        return ++opens == 2 && fault == Fault::kOpen ? nullptr : real.openFile(path, create);
    };
    faulty.writeFile = [](LnkFile file, const uint8_t* bytes, uint32_t count, uint32_t* written) {
        std::vector<uint8_t> stored(bytes, bytes + count);
        // The first write in place stops half way; the old bytes are then to go back whole.
        const bool half = fault == Fault::kInPlaceWrite && file == std::exchange(inPlace, nullptr);
        if (half) stored.resize(count / 2);
        if (opens == 2 && fault == Fault::kShortWrite) stored.pop_back();
        if (opens == 2 && fault == Fault::kAlteredWrite) stored[0] ^= 1;
        return real.writeFile(file, stored.data(), static_cast<uint32_t>(stored.size()), written) && !half;
    };
    faulty.flushFile = [](LnkFile file) { return real.flushFile(file) && !(opens == 2 && fault == Fault::kFlush); };
    faulty.readAll = [](LnkFile file, std::vector<uint8_t>* bytes) {
        return fault != Fault::kReadBack && real.readAll(file, bytes);
    };
    faulty.renameOpenFile = [](LnkFile file, const std::string& path) {
        return fault != Fault::kReplace && fault != Fault::kInPlaceWrite && real.renameOpenFile(file, path);
    };
    faulty.openInPlace = [](const std::string& path) {
        return fault == Fault::kReplace ? nullptr : (inPlace = real.openInPlace(path));
    };
    faulty.pause = [](uint32_t) {};  // a refused rename is not waited for
    ReplaceLnkPlatform(&faulty);
}
