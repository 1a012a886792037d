// The writer through the real Win32 calls on real files under Wine: what it takes from the system and
// what it leaves on disk: names in the exact bytes of code pages 932, 1252 and 65001 or refused; the
// target by seven spellings refused; 259-character shortcut paths in a deep folder, their temporary
// file reached by its \\?\ form; a taken temporary name passed over, what takes it left as it was; the
// temporary file flushed and unshared for writing when renamed; a shortcut of more than 64 KiB
// replaced, or written in place while another program holds it. Where Windows is stricter than Wine
// (MAX_PATH, file times), a call of the test's own stands in front of the system's. The rules of the
// format and of refusals, and faults at every step, are the fake system's tests (tests/lnk); here only
// what the real calls decide.
#include "../lnk/lnk_reader.h"
#include "../lnk/request.h"
#include "lnk/platform.h"
#include "lnk/shortcut_builder.h"
#include "win32_test_support.h"
#include "tools/wine_path.h"

#include <filesystem>
#include <set>

static std::u16string U16(const std::wstring& text) { return {text.begin(), text.end()}; }
static ShortcutRequest Request(const std::wstring& target, const std::wstring& link, const std::wstring& comment = L"",
                               const std::wstring& arguments = L"") {
    return Request(U16(target), U16(link), U16(arguments), U16(comment));
}
static int16_t Build(const ShortcutRequest& request) { return BuildShortcut(DefaultLnkPlatform(), request); }

using WriterOnRealFiles = RealFiles;

// GetFileAttributesExA as on Windows, where a file written after it was made was made earlier than its
// last write (Wine gives its last write for both), and where its last access moves whenever something
// reads it, such as a virus scanner between two queries (here: at every query).
extern "C" decltype(&GetFileAttributesExA) __imp_GetFileAttributesExA;
static BOOL WINAPI AttributesAsOnWindows(LPCSTR name, GET_FILEEX_INFO_LEVELS level, LPVOID data) {
    static DWORD queries = 0;
    const BOOL read = Real<__imp_GetFileAttributesExA>(name, level, data);
    auto* file = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(data);
    file->ftCreationTime.dwHighDateTime -= 1;  // 2^32 * 100 ns
    file->ftLastAccessTime.dwLowDateTime += ++queries;
    return read;
}

// Each run has its code page: 932 (Japanese), 1252 (Western) or 65001 (UTF-8). A name is written in its
// exact bytes there, or refused, never as a best-fit look-alike ("a" for "ā", U+FFFD for a lone
// surrogate). The system's short name, size and last write of the file go in with it.
TEST_F(WriterOnRealFiles, NamesInTheAnsiCodePageOrRefused) {
    // The bytes of a name in each code page; nullptr: no exact form.
    const struct Name { std::wstring text; const char *cp932, *cp1252, *cp65001; } names[] = {
        {L"ソフト表計算", "\x83\x5C\x83\x74\x83\x67\x95\x5C\x8C\x76\x8E\x5A", nullptr,
         "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88\xE8\xA1\xA8\xE8\xA8\x88\xE7\xAE\x97"},
        {L"Résumé", nullptr, "R\xE9sum\xE9", "R\xC3\xA9sum\xC3\xA9"},
        {L"c\x0101" L"fe", nullptr, nullptr, "c\xC4\x81" "fe"},
        {L"caf\xD800", nullptr, nullptr, nullptr},
    };
    const std::wstring plain = MakeFile(L"plain.exe", 1);
    for (const Name& name : names) {
        const char* bytes = GetACP() == 932 ? name.cp932 : GetACP() == 1252 ? name.cp1252 : name.cp65001;
        if (!bytes) {  // even as a comment, which names no file
            EXPECT_EQ(Build(Request(plain, dir + L"x.lnk", name.text)), kBuildFailed);
            continue;
        }
        // The name as the target's and as the shortcut's.
        const std::wstring made = MakeFile(name.text + L".exe", 3000);
        const Hook<__imp_GetFileAttributesExA> onWindows(AttributesAsOnWindows);
        ASSERT_EQ(Build(Request(made, dir + name.text + L".lnk")), kBuildSucceeded);
        const ParsedLink link = ParseLink(ReadAll(dir + name.text + L".lnk"));
        const std::string target = std::string(dir.begin(), dir.end()) + bytes + ".exe";
        EXPECT_EQ(link.localBasePath, target);
        char shortPath[MAX_PATH];
        ASSERT_GT(GetShortPathNameA(target.c_str(), shortPath, MAX_PATH), 0u);
        EXPECT_EQ(link.items.back().shortName, strrchr(shortPath, '\\') + 1);
        EXPECT_NE(link.items.back().shortName, link.items.back().longName) << "Wine hashes non-8.3 names";
        EXPECT_EQ(link.items.back().fileSize, 3000u);
        WIN32_FILE_ATTRIBUTE_DATA file;
        GetFileAttributesExW(made.c_str(), GetFileExInfoStandard, &file);
        const uint64_t written = uint64_t{file.ftLastWriteTime.dwHighDateTime} << 32 | file.ftLastWriteTime.dwLowDateTime;
        EXPECT_EQ(std::vector<uint64_t>(link.times, link.times + 3), std::vector<uint64_t>(3, written));
    }
}

// A shortcut path that names the target itself, by any spelling or through another path to the same
// file, is refused: the target keeps its bytes.
TEST_F(WriterOnRealFiles, ShortcutPathThatIsTheTargetIsRefused) {
    const std::wstring target = MakeFile(L"Target File.lnk", 300);
    const std::vector<uint8_t> before = ReadAll(target);
    wchar_t shortPath[MAX_PATH];
    ASSERT_GT(GetShortPathNameW(target.c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_NE(std::wstring(shortPath), target);
    std::wstring upper = target;
    CharUpperW(&upper[0]);
    // The prefix's drive C: seen through drive Z:.
    const std::wstring onDriveZ = WindowsPathFromEnvironment("WINEPREFIX") + L"\\drive_c" + target.substr(2);
    ASSERT_EQ(ReadAll(onDriveZ), before);
    const std::wstring hardLink = dir + L"hard.lnk";
    ASSERT_TRUE(CreateHardLinkW(hardLink.c_str(), target.c_str(), nullptr));
    const std::wstring dotted = dir + L".\\nowhere\\..\\\\Target File.lnk";  // ".", "..", a doubled "\\"
    // "": the default shortcut path, beside the target and named after it
    // Where a file system gives no ids, the final path tells the spellings of one name apart from other files.
    const auto finalPath = [](const std::wstring& path) {
        std::u16string name;
        return DefaultLnkPlatform().finalPath(std::string(path.begin(), path.end()), &name) ? name : u"unread";
    };
    const Hook<__imp_GetFileAttributesExA> onWindows(AttributesAsOnWindows);
    for (const std::wstring& link : {std::wstring(), target, upper, std::wstring(shortPath), dotted, onDriveZ, hardLink}) {
        EXPECT_EQ(Build(Request(target, link)), kBuildFailed) << std::string(link.begin(), link.end());
        EXPECT_EQ(ReadAll(target), before);
        EXPECT_EQ(finalPath(link.empty() ? target : link) == finalPath(target), link != hardLink);
    }
    EXPECT_EQ(FolderNames(dir), (std::vector<std::wstring>{L"hard.lnk", L"Target File.lnk"}));
}

// CreateFileW and DeleteFileA as on Windows without long paths enabled (Wine has no such limit): a name
// of MAX_PATH characters or more is found only in its \\?\ form. The CreateFileW calls that make a new
// file are counted.
extern "C" decltype(&CreateFileW) __imp_CreateFileW;
extern "C" decltype(&DeleteFileA) __imp_DeleteFileA;
static int newFiles = 0;
static HANDLE WINAPI CreateFileUpToMaxPath(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                           DWORD disposition, DWORD flags, HANDLE model) {
    newFiles += disposition == CREATE_NEW;
    if (wcslen(name) >= MAX_PATH && wcsncmp(name, L"\\\\?\\", 4) != 0) return INVALID_HANDLE_VALUE;
    return Real<__imp_CreateFileW>(name, access, share, security, disposition, flags, model);
}
static BOOL WINAPI DeleteUpToMaxPath(LPCSTR name) { return strlen(name) < MAX_PATH && Real<__imp_DeleteFileA>(name); }

// Shortcut paths of up to 259 characters, the most the ANSI calls take, are written in a deep folder,
// where the temporary file beside them has MAX_PATH characters and is reached by its \\?\ form; a path
// that has that form already keeps it.
TEST_F(WriterOnRealFiles, ShortcutPathsUpTo259CharactersInADeepFolder) {
    const std::wstring target = MakeFile(L"app.exe", 10);
    const size_t temporary = (L"~vantorelle-" + std::to_wstring(GetCurrentProcessId()) + L"-1.tmp").size();
    std::wstring deep = dir;
    for (size_t left; (left = MAX_PATH - temporary - deep.size()) > 0;) deep += std::wstring(left > 40 ? 20 : left - 1, L'd') + L"\\";
    ASSERT_TRUE(std::filesystem::create_directories(deep));
    const auto link = [&](size_t length) { return deep + std::wstring(length - deep.size() - 4, L'n') + L".lnk"; };
    const Hook<__imp_CreateFileW> createFile(CreateFileUpToMaxPath);
    const Hook<__imp_DeleteFileA> deleteFile(DeleteUpToMaxPath);
    EXPECT_EQ(Build(Request(target, link(259))), kBuildSucceeded);
    EXPECT_EQ(Build(Request(target, L"\\\\?\\" + link(255))), kBuildSucceeded);
    // Held by a program that lets others only read it: the Create fails once its temporary file is written,
    // and removes it.
    const HANDLE holder = CreateFileW(link(259).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(Build(Request(target, link(259))), kBuildFailed);
    CloseHandle(holder);
    EXPECT_EQ(FolderNames(deep).size(), 2u) << "two shortcuts and no temporary file";
}

// The first temporary name taken by a file, a folder, a read-only file or a file held open unshared:
// the next name is used and what is there is left as it was. A folder that does not exist is not a
// taken name: the Create fails at its first try.
TEST_F(WriterOnRealFiles, TakenTemporaryNameIsPassedOver) {
    const std::wstring target = MakeFile(L"app.exe", 10), link = dir + L"app.lnk";
    const std::wstring name = L"~vantorelle-" + std::to_wstring(GetCurrentProcessId()) + L"-1.tmp", taken = dir + name;
    const Hook<__imp_CreateFileW> createFile(CreateFileUpToMaxPath);
    for (const std::string thing : {"a file", "a folder", "a read-only file", "a file held open unshared"}) {
        SCOPED_TRACE(thing);
        if (thing == "a folder") CreateDirectoryW(taken.c_str(), nullptr);
        else WriteAll(taken, {'o', 'l', 'd'});
        if (thing == "a read-only file") SetFileAttributesW(taken.c_str(), FILE_ATTRIBUTE_READONLY);
        const std::vector<uint8_t> bytes = ReadAll(taken);
        const DWORD attributes = GetFileAttributesW(taken.c_str());
        const HANDLE holder = thing == "a file held open unshared"
                                  ? CreateFileW(taken.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
        newFiles = 0;
        EXPECT_EQ(Build(Request(target, link)), kBuildSucceeded);
        if (holder) CloseHandle(holder);
        EXPECT_EQ(newFiles, 2);
        EXPECT_EQ(ReadAll(taken), bytes);
        EXPECT_EQ(GetFileAttributesW(taken.c_str()), attributes);
        EXPECT_EQ(FolderNames(dir), (std::vector<std::wstring>{L"app.exe", L"app.lnk", name}));  // no second temporary file
        SetFileAttributesW(taken.c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(taken);
        DeleteFileW(link.c_str());
    }
    newFiles = 0;
    EXPECT_EQ(Build(Request(target, dir + L"none\\app.lnk")), kBuildFailed);
    EXPECT_EQ(newFiles, 1);
}

// WriteFile, FlushFileBuffers and SetFileInformationByHandle as the writer calls them, seen on their
// way to the system: whether, at each rename, what was written through the handle had been flushed to
// the disk, and whether another program could open the file to write it.
extern "C" decltype(&WriteFile) __imp_WriteFile;
extern "C" decltype(&FlushFileBuffers) __imp_FlushFileBuffers;
extern "C" decltype(&SetFileInformationByHandle) __imp_SetFileInformationByHandle;
// What they saw: the handles written since their last flush, and the renames.
static struct { std::set<HANDLE> unflushed; int renames = 0, unflushedRenames = 0, writableRenames = 0; } seen;
static BOOL WINAPI WriteSeen(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
    seen.unflushed.insert(file);
    return Real<__imp_WriteFile>(file, bytes, count, written, overlapped);
}
static BOOL WINAPI FlushSeen(HANDLE file) {
    const BOOL flushed = Real<__imp_FlushFileBuffers>(file);
    if (flushed) seen.unflushed.erase(file);
    return flushed;
}
static BOOL WINAPI RenameSeen(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID information, DWORD size) {
    if (kind == FileRenameInfo) {
        ++seen.renames;
        seen.unflushedRenames += seen.unflushed.count(file);
        wchar_t name[4 * MAX_PATH];
        const DWORD length = GetFinalPathNameByHandleW(file, name, 4 * MAX_PATH, 0);
        const HANDLE other = length ? CreateFileW(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                  nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
        if (other != INVALID_HANDLE_VALUE) ++seen.writableRenames;
        if (other && other != INVALID_HANDLE_VALUE) CloseHandle(other);
    }
    return Real<__imp_SetFileInformationByHandle>(file, kind, information, size);
}

// A shortcut no one holds is replaced in one step by a new file (a hard link to the old one keeps the
// old bytes); one held open by a program that lets others read and write it is written in place, the
// longer old file cut to the new length. Either way the temporary file is gone; each one renamed was
// flushed and could be written by no one else.
TEST_F(WriterOnRealFiles, ExistingShortcutIsReplacedOrWhenHeldWrittenInPlace) {
    const std::wstring target = MakeFile(L"app.exe", 10), link = dir + L"app.lnk", other = dir + L"other.lnk";
    // Of more than 64 KiB: read back in more than one piece.
    const ShortcutRequest request = Request(target, link, std::wstring(32767, L'c'), std::wstring(32767, L'a'));
    ASSERT_EQ(Build(request), kBuildSucceeded);
    const std::vector<uint8_t> fresh = ReadAll(link), old(fresh.size() + 1000, 'o');  // the old file is the longer
    const Hook<__imp_WriteFile> write(WriteSeen);
    const Hook<__imp_FlushFileBuffers> flush(FlushSeen);
    const Hook<__imp_SetFileInformationByHandle> rename(RenameSeen);
    for (bool held : {false, true}) {
        DeleteFileW(other.c_str());
        WriteAll(link, old);
        EXPECT_TRUE(CreateHardLinkW(other.c_str(), link.c_str(), nullptr));
        HANDLE holder = held ? CreateFileW(other.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
        SCOPED_TRACE(held ? "held" : "not held");
        EXPECT_EQ(Build(request), kBuildSucceeded);
        if (holder) CloseHandle(holder);
        EXPECT_EQ(ReadAll(link), fresh);
        EXPECT_EQ(ReadAll(other), held ? fresh : old);
    }
    EXPECT_EQ(FolderNames(dir), (std::vector<std::wstring>{L"app.exe", L"app.lnk", L"other.lnk"}));
    EXPECT_GE(seen.renames, 1);
    EXPECT_EQ(seen.unflushedRenames, 0) << "renamed before its bytes were flushed";
    EXPECT_EQ(seen.writableRenames, 0) << "another program could write the checked file";
}
