// Real files for the Windows-side tests: a fresh folder per test, and file helpers.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// Bytes of a file, or none when it cannot be read.
inline std::vector<uint8_t> ReadAll(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    ASSERT_TRUE(out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// Names in a folder, "." and ".." left out.
inline std::vector<std::wstring> FolderNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    return names;
}

// The system's call behind an import (__imp_Name), as the loader bound it.
template <auto& imported>
const auto Real = imported;

// A call of the test's own in front of an imported one until the scope ends, so that a failed ASSERT
// cannot leave it there.
template <auto& imported>
struct Hook {
    explicit Hook(decltype(Real<imported>) own) { imported = own; }
    ~Hook() { imported = Real<imported>; }
};

class RealFiles : public ::testing::Test {
protected:
    std::wstring dir;  // ends in a backslash

    void SetUp() override {
        static int serial = 0;
        do {  // past any folder left by an earlier process of the same id (ids come round under Wine)
            dir = (std::filesystem::temp_directory_path() / ("vantorelle-test-" + std::to_string(GetCurrentProcessId()) +
                                                             "-" + std::to_string(++serial))).wstring() + L"\\";
        } while (!std::filesystem::create_directory(dir));
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::wstring MakeFile(const std::wstring& name, size_t size) {
        WriteAll(dir + name, std::vector<uint8_t>(size, 'x'));
        return dir + name;
    }
};
