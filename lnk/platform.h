// What the shortcut writer needs of the operating system, as one table of calls that it is handed.
// Strings at this boundary are bytes in the system ANSI code page, as the "A" calls take them. A file
// path too long for those calls (the temporary file beside a shortcut in a deep folder) is reached by
// the extended-length form of exactly the name those bytes spell.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using LnkFile = void*;  // an open output file; nullptr when the open failed

// File attribute bits, and the answer of a failed attribute query.
constexpr uint32_t kAttributeReadOnly = 0x01;
constexpr uint32_t kAttributeHidden = 0x02;
constexpr uint32_t kAttributeSystem = 0x04;
constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint32_t kNoAttributes = 0xFFFFFFFF;

// What tells one file from every other: the volume it is on and its 128-bit id there (a 64-bit index
// fills the low eight bytes, little-endian). Two paths that name the same file by any spelling (letter
// case, short names, "." and "..", another drive letter) give the same identity. An id of all zeros
// tells nothing: some network file systems answer it for every file.
struct FileIdentity {
    uint64_t volumeSerial = 0;
    uint8_t fileId[16] = {};
    bool operator==(const FileIdentity& other) const {
        return volumeSerial == other.volumeSerial && std::equal(fileId, fileId + 16, other.fileId);
    }
};

struct LnkPlatform {
    // UTF-16 to the ANSI code page, exactly: false when a character has no exact ANSI form
    // (a best-fit look-alike could name another file).
    bool (*toAnsi)(const std::u16string& text, std::string* ansi);
    // ANSI code page to UTF-16; false for bytes that are not valid in the code page.
    bool (*fromAnsi)(const std::string& ansi, std::u16string* text);

    // GetShortPathNameA: the length copied into buffer (without its NUL), 0 on failure,
    // or the size needed (more than size) when the buffer is too small.
    uint32_t (*shortPathName)(const std::string& path, char* buffer, uint32_t size);
    // GetFileAttributes: the 32-bit attributes, 0xFFFFFFFF on failure.
    uint32_t (*fileAttributes)(const std::string& path);
    // Size in bytes, last-write and creation time (FILETIME, UTC) of a file or folder; false when unreadable.
    bool (*fileSizeAndTime)(const std::string& path, uint64_t* size, uint64_t* writeTime, uint64_t* creationTime);
    // GetFileInformationByHandleEx(FileIdInfo) of an existing file or folder, or GetFileInformationByHandle
    // where the system refuses that; false when it cannot be opened or read.
    bool (*fileIdentity)(const std::string& path, FileIdentity* identity);
    // GetFinalPathNameByHandleW of an existing file or folder (normalised, drive letter), upper-cased as
    // the file system compares names; false when it cannot be read.
    bool (*finalPath)(const std::string& path, std::u16string* finalPath);
    // GetDriveTypeA of a drive root such as "C:\".
    uint32_t (*driveType)(const std::string& root);
    // GetVolumeInformationA of a drive root: label (NUL-terminated, within labelSize bytes) and serial.
    bool (*volumeInformation)(const std::string& root, char* label, uint32_t labelSize, uint32_t* serial);

    // CreateFile of a new file (CREATE_NEW) for writing, reading back and renaming, shared for reading
    // only: no other program can change it while it is written, checked and renamed. nullptr when it
    // cannot be made; *taken tells whether that was because something of that name exists.
    LnkFile (*createNewFile)(const std::string& path, bool* taken);
    // SetFilePointer from the start of the file; false when the pointer did not move there.
    bool (*seekFile)(LnkFile file, uint32_t position);
    // WriteFile, synchronous, at the file pointer; written receives the count the system reports.
    bool (*writeFile)(LnkFile file, const uint8_t* bytes, uint32_t count, uint32_t* written);
    // FlushFileBuffers: what was written through the handle is on the disk when it returns true.
    bool (*flushFile)(LnkFile file);
    bool (*closeFile)(LnkFile file);
    bool (*deleteFile)(const std::string& path);
    // The whole content of a file opened by createNewFile or openInPlace, from its start.
    bool (*readAll)(LnkFile file, std::vector<uint8_t>* bytes);
    // SetFileInformationByHandle(FileRenameInfo): renames a file opened by createNewFile to path,
    // replacing a file there, in one step; what MoveFileEx does for MOVEFILE_REPLACE_EXISTING, on a
    // file that has been checked and cannot have changed since.
    bool (*renameOpenFile)(LnkFile file, const std::string& path);
    // CreateFile of an existing file for reading and writing in place, write-through, shared for
    // reading and writing with a program that holds it open. nullptr when it cannot be opened.
    LnkFile (*openInPlace)(const std::string& path);
    // Makes the file opened by openInPlace end at length (SetEndOfFile).
    bool (*setFileEnd)(LnkFile file, uint32_t length);
    // GetCurrentProcessId: tells this process's temporary files from another's.
    uint32_t (*processId)();
    // Sleep.
    void (*pause)(uint32_t milliseconds);
};

// The platform's own calls: Win32 on Windows, and on other systems a table whose every call fails. The
// writer is handed this table, or a test's own (a fake system, or calls of the test's in front of these).
const LnkPlatform& DefaultLnkPlatform();
