// Benchmark: N shortcuts written three ways, interleaved in one run: by BuildShortcut (written beside,
// read back, renamed into place), by the same eight blocks written straight into the shortcut path,
// and by the shell's own link object (IShellLink with IPersistFile::Save). Prints the medians and ratios,
// and, timed inside BuildShortcut's own calls, the read-back and rename against its eight flushed blocks.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "lnk/platform.h"
#include "lnk/shortcut_blocks.h"
#include "lnk/shortcut_file.h"
#include "bench_clock.h"
#include "lnk/shortcut_builder.h"

// Time spent in a writer's calls: the eight blocks (open, seek, write, flush, close) and the read-back
// and rename (open for rename, read, rename, close of that handle), summed per shortcut.
namespace phases {
struct Sums {
    double blocks = 0, readBackAndRename = 0;
};
Sums* into = nullptr;
LnkFile renaming = nullptr;
LnkPlatform timed;

template <typename Call>
auto Timed(double Sums::*phase, Call call) {
    const double start = NowMs();
    auto result = call();
    into->*phase += NowMs() - start;
    return result;
}

LnkFile Open(const std::string& p, bool c) { return Timed(&Sums::blocks, [&] { return DefaultLnkPlatform().openFile(p, c); }); }
bool Seek(LnkFile f, uint32_t p) { return Timed(&Sums::blocks, [&] { return DefaultLnkPlatform().seekFile(f, p); }); }
bool Write(LnkFile f, const uint8_t* b, uint32_t n, uint32_t* w) {
    return Timed(&Sums::blocks, [&] { return DefaultLnkPlatform().writeFile(f, b, n, w); });
}
bool Flush(LnkFile f) { return Timed(&Sums::blocks, [&] { return DefaultLnkPlatform().flushFile(f); }); }
bool Close(LnkFile f) {
    const bool checked = f == renaming;
    if (checked) renaming = nullptr;  // handle values are reused by later opens
    return Timed(checked ? &Sums::readBackAndRename : &Sums::blocks, [&] { return DefaultLnkPlatform().closeFile(f); });
}
LnkFile OpenForRename(const std::string& p) {
    return renaming = Timed(&Sums::readBackAndRename, [&] { return DefaultLnkPlatform().openForRename(p); });
}
bool ReadAll(LnkFile f, std::vector<uint8_t>* b) {
    return Timed(&Sums::readBackAndRename, [&] { return DefaultLnkPlatform().readAll(f, b); });
}
bool Rename(LnkFile f, const std::string& p) {
    return Timed(&Sums::readBackAndRename, [&] { return DefaultLnkPlatform().renameOpenFile(f, p); });
}

void Install(Sums* sums) {
    into = sums;
    timed = DefaultLnkPlatform();
    timed.openFile = Open;
    timed.seekFile = Seek;
    timed.writeFile = Write;
    timed.flushFile = Flush;
    timed.closeFile = Close;
    timed.openForRename = OpenForRename;
    timed.readAll = ReadAll;
    timed.renameOpenFile = Rename;
    ReplaceLnkPlatform(&timed);
}
}  // namespace phases

// The eight blocks straight into the shortcut path, each in its own open-write-flush-close cycle.
static bool WriteDirectly(const ShortcutRequest& request) {
    ShortcutBlocks shortcut;
    return AssembleShortcut(request, &shortcut) && WriteBlocks(shortcut.ansiLinkPath, shortcut.blocks);
}

static ShortcutRequest BenchRequest(const std::wstring& target, const std::wstring& link) {
    ShortcutRequest r;
    r.targetPath.assign(target.begin(), target.end());
    r.linkPath.assign(link.begin(), link.end());
    r.arguments = u"--bench";
    r.hotKeyCode = 0x41;
    r.comment = u"benchmark";
    return r;
}

static bool SaveWithShell(const std::wstring& target, const std::wstring& link) {
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink))))
        return false;
    shellLink->SetPath(target.c_str());
    shellLink->SetArguments(L"--bench");
    shellLink->SetDescription(L"benchmark");
    shellLink->SetHotkey(0x0641);
    shellLink->SetShowCmd(SW_SHOWNORMAL);
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(link.c_str(), TRUE));
        file->Release();
    }
    shellLink->Release();
    return saved;
}

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 200;
    if (n <= 0) return 2;
    CoInitialize(nullptr);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"vantorelle-bench-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring target = dir + L"target.exe";
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);

    // Each way replaces an existing shortcut, as a Create over an earlier one does. In the order
    // 0 1 2 0 2 1, repeated, each way follows each other way equally often: a flush also pays for what
    // the previous shortcut left unwritten, and the shell's save sets Explorer to work for a while.
    const std::wstring ours = dir + L"ours.lnk", direct = dir + L"direct.lnk", theirs = dir + L"shell.lnk";
    std::vector<double> times[3], blockTimes[2], readBackTimes;
    for (int i = 0; i < 3 * n; ++i) {
        static const int order[6] = {0, 1, 2, 0, 2, 1};
        const int way = order[i % 6];
        const double start = NowMs();
        phases::Sums sums;
        if (way < 2) phases::Install(&sums);
        const bool ok = way == 0   ? BuildShortcut(BenchRequest(target, ours)) == kBuildSucceeded
                        : way == 1 ? WriteDirectly(BenchRequest(target, direct))
                                   : SaveWithShell(target, theirs);
        times[way].push_back(NowMs() - start);
        ReplaceLnkPlatform(nullptr);
        if (way < 2) blockTimes[way].push_back(sums.blocks);
        if (way == 0) readBackTimes.push_back(sums.readBackAndRename);
        if (!ok) {
            std::fprintf(stderr, "shortcut %d failed (way %d)\n", i, way);
            return 1;
        }
    }
    for (const std::wstring& link : {ours, direct, theirs}) DeleteFileW(link.c_str());
    DeleteFileW(target.c_str());
    RemoveDirectoryW(dir.c_str());
    const double ourMedian = Median(times[0]), directMedian = Median(times[1]), shellMedian = Median(times[2]);
    std::printf("shortcuts: %d each way, medians\n", n);
    std::printf("BuildShortcut (beside, check, replace): %.3f ms\n", ourMedian);
    std::printf("eight blocks straight into the path:    %.3f ms\n", directMedian);
    std::printf("IShellLink + IPersistFile::Save:        %.3f ms\n", shellMedian);
    std::printf("BuildShortcut / shell:                  %.2f\n", ourMedian / shellMedian);
    std::printf("BuildShortcut over straight blocks:     %+.1f%%\n", 100.0 * (ourMedian - directMedian) / directMedian);
    const double ourBlocks = Median(blockTimes[0]), readBack = Median(readBackTimes);
    std::printf("eight flushed blocks, beside / straight: %.3f ms / %.3f ms\n", ourBlocks, Median(blockTimes[1]));
    std::printf("read-back and rename:                    %.3f ms (%.1f%% of the eight flushed blocks)\n", readBack,
                100.0 * readBack / ourBlocks);
    CoUninitialize();
    return 0;
}
