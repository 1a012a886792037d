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
    std::wstring onDriveZ = L"Z:" + UnixPathOf(target);
    for (wchar_t& c : onDriveZ) c = c == L'/' ? L'\\' : c;
    const std::wstring hardLink = dir + L"hard.lnk";
    ASSERT_TRUE(CreateHardLinkW(hardLink.c_str(), target.c_str(), nullptr));
    const std::wstring folderName = dir.substr(dir.rfind(L'\\', dir.size() - 2) + 1);  // ends in a backslash
    const std::wstring dotted = dir + L".\\..\\" + folderName + L"\\Target File.lnk";  // ".", ".." and "\\"
    const std::wstring spellings[] = {L"", target, upper, shortPath, dotted, onDriveZ, hardLink};
    for (const std::wstring& link : spellings) {
        EXPECT_EQ(BuildShortcut(RequestFor(target, link)), kBuildFailed) << std::string(link.begin(), link.end());
        EXPECT_EQ(ReadAll(target), before);
    }
    EXPECT_EQ(FolderNames(dir), (std::vector<std::wstring>{L"hard.lnk", L"Target File.lnk"}));
}

// Every shortcut path the system's ANSI calls take is written, even where the temporary file beside it
// has a longer name than those calls take.
TEST_F(WriterOnRealFiles, ShortcutPathsUpTo259CharactersInADeepFolder) {
    const std::wstring target = MakeFile(L"app.exe", 10);
    std::wstring deep = dir;
    while (deep.size() < 245) {
        deep += std::wstring(std::min<size_t>(20, 245 - deep.size() - 1), L'd') + L"\\";
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    for (size_t length = 255; length <= 260; ++length) {
        const std::wstring link = deep + std::wstring(length - deep.size() - 4, L'n') + L".lnk";
        EXPECT_EQ(BuildShortcut(RequestFor(target, link)), length <= 259 ? kBuildSucceeded : kBuildFailed) << length;
        if (length <= 259) {
            EXPECT_EQ(Parse(link).localBasePath, Ansi(target));
        }
    }
    EXPECT_EQ(FolderNames(deep).size(), 5u) << "five shortcuts and no temporary file";
}

TEST_F(WriterOnRealFiles, FaultsAtEveryStepKeepTheOldShortcut) {
    const std::wstring target = MakeFile(L"app.exe", 10);
    const std::wstring link = dir + L"app.lnk";
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    WriteAll(link, old);
    using F = FaultyPlatform;
    for (auto fault : {F::kOpen, F::kShortWrite, F::kAlteredWrite, F::kFlush, F::kReadBack, F::kReplace, F::kInPlaceWrite}) {
        const bool perBlock = fault < F::kReadBack;
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

// The tests run under the Japanese code page 932, the Western code page 1252 and UTF-8 (65001).
TEST_F(WriterOnRealFiles, NamesAreWrittenInTheAnsiCodePageOrRefused) {
    const UINT codePage = GetACP();
    ASSERT_TRUE(codePage == 932 || codePage == 1252 || codePage == CP_UTF8) << codePage;
    const bool utf8 = codePage == CP_UTF8;
    struct Case {
        std::wstring folder, file, comment;
        bool representable;
        std::string folderBytes, fileBytes, commentBytes;
    };
    const Case cases[] = {
        {L"ソフト", L"表計算.exe", L"日本語", codePage != 1252,
         utf8 ? "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88" : "\x83\x5C\x83\x74\x83\x67",
         utf8 ? "\xE8\xA1\xA8\xE8\xA8\x88\xE7\xAE\x97.exe" : "\x95\x5C\x8C\x76\x8E\x5A.exe",
         utf8 ? "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E" : "\x93\xFA\x96\x7B\x8C\xEA"},
        {L"Café", L"Résumé.exe", L"Öffnen", codePage != 932, utf8 ? "Caf\xC3\xA9" : "Caf\xE9",
         utf8 ? "R\xC3\xA9sum\xC3\xA9.exe" : "R\xE9sum\xE9.exe", utf8 ? "\xC3\x96" "ffnen" : "\xD6" "ffnen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileBytes);
        CreateDirectoryW((dir + c.folder).c_str(), nullptr);
        const std::wstring target = MakeFile(c.folder + L"\\" + c.file, 5), link = dir + c.folder + L".lnk";
        ShortcutRequest r = RequestFor(target, link);
        r.comment = U16(c.comment);
        if (!c.representable) {  // no form in this code page: refused, nothing written
            EXPECT_EQ(BuildShortcut(r), kBuildFailed);
            EXPECT_TRUE(ReadAll(link).empty());
            continue;
        }
        ASSERT_EQ(BuildShortcut(r), kBuildSucceeded);
        ParsedLink parsed = Parse(link);
        EXPECT_EQ(parsed.localBasePath, Ansi(target));
        EXPECT_EQ(parsed.items[parsed.items.size() - 2].longName, c.folderBytes);
        EXPECT_EQ(parsed.items.back().longName, c.fileBytes);
        EXPECT_EQ(parsed.strings, std::vector<std::string>{c.commentBytes});
    }
}

TEST_F(WriterOnRealFiles, NoBestFitLookAlikeNamesAnotherFile) {
    // A letter without a form in the code page, whose best fit would be a plain "a" or "e"; in UTF-8,
    // where every character has a form, a lone surrogate, which names no file.
    const UINT codePage = GetACP();
    const std::wstring fancy = codePage == 1252 ? L"c\x0101" L"fe" : codePage == 932 ? L"caf\x00E9" : L"caf\xD800";
    MakeFile(L"cafe.exe", 10);
    MakeFile(L"cafa.exe", 10);
    if (codePage != CP_UTF8) MakeFile(fancy + L".exe", 10);
    EXPECT_EQ(BuildShortcut(RequestFor(dir + fancy + L".exe", dir + L"x.lnk")), kBuildFailed);
    EXPECT_EQ(BuildShortcut(RequestFor(dir + L"cafe.exe", dir + fancy + L".lnk")), kBuildFailed);
    EXPECT_EQ(FolderNames(dir).size(), codePage == CP_UTF8 ? 2u : 3u) << "nothing written";
}
