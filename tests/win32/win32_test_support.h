// Real files for the Windows-side tests: a fresh folder per test, and file helpers.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Bytes of a file, or none when it cannot be read.
std::vector<uint8_t> ReadAll(const std::wstring& path);
void WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes);
// Names in a folder, "." and ".." left out.
std::vector<std::wstring> FolderNames(const std::wstring& folder);

class RealFiles : public ::testing::Test {
protected:
    std::wstring dir;  // ends in a backslash
    void SetUp() override;
    void TearDown() override;
    std::wstring MakeFile(const std::wstring& name, size_t size);
};
