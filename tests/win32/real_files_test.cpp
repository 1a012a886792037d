// The writer through the real Win32 calls on real files: what it reads from the system, what it
// leaves on disk when the system refuses, and faults injected into the real calls.
#include "../lnk/lnk_reader.h"
#include "lnk/shortcut_builder.h"
#include "win32_test_support.h"

#include <atomic>
#include <thread>

namespace {

ParsedLink Parse(const std::wstring& path) {
    ParsedLink link;
    std::string error;
    EXPECT_TRUE(ParseLink(ReadAll(path), &link, &error)) << error;
    return link;
}

ShortcutRequest RequestFor(const std::wstring& target, const std::wstring& link) {
    ShortcutRequest r;
    r.targetPath = U16(target);
    r.linkPath = U16(link);
    return r;
}

std::string Ansi(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &ansi[0], size, nullptr, nullptr);
    ansi.pop_back();
    return ansi;
}

}  // namespace

using WriterOnRealFiles = RealFiles;

TEST_F(WriterOnRealFiles, ReadsTheTargetsFactsFromTheSystem) {
    const std::wstring target = MakeFile(L"Long File Name.data", 3000);
    CreateDirectoryW((dir + L"sub").c_str(), nullptr);
    const std::wstring link = dir + L"sub\\out.lnk";
    ASSERT_EQ(BuildShortcut(RequestFor(target, link)), kBuildSucceeded);

    WIN32_FILE_ATTRIBUTE_DATA facts;
    ASSERT_TRUE(GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &facts));
    char shortPath[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(Ansi(target).c_str(), shortPath, MAX_PATH), 0u);
    const std::string shortName = std::string(shortPath).substr(std::string(shortPath).rfind('\\') + 1);

    ParsedLink parsed = Parse(link);
    EXPECT_EQ(parsed.fileSize, 3000u);
    EXPECT_EQ(parsed.fileAttributes, facts.dwFileAttributes);
    EXPECT_EQ(parsed.writeTime, (uint64_t(facts.ftLastWriteTime.dwHighDateTime) << 32) | facts.ftLastWriteTime.dwLowDateTime);
    EXPECT_EQ(parsed.localBasePath, Ansi(target));
    EXPECT_EQ(parsed.items.back().longName, "Long File Name.data");
    EXPECT_EQ(parsed.items.back().shortName, shortName);
    EXPECT_NE(shortName, "Long File Name.data");
    EXPECT_EQ(parsed.items.back().fileSize, 3000u);
    EXPECT_EQ(parsed.items.front().name, "C:\\");
    EXPECT_EQ(parsed.driveType, static_cast<uint32_t>(DRIVE_FIXED));
}

TEST_F(WriterOnRealFiles, ReplacesExistingFilesLongerAndShorter) {
    const std::wstring target = MakeFile(L"app.exe", 10);
    const std::wstring link = dir + L"app.lnk";
    ASSERT_EQ(BuildShortcut(RequestFor(target, link)), kBuildSucceeded);
    const std::vector<uint8_t> fresh = ReadAll(link);
    for (size_t oldSize : {size_t(5000), size_t(3)}) {
        WriteAll(link, std::vector<uint8_t>(oldSize, 0xEE));
        ASSERT_EQ(BuildShortcut(RequestFor(target, link)), kBuildSucceeded);
        EXPECT_EQ(ReadAll(link), fresh) << "old file of " << oldSize << " bytes";
    }
}

TEST_F(WriterOnRealFiles, DefaultShortcutPathBesideTheTarget) {
    CreateDirectoryW((dir + L"a.b").c_str(), nullptr);
    const std::wstring target = MakeFile(L"a.b\\tool.v2.exe", 1);
    ASSERT_EQ(BuildShortcut(RequestFor(target, L"")), kBuildSucceeded);
    EXPECT_EQ(FolderNames(dir + L"a.b\\"), (std::vector<std::wstring>{L"tool.lnk", L"tool.v2.exe"}));
}

TEST_F(WriterOnRealFiles, RefusedShortcutPathsLeaveEverythingAsItWas) {
    const std::wstring target = MakeFile(L"app.exe", 10);

    const std::wstring readOnly = dir + L"readonly.lnk";
    WriteAll(readOnly, {1, 2, 3});
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(BuildShortcut(RequestFor(target, readOnly)), kBuildFailed);
    EXPECT_EQ(ReadAll(readOnly), (std::vector<uint8_t>{1, 2, 3}));

    const std::wstring locked = dir + L"locked.lnk";
    WriteAll(locked, {4, 5, 6});
    HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(BuildShortcut(RequestFor(target, locked)), kBuildFailed);
    CloseHandle(holder);
    EXPECT_EQ(ReadAll(locked), (std::vector<uint8_t>{4, 5, 6}));

    const std::wstring hidden = dir + L"hidden.lnk";
    WriteAll(hidden, {7, 8});
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(BuildShortcut(RequestFor(target, hidden)), kBuildFailed);
    EXPECT_EQ(ReadAll(hidden), (std::vector<uint8_t>{7, 8}));

    const std::wstring folder = dir + L"folder.lnk";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_EQ(BuildShortcut(RequestFor(target, folder)), kBuildFailed);
    EXPECT_TRUE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    EXPECT_EQ(BuildShortcut(RequestFor(target, dir + L"missing\\x.lnk")), kBuildFailed);
    EXPECT_EQ(BuildShortcut(RequestFor(dir + L"missing.exe", dir + L"x.lnk")), kBuildFailed);
    EXPECT_EQ(FolderNames(dir),
              (std::vector<std::wstring>{L"app.exe", L"folder.lnk", L"hidden.lnk", L"locked.lnk", L"readonly.lnk"}));
}

TEST_F(WriterOnRealFiles, FaultsAtEveryStepKeepTheOldShortcut) {
    const std::wstring target = MakeFile(L"app.exe", 10);
    const std::wstring link = dir + L"app.lnk";
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    WriteAll(link, old);
    using F = FaultyPlatform;
    for (auto fault : {F::kOpen, F::kShortWrite, F::kAlteredWrite, F::kFlush, F::kReadBack, F::kReplace}) {
        const bool perBlock = fault != F::kReadBack && fault != F::kReplace;
        for (int k = 1; k <= (perBlock ? 8 : 1); ++k) {
            FaultyPlatform::Install(fault, k);
            const int16_t result = BuildShortcut(RequestFor(target, link));
            FaultyPlatform::Remove();
            SCOPED_TRACE("fault " + std::to_string(fault) + " at block " + std::to_string(k));
            EXPECT_EQ(result, kBuildFailed);
            EXPECT_EQ(ReadAll(link), old);
            EXPECT_EQ(FolderNames(dir), (std::vector<std::wstring>{L"app.exe", L"app.lnk"}));
        }
    }
}

// A reader sees the old file or the complete new one, never anything between.
TEST_F(WriterOnRealFiles, ReaderNeverSeesAPartialShortcut) {
    const std::wstring target = MakeFile(L"app.exe", 10);
    const std::wstring link = dir + L"app.lnk";
    ShortcutRequest first = RequestFor(target, link), second = first;
    second.comment = u"a longer comment that makes the second shortcut larger than the first";
    ASSERT_EQ(BuildShortcut(second), kBuildSucceeded);
    const std::vector<uint8_t> secondBytes = ReadAll(link);
    ASSERT_EQ(BuildShortcut(first), kBuildSucceeded);
    const std::vector<uint8_t> firstBytes = ReadAll(link);

    std::atomic<bool> writing{true};
    std::atomic<int> reads{0}, partial{0};
    std::thread reader([&] {
        while (writing) {
            const std::vector<uint8_t> seen = ReadAll(link);
            ++reads;
            if (seen != firstBytes && seen != secondBytes) ++partial;
            Sleep(1);  // a reader such as Explorer does not hold the file all the time
        }
    });
    int failures = 0;
    for (int i = 0; i < 200; ++i) failures += BuildShortcut(i % 2 ? first : second) != kBuildSucceeded;
    writing = false;
    reader.join();
    EXPECT_EQ(partial, 0) << "of " << reads << " reads";
    EXPECT_GT(reads, 100);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(FolderNames(dir), (std::vector<std::wstring>{L"app.exe", L"app.lnk"}));
}

// The tests run under the Japanese code page 932 and under the Western code page 1252.
TEST_F(WriterOnRealFiles, NamesAreWrittenInTheAnsiCodePageOrRefused) {
    const UINT codePage = GetACP();
    ASSERT_TRUE(codePage == 932 || codePage == 1252) << codePage;
    CreateDirectoryW((dir + L"ソフト").c_str(), nullptr);
    const std::wstring japanese = MakeFile(L"ソフト\\表計算.exe", 5);
    ShortcutRequest r = RequestFor(japanese, dir + L"表.lnk");
    r.comment = u"日本語";
    if (codePage == 1252) {  // no Japanese character has a form here: refused, nothing written
        EXPECT_EQ(BuildShortcut(r), kBuildFailed);
        r.targetPath = U16(MakeFile(L"Résumé.exe", 5));
        r.linkPath = U16(dir + L"Résumé.lnk");
        EXPECT_EQ(BuildShortcut(r), kBuildFailed) << "the comment alone has no form";
        r.comment = u"Öffnen";
        ASSERT_EQ(BuildShortcut(r), kBuildSucceeded);
        ParsedLink parsed = Parse(dir + L"Résumé.lnk");
        EXPECT_EQ(parsed.items.back().longName, "R\xE9sum\xE9.exe");
        EXPECT_EQ(parsed.strings, std::vector<std::string>{"\xD6" "ffnen"});
        return;
    }
    ASSERT_EQ(BuildShortcut(r), kBuildSucceeded);
    ParsedLink parsed = Parse(dir + L"表.lnk");
    EXPECT_EQ(parsed.localBasePath, Ansi(japanese));
    EXPECT_EQ(parsed.items[parsed.items.size() - 2].longName, "\x83\x5C\x83\x74\x83\x67");  // ソフト
    EXPECT_EQ(parsed.items.back().longName, "\x95\x5C\x8C\x76\x8E\x5A.exe");            // 表計算.exe
    EXPECT_EQ(parsed.strings, std::vector<std::string>{"\x93\xFA\x96\x7B\x8C\xEA"});     // 日本語
}

TEST_F(WriterOnRealFiles, NoBestFitLookAlikeNamesAnotherFile) {
    // A letter without a form in the code page, whose best fit would be a plain "a" or "e".
    const std::wstring fancy = GetACP() == 1252 ? L"c\x0101" L"fe" : L"caf\x00E9";
    MakeFile(L"cafe.exe", 10);
    MakeFile(L"cafa.exe", 10);
    const std::wstring target = MakeFile(fancy + L".exe", 10);
    EXPECT_EQ(BuildShortcut(RequestFor(target, dir + L"x.lnk")), kBuildFailed);
    EXPECT_EQ(BuildShortcut(RequestFor(dir + L"cafe.exe", dir + fancy + L".lnk")), kBuildFailed);
    EXPECT_EQ(FolderNames(dir).size(), 3u) << "nothing written";
}
