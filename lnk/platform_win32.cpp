// The writer's calls on Windows: the ANSI ("A") forms of kernel32, strings in the system code page.
#include "platform.h"

#include <windows.h>

#include <vector>

static bool Win32FromAnsi(const std::string& ansi, std::u16string* text) {
    text->clear();
    if (ansi.empty()) return true;
    const int length = static_cast<int>(ansi.size());
    const int size = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, nullptr, 0);
    if (size <= 0) return false;
    text->resize(size);
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, reinterpret_cast<wchar_t*>(&(*text)[0]), size);
    return true;
}

static bool Win32ToAnsi(const std::u16string& text, std::string* ansi) {
    ansi->clear();
    if (text.empty()) return true;
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    // UTF-8 takes no best-fit flag and no default character: WC_ERR_INVALID_CHARS alone makes an
    // unpaired surrogate fail. Every other code page reports a character it has no form for.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* reportDefault = utf8 ? nullptr : &usedDefault;
    const int size = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, reportDefault);
    if (size <= 0 || usedDefault) return false;
    ansi->resize(size);
    WideCharToMultiByte(CP_ACP, flags, wide, length, &(*ansi)[0], size, nullptr, reportDefault);
    // Only a conversion that comes back to the same text is exact.
    std::u16string back;
    if (usedDefault || !Win32FromAnsi(*ansi, &back) || back != text) {
        ansi->clear();
        return false;
    }
    return true;
}

// The wide name that the ANSI path spells, for the wide file calls. A path too long for the "A" calls
// becomes the extended-length form of its full path, which has no such limit; one already in that form
// is taken as it stands.
static bool SystemPath(const std::string& path, std::wstring* wide) {
    std::u16string text;
    if (path.empty() || !Win32FromAnsi(path, &text)) return false;
    wide->assign(text.begin(), text.end());
    if (wide->size() < MAX_PATH || wide->compare(0, 4, L"\\\\?\\") == 0) return true;
    const DWORD size = GetFullPathNameW(wide->c_str(), 0, nullptr, nullptr);
    if (size == 0) return false;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide->c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size) return false;
    full.resize(length);
    if (full.compare(0, 2, L"\\\\") == 0) {
        *wide = L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share\... becomes \\?\UNC\server\share\...
    } else {
        *wide = L"\\\\?\\" + full;
    }
    return true;
}

static HANDLE OpenPath(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    std::wstring wide;
    if (!SystemPath(path, &wide)) return INVALID_HANDLE_VALUE;
    return CreateFileW(wide.c_str(), access, share, nullptr, disposition, flags, nullptr);
}

static uint32_t Win32ShortPathName(const std::string& path, char* buffer, uint32_t size) {
    return GetShortPathNameA(path.c_str(), buffer, size);
}

static uint32_t Win32FileAttributes(const std::string& path) {
    std::wstring wide;
    return SystemPath(path, &wide) ? GetFileAttributesW(wide.c_str()) : INVALID_FILE_ATTRIBUTES;
}

static uint64_t U64(DWORD high, DWORD low) {
    return (static_cast<uint64_t>(high) << 32) | low;
}

static bool Win32FileSizeAndTime(const std::string& path, uint64_t* size, uint64_t* writeTime, uint64_t* creationTime) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    *size = U64(data.nFileSizeHigh, data.nFileSizeLow);
    *writeTime = U64(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    *creationTime = U64(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime);
    return true;
}

// A handle for queries only: no access asked, so it opens whoever else has the file open. Folders need
// backup semantics.
static HANDLE OpenForQuery(const std::string& path) {
    return OpenPath(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS);
}

static bool Win32FileIdentity(const std::string& path, FileIdentity* identity) {
    HANDLE file = OpenForQuery(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILE_ID_INFO wide;
    BY_HANDLE_FILE_INFORMATION narrow;
    bool ok = true;
    if (GetFileInformationByHandleEx(file, FileIdInfo, &wide, sizeof wide)) {
        identity->volumeSerial = wide.VolumeSerialNumber;
        memcpy(identity->fileId, wide.FileId.Identifier, sizeof identity->fileId);
    } else if (GetFileInformationByHandle(file, &narrow)) {  // before Windows 8, or a file system without it
        identity->volumeSerial = narrow.dwVolumeSerialNumber;
        const uint64_t index = U64(narrow.nFileIndexHigh, narrow.nFileIndexLow);
        for (int i = 0; i < 16; ++i) identity->fileId[i] = i < 8 ? static_cast<uint8_t>(index >> (8 * i)) : 0;
    } else {
        ok = false;
    }
    CloseHandle(file);
    return ok;
}

static bool Win32FinalPath(const std::string& path, std::u16string* finalPath) {
    HANDLE file = OpenForQuery(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    const DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    const DWORD size = GetFinalPathNameByHandleW(file, nullptr, 0, flags);  // with its NUL
    std::wstring name(size, L'\0');
    const DWORD length = size ? GetFinalPathNameByHandleW(file, &name[0], size, flags) : 0;
    CloseHandle(file);
    if (length == 0 || length >= size) return false;
    // Upper-cased by the system's own table, as NTFS compares names, whatever the user's language.
    std::wstring upper(length, L'\0');
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.c_str(), static_cast<int>(length), &upper[0],
                      static_cast<int>(length), nullptr, nullptr, 0) != static_cast<int>(length)) {
        return false;
    }
    finalPath->assign(upper.begin(), upper.end());
    return true;
}

static uint32_t Win32DriveType(const std::string& root) {
    return GetDriveTypeA(root.c_str());
}

static bool Win32VolumeInformation(const std::string& root, char* label, uint32_t labelSize, uint32_t* serial) {
    DWORD number = 0;
    if (!GetVolumeInformationA(root.c_str(), label, labelSize, &number, nullptr, nullptr, nullptr, 0)) return false;
    *serial = number;
    return true;
}

// Not write-through: the writer flushes the file once, after its last block, before it is checked and
// renamed. DELETE access lets the rename go through this handle.
static LnkFile Win32CreateNewFile(const std::string& path, bool* taken) {
    HANDLE file = OpenPath(path, GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
    const DWORD error = GetLastError();
    *taken = file == INVALID_HANDLE_VALUE && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

static bool Win32SeekFile(LnkFile file, uint32_t position) {
    LARGE_INTEGER distance, reached;
    distance.QuadPart = position;
    return SetFilePointerEx(file, distance, &reached, FILE_BEGIN) && reached.QuadPart == distance.QuadPart;
}

static bool Win32WriteFile(LnkFile file, const uint8_t* bytes, uint32_t count, uint32_t* written) {
    DWORD done = 0;
    const BOOL ok = WriteFile(file, bytes, count, &done, nullptr);
    *written = done;
    return ok != FALSE;
}

static bool Win32FlushFile(LnkFile file) {
    return FlushFileBuffers(file) != FALSE;
}

static bool Win32CloseFile(LnkFile file) {
    return CloseHandle(file) != FALSE;
}

static bool Win32DeleteFile(const std::string& path) {
    std::wstring wide;
    return SystemPath(path, &wide) && DeleteFileW(wide.c_str()) != FALSE;
}

static bool Win32ReadAll(LnkFile file, std::vector<uint8_t>* bytes) {
    constexpr DWORD kChunk = 64 * 1024;
    bytes->clear();
    if (!Win32SeekFile(file, 0)) return false;
    for (;;) {
        const size_t at = bytes->size();
        bytes->resize(at + kChunk);
        DWORD got = 0;
        const BOOL ok = ReadFile(file, bytes->data() + at, kChunk, &got, nullptr);
        bytes->resize(at + got);
        if (!ok) return false;
        if (got < kChunk) return true;  // a disk file reads short only at its end
    }
}

// The rename of an open handle that MoveFileEx performs.
static bool Win32RenameOpenFile(LnkFile file, const std::string& path) {
    std::wstring wide;
    if (!SystemPath(path, &wide)) return false;
    const size_t bytes = wide.size() * sizeof(WCHAR);
    std::vector<uint8_t> buffer(sizeof(FILE_RENAME_INFO) + bytes, 0);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(bytes);
    memcpy(info->FileName, wide.data(), bytes);
    return SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(buffer.size())) != FALSE;
}

static LnkFile Win32OpenInPlace(const std::string& path) {
    HANDLE file = OpenPath(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

static bool Win32SetFileEnd(LnkFile file, uint32_t length) {
    return Win32SeekFile(file, length) && SetEndOfFile(file) != FALSE;
}

static uint32_t Win32ProcessId() {
    return GetCurrentProcessId();
}

static void Win32Pause(uint32_t milliseconds) {
    Sleep(milliseconds);
}

const LnkPlatform& DefaultLnkPlatform() {
    static const LnkPlatform win32 = {
        .toAnsi = Win32ToAnsi,
        .fromAnsi = Win32FromAnsi,
        .shortPathName = Win32ShortPathName,
        .fileAttributes = Win32FileAttributes,
        .fileSizeAndTime = Win32FileSizeAndTime,
        .fileIdentity = Win32FileIdentity,
        .finalPath = Win32FinalPath,
        .driveType = Win32DriveType,
        .volumeInformation = Win32VolumeInformation,
        .createNewFile = Win32CreateNewFile,
        .seekFile = Win32SeekFile,
        .writeFile = Win32WriteFile,
        .flushFile = Win32FlushFile,
        .closeFile = Win32CloseFile,
        .deleteFile = Win32DeleteFile,
        .readAll = Win32ReadAll,
        .renameOpenFile = Win32RenameOpenFile,
        .openInPlace = Win32OpenInPlace,
        .setFileEnd = Win32SetFileEnd,
        .processId = Win32ProcessId,
        .pause = Win32Pause,
    };
    return win32;
}
