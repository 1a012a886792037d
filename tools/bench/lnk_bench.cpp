// Benchmark: N shortcuts written three ways, interleaved in one run: by BuildShortcut (written beside,
// read back, renamed into place), by the same eight blocks written straight into the shortcut path,
// and by the shell's own link object (IShellLink with IPersistFile::Save). Prints the medians and ratios;
// timed inside the writers' own calls, the read-back and rename against the eight flushed blocks; and
// how often each writer calls each file-system call per shortcut, with the time it spends there.
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

// Every platform call of a writer, counted and timed by name; the eight blocks (open, seek, write, flush,
// close) and the read-back and rename (open for rename, read, rename, close of that handle) also summed
// per shortcut.
namespace calls {
struct Sums {
    double blocks = 0, readBackAndRename = 0;
};
struct Tally {
    const char* name;
    int count[2] = {};  // by writer: BuildShortcut, straight blocks
    double ms[2] = {};
};
std::vector<Tally> tallies;
Sums* into = nullptr;
int writer = 0;
LnkFile renaming = nullptr;
LnkPlatform timed;

// The platform's call in Field, counted in its tally and, when it has one, summed in its phase.
template <typename F, F LnkPlatform::*Field>
struct Counted;
template <typename R, typename... A, R (*LnkPlatform::*Field)(A...)>
struct Counted<R (*)(A...), Field> {
    static inline size_t slot = 0;
    static inline double Sums::*phase = nullptr;
    static R Call(A... args) {
        const double start = NowMs();
        struct Note {
            double start;
            ~Note() {
                const double ms = NowMs() - start;
                ++tallies[slot].count[writer];
                tallies[slot].ms[writer] += ms;
                if (phase) into->*phase += ms;
            }
        } note{start};
        return (DefaultLnkPlatform().*Field)(args...);
    }
    static void Install(const char* name, double Sums::*inPhase) {
        slot = tallies.size();
        phase = inPhase;
        tallies.push_back({name});
        timed.*Field = Call;
    }
};
#define COUNTED(field) Counted<decltype(LnkPlatform::field), &LnkPlatform::field>

// The handle opened for the rename is noted: its close belongs to the read-back, every other to the blocks.
LnkFile OpenForRename(const std::string& path) {
    return renaming = COUNTED(openForRename)::Call(path);
}
bool Close(LnkFile file) {
    COUNTED(closeFile)::phase = file == renaming ? &Sums::readBackAndRename : &Sums::blocks;
    if (file == renaming) renaming = nullptr;  // handle values are reused by later opens
    return COUNTED(closeFile)::Call(file);
}

void Prepare() {
    timed = DefaultLnkPlatform();
#define COUNT(field, phase) COUNTED(field)::Install(#field, phase)
    COUNT(toAnsi, nullptr);
    COUNT(fromAnsi, nullptr);
    COUNT(shortPathName, nullptr);
    COUNT(fileAttributes, nullptr);
    COUNT(fileSizeAndTime, nullptr);
    COUNT(fileIdentity, nullptr);
    COUNT(finalPath, nullptr);
    COUNT(driveType, nullptr);
    COUNT(volumeInformation, nullptr);
    COUNT(openFile, &Sums::blocks);
    COUNT(seekFile, &Sums::blocks);
    COUNT(writeFile, &Sums::blocks);
    COUNT(flushFile, &Sums::blocks);
    COUNT(closeFile, &Sums::blocks);
    COUNT(deleteFile, nullptr);
    COUNT(openForRename, &Sums::readBackAndRename);
    COUNT(readAll, &Sums::readBackAndRename);
    COUNT(renameOpenFile, &Sums::readBackAndRename);
    COUNT(openInPlace, nullptr);
    COUNT(setFileEnd, nullptr);
    COUNT(processId, nullptr);
    COUNT(pause, nullptr);
#undef COUNT
    timed.openForRename = OpenForRename;
    timed.closeFile = Close;
}

void Install(Sums* sums, int way) {
    into = sums;
    writer = way;
    ReplaceLnkPlatform(&timed);
}
}  // namespace calls

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
    calls::Prepare();
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
        calls::Sums sums;
        if (way < 2) calls::Install(&sums, way);
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
    std::printf("calls per shortcut and their time, mean: BuildShortcut / straight blocks\n");
    for (const calls::Tally& t : calls::tallies) {
        if (!t.count[0] && !t.count[1]) continue;
        std::printf("  %-18s %5.1f %7.3f ms   / %5.1f %7.3f ms\n", t.name, double(t.count[0]) / n, t.ms[0] / n,
                    double(t.count[1]) / n, t.ms[1] / n);
    }
    CoUninitialize();
    return 0;
}
