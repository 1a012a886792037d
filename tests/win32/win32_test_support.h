// Real files for the Windows-side tests: a fresh folder per test, file helpers, and the real platform
// calls with one fault injected.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lnk/platform.h"

// Bytes of a file, or none when it cannot be read.
std::vector<uint8_t> ReadAll(const std::wstring& path);
void WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes);
// The Unix path of a Windows path under Wine.
std::wstring UnixPathOf(const std::wstring& windowsPath);
// Names in a folder, "." and ".." left out.
std::vector<std::wstring> FolderNames(const std::wstring& folder);

class RealFiles : public ::testing::Test {
protected:
    std::wstring dir;  // ends in a backslash
    void SetUp() override;
    void TearDown() override;
    std::wstring MakeFile(const std::wstring& name, size_t size);
};

// One real step fails: the second open of the output file (when one block is on disk), a short write or
// one that stores a byte changed there, its flush, every read-back, the replace (neither rename nor
// write in place), or the first write in place after a refused rename (stopping half way).
// ReplaceLnkPlatform(nullptr) puts the plain calls back.
enum class Fault { kOpen, kShortWrite, kAlteredWrite, kFlush, kReadBack, kReplace, kInPlaceWrite };
void InjectFault(Fault fault);
