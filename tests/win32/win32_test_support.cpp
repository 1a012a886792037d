// Temporary folders and file helpers.
#include "win32_test_support.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const std::wstring& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(fs::path(path), std::ios::binary);
    ASSERT_TRUE(out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
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
