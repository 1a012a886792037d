// A file system, volume and code page of the test's own, put in place of the writer's platform calls,
// with faults that can be injected at any call.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lnk/platform.h"

// The fake code page: ASCII, and a few CP932 double-byte characters (ソ and 表 have the trail byte 0x5C,
// the backslash). Every other character has no ANSI form.
std::string FakeAnsi(const std::u16string& text);

struct FakeNode {
    uint32_t attributes = 0x20;
    uint64_t size = 0;
    uint64_t writeTime = 0;
    std::string shortPath;  // ANSI; empty: the same as the path
    uint64_t fileIndex = 0;  // with the volume, the file's identity: another path to the same file has the same
};

struct FakeVolume {
    bool queryFails = false;
    std::string label;  // ANSI
    uint32_t serial = 0;
};

// One open of an output file, as the writer made it.
struct FakeOpen {
    std::string path;
    bool create = false;
    int64_t seekTo = -1;  // -1: no seek
    uint32_t asked = 0;   // bytes the write asked for
    uint32_t written = 0;
};

struct FakeSystem {
    std::map<std::string, FakeNode> nodes;          // targets and their folders, by ANSI path
    std::map<std::string, uint32_t> driveTypes;     // by drive root; missing: 3 (fixed)
    std::map<std::string, FakeVolume> volumes;      // by drive root; missing: the query fails
    std::map<std::string, std::vector<uint8_t>> files;  // output files, by ANSI path
    std::set<std::string> unopenable;               // paths that cannot be opened for writing
    std::vector<FakeOpen> opens;
    std::vector<std::string> deleted;

    // Faults, each at the k-th open of an output file (counted from 1; 0: never).
    int failOpenAt = 0;
    int failSeekAt = 0;
    int failWriteAt = 0;
    int shortWriteAt = 0;  // writes one byte less than asked
    int failFlushAt = 0;
    int failCloseAt = 0;
    int alterWriteAt = 0;       // stores one byte other than asked, and reports the write as whole
    bool failReadBack = false;
    int replaceFailures = 0;    // replace attempts that fail before one succeeds
    bool heldExclusively = false;  // the shortcut cannot be opened to be written in place either
    int failInPlaceWriteAt = 0;    // the k-th write into the shortcut in place fails (1: the new bytes, 2: the old)
    int replaceAttempts = 0;
    int pauses = 0;
    std::vector<std::string> replaced;  // the files renamed into place
    int inPlaceWrites = 0;
    int queries = 0;               // file-system queries made (short path, attributes, size, drive, volume)

    // A file or folder with its short path (both UTF-16, as a test writes them).
    void Add(const std::u16string& path, uint32_t attributes, uint64_t size = 0, const std::u16string& shortPath = u"");
    void AddVolume(const std::u16string& root, const std::string& label, uint32_t serial, uint32_t driveType = 3);
    const std::vector<uint8_t>& File(const std::u16string& path) const;
    bool Exists(const std::u16string& path) const;
};

// Puts a fake system in place of the platform calls for the life of this object.
class FakeSystemScope {
public:
    explicit FakeSystemScope(FakeSystem& system);
    ~FakeSystemScope();
    FakeSystemScope(const FakeSystemScope&) = delete;
    FakeSystemScope& operator=(const FakeSystemScope&) = delete;
};
