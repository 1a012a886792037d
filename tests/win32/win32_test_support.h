// Real files for the Windows-side tests: a fresh folder per test, file helpers, and a wrapper of the
// real platform calls that injects one fault.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lnk/platform.h"
#include "unix_path.h"

std::u16string U16(const std::wstring& text);
std::wstring Wide(const std::u16string& text);

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

// The real platform calls with one of them failing: at the k-th open of an output file (open, short
// write, a write that stores one byte changed, flush), at the read-back, at the replace (neither the
// rename nor the write in place can be done), or at the write in place after a refused rename (half of
// the bytes written).
struct FaultyPlatform {
    enum Fault { kOpen, kShortWrite, kAlteredWrite, kFlush, kReadBack, kReplace, kInPlaceWrite };
    static void Install(Fault fault, int atOpen);
    static void Remove();
};
