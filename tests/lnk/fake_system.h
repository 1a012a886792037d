// A file system, volume and code page of the test's own, handed to the writer as its platform calls,
// with a fault that can be injected at any step of any open file. As on Windows, a file still open
// cannot be deleted; a use of a closed file throws.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "lnk/platform.h"

// The fake code page: ASCII, and a few CP932 double-byte characters (ソ and 表 have the trail byte 0x5C,
// the backslash). Every other character has no ANSI form: FakeAnsi throws.
std::string FakeAnsi(const std::u16string& text);

// A file or folder. With the volume, its 128-bit id (two halves, 0 and 0 telling nothing) is its
// identity: another path to the same file has the same, and the same creation time and final path
// (empty: unreadable).
struct FakeNode {
    uint32_t attributes = 0x20;
    uint64_t size = 0, writeTime = 0, creationTime = 0, fileIndex = 0, fileIdHigh = 0;
    std::u16string shortPath, finalPath;  // shortPath empty: the same as the path
    bool opens = true;  // false: it cannot be opened for a query of its id or final path
};

// The calls on files at which a fault can be injected: the opens (the temporary file, the shortcut
// in place), seeks, writes (failed: half of the bytes stored; short: all but one; altered: a byte
// changed and the write reported whole), flushes, reads and closes.
enum FakeStep { kFailOpen, kFailSeek, kFailWrite, kShortWrite, kAlterWrite, kFailFlush, kFailRead, kFailClose, kFakeSteps };
constexpr const char* kFakeStepNames[kFakeSteps] = {"open", "seek", "write", "short write", "altered write", "flush", "read", "close"};

struct FakeSystem {
    std::map<std::string, FakeNode> nodes;                            // targets and their folders, by ANSI path
    std::map<std::string, uint32_t> driveTypes;                       // by drive root; missing: 3 (fixed)
    // Label and serial by drive root; missing: the query fails.
    std::map<std::string, std::pair<std::string, uint32_t>> volumes;
    std::map<std::string, std::vector<uint8_t>> files;                // contents, by ANSI path
    // A fault at the k-th call of each step (0: never).
    int faultAt[kFakeSteps] = {};
    int replaceFailures = 0;  // renames that fail before one succeeds
    // Calls of each step so far (the failed ones too), queries of a path (every query of a drive follows
    // one), renames asked, pauses, and handles still open.
    int calls[kFakeSteps] = {};
    int queries = 0, renames = 0, pausedMs = 0, handles = 0;

    // A file or folder with its short path (UTF-16, as a test writes them).
    void Add(const std::u16string& path, uint32_t attributes, uint64_t size = 0, const std::u16string& shortPath = u"");
};

// The platform table whose calls are served from system, for the writer to be handed.
const LnkPlatform& FakePlatformOf(FakeSystem& system);
