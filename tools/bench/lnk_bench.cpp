// Benchmark: N shortcuts written three ways, interleaved in one run: by BuildShortcut (one handle on a
// temporary file beside the shortcut: written, flushed once, read back, renamed into place), by the
// previous writer's sequence (each of the eight blocks in its own open-write-flush-close cycle, a
// second open to read back and rename), and by the shell's own link object (IShellLink with
// IPersistFile::Save). Prints the medians and ratios, and how often each writer calls each
// file-system call per shortcut, with the time it spends there. Then the two writers again on a drive
// where every file-system call costs a round trip: the same calls, each after a fixed delay.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "lnk/platform.h"
#include "lnk/shortcut_builder.h"
#include "lnk/shortcut_facts.h"
#include "lnk/shortcut_layout.h"

// The two opens the previous writer made, which the platform table no longer has.
struct PreviousCalls {
    LnkFile (*openFile)(const std::string& path, bool create);
    LnkFile (*openForRename)(const std::string& path);
};

static LnkFile Handle(HANDLE file) { return file == INVALID_HANDLE_VALUE ? nullptr : file; }

static const PreviousCalls kPreviousCalls = {
    [](const std::string& path, bool create) {
        return Handle(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  create ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    },
    [](const std::string& path) {
        return Handle(CreateFileA(path.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    },
};

// Every call of a writer, counted and timed by name; on the delayed drive, each call that goes to the
// file system waits a fixed time first, as a call to a file server across a network does.
namespace calls {
struct Tally {
    const char* name;
    bool roundTrip;  // goes to the file system
    int count[2] = {};  // by writer: BuildShortcut, the previous sequence
    double ms[2] = {};
};
std::vector<Tally> tallies;
int writer = 0;
double roundTripMs = 0;  // 0: the local disk
LnkPlatform timedPlatform;
PreviousCalls timedPrevious;

template <typename T>
const T& Real();
template <>
const LnkPlatform& Real<LnkPlatform>() { return DefaultLnkPlatform(); }
template <>
const PreviousCalls& Real<PreviousCalls>() { return kPreviousCalls; }

// A busy wait: exact to the microsecond, where a sleep would round up to the scheduler's tick.
void Wait(double ms) {
    for (const double start = NowMs(); NowMs() - start < ms;) {
    }
}

// The call in Field of a table, counted in its tally and, when it goes to the file system, delayed.
template <typename T, typename F, F T::*Field>
struct Counted;
template <typename T, typename R, typename... A, R (*T::*Field)(A...)>
struct Counted<T, R (*)(A...), Field> {
    static inline size_t slot = 0;
    static R Call(A... args) {
        if (tallies[slot].roundTrip) Wait(roundTripMs);
        const double start = NowMs();
        struct Note {
            double start;
            ~Note() {
                ++tallies[slot].count[writer];
                tallies[slot].ms[writer] += NowMs() - start;
            }
        } note{start};
        return (Real<T>().*Field)(args...);
    }
    static void Install(T* table, const char* name, bool roundTrip) {
        slot = tallies.size();
        tallies.push_back({name, roundTrip});
        table->*Field = Call;
    }
};

void Prepare() {
    timedPlatform = DefaultLnkPlatform();
    timedPrevious = kPreviousCalls;
    // Conversions, the process id and the pause stay in the process; a seek only moves the handle's pointer.
#define COUNT(table, field, roundTrip) \
    Counted<decltype(table), decltype(table.field), &decltype(table)::field>::Install(&table, #field, roundTrip)
    COUNT(timedPlatform, toAnsi, false);
    COUNT(timedPlatform, fromAnsi, false);
    COUNT(timedPlatform, shortPathName, true);
    COUNT(timedPlatform, fileAttributes, true);
    COUNT(timedPlatform, fileSizeAndTime, true);
    COUNT(timedPlatform, fileIdentity, true);
    COUNT(timedPlatform, finalPath, true);
    COUNT(timedPlatform, driveType, true);
    COUNT(timedPlatform, volumeInformation, true);
    COUNT(timedPlatform, createNewFile, true);
    COUNT(timedPrevious, openFile, true);
    COUNT(timedPrevious, openForRename, true);
    COUNT(timedPlatform, seekFile, false);
    COUNT(timedPlatform, writeFile, true);
    COUNT(timedPlatform, flushFile, true);
    COUNT(timedPlatform, closeFile, true);
    COUNT(timedPlatform, deleteFile, true);
    COUNT(timedPlatform, readAll, true);
    COUNT(timedPlatform, renameOpenFile, true);
    COUNT(timedPlatform, openInPlace, true);
    COUNT(timedPlatform, setFileEnd, true);
    COUNT(timedPlatform, processId, false);
    COUNT(timedPlatform, pause, false);
#undef COUNT
}

void Install(int way, double delayMs) {
    writer = way;
    roundTripMs = delayMs;
}
}  // namespace calls

// The file's bytes in the eight blocks in which the previous writer wrote them: header, IDListSize, root
// item, items, TerminalID, LinkInfo header, LinkInfo body, strings.
static std::vector<ByteBuffer> EightBlocks(const ByteBuffer& bytes) {
    const auto u16 = [&](size_t at) { return size_t{bytes[at]} | size_t{bytes[at + 1]} << 8; };
    const size_t idList = u16(76), linkInfo = 78 + idList, linkInfoSize = u16(linkInfo) | u16(linkInfo + 2) << 16;
    const size_t ends[] = {76, 78, 98, 76 + idList, 78 + idList, linkInfo + 28, linkInfo + linkInfoSize, bytes.size()};
    std::vector<ByteBuffer> blocks;
    size_t at = 0;
    for (size_t end : ends) blocks.emplace_back(bytes.begin() + at, bytes.begin() + end), at = end;
    return blocks;
}

// The previous writer, call for call: the queries it made twice (the shortcut path's and the target's
// attributes, the target's times) and the temporary name it asked for before creating it; the eight
// blocks, each in its own open-(seek)-write-flush-close cycle; a second open of the temporary file to
// read it back and rename it over the shortcut.
static bool WritePreviousWay(const ShortcutRequest& request) {
    const LnkPlatform& os = calls::timedPlatform;
    ShortcutFacts facts;
    if (CheckRequest(request) != Refusal::kNone || GatherFacts(os, request, &facts) != Refusal::kNone) return false;
    struct {
        std::string ansiLinkPath;
        std::vector<ByteBuffer> blocks;
    } shortcut = {facts.ansiLinkPath, EightBlocks(LayOutShortcut(request, facts))};
    const PreviousCalls& previous = calls::timedPrevious;
    std::string target, temporary;
    uint64_t size, written, created;
    if (!os.toAnsi(request.targetPath, &target) || os.fileAttributes(target) == kNoAttributes ||
        !os.fileSizeAndTime(target, &size, &written, &created)) {
        return false;
    }
    os.fileAttributes(shortcut.ansiLinkPath);
    temporary = shortcut.ansiLinkPath.substr(0, shortcut.ansiLinkPath.rfind('\\') + 1) + "~previous.tmp";
    if (os.fileAttributes(temporary) != kNoAttributes) return false;
    uint32_t position = 0;
    for (const ByteBuffer& block : shortcut.blocks) {
        LnkFile file = previous.openFile(temporary, position == 0);
        if (!file) return false;
        uint32_t count = 0;
        bool ok = (position == 0 || os.seekFile(file, position)) &&
                  os.writeFile(file, block.data(), static_cast<uint32_t>(block.size()), &count) && count == block.size();
        ok = os.flushFile(file) && ok;
        if (!os.closeFile(file) || !ok) return false;
        position += count;
    }
    LnkFile file = previous.openForRename(temporary);
    std::vector<uint8_t> content;
    const bool renamed = file && os.readAll(file, &content) && content.size() == position &&
                         os.renameOpenFile(file, shortcut.ansiLinkPath);
    if (file) os.closeFile(file);
    return renamed;
}

static ShortcutRequest BenchRequest(const std::wstring& target, const std::wstring& link) {
    return {.targetPath = {target.begin(), target.end()}, .linkPath = {link.begin(), link.end()}, .arguments = u"--bench",
            .workingFolder = u"", .iconFile = u"", .iconIndex = 0, .hotKeyCode = 0x41, .showCommand = 1,
            .comment = u"benchmark"};
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
    constexpr double kRoundTripMs = 1.0;
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
    // Then the two writers alternately on the delayed drive, not counted in the table.
    const std::wstring links[3] = {dir + L"ours.lnk", dir + L"previous.lnk", dir + L"shell.lnk"};
    const auto write = [&](int way) {
        return way == 0   ? BuildShortcut(calls::timedPlatform, BenchRequest(target, links[0])) == kBuildSucceeded
               : way == 1 ? WritePreviousWay(BenchRequest(target, links[1]))
                          : SaveWithShell(target, links[2]);
    };
    for (int way = 0; way < 3; ++way) {
        if (!write(way)) return std::fprintf(stderr, "the first shortcut failed (way %d)\n", way), 1;
    }
    for (calls::Tally& t : calls::tallies) t = {t.name, t.roundTrip};
    std::vector<double> times[3], delayed[2];
    for (int i = 0; i < 5 * n; ++i) {
        static const int order[6] = {0, 1, 2, 0, 2, 1};
        const bool local = i < 3 * n;
        const int way = local ? order[i % 6] : i % 2;
        if (way < 2) calls::Install(way, local ? 0 : kRoundTripMs);
        const std::vector<calls::Tally> counted = calls::tallies;
        const double start = NowMs();
        const bool ok = write(way);
        (local ? times[way] : delayed[way]).push_back(NowMs() - start);
        if (!local) calls::tallies = counted;
        if (!ok) return std::fprintf(stderr, "shortcut %d failed (way %d)\n", i, way), 1;
    }
    for (const std::wstring& link : links) DeleteFileW(link.c_str());
    DeleteFileW(target.c_str());
    RemoveDirectoryW(dir.c_str());
    const double ours = Median(times[0]), previous = Median(times[1]), shell = Median(times[2]);
    std::printf("shortcuts: %d each way, medians\n", n);
    std::printf("BuildShortcut (one handle beside, check, rename): %.3f ms\n", ours);
    std::printf("previous sequence (an open per block):            %.3f ms\n", previous);
    std::printf("IShellLink + IPersistFile::Save:                  %.3f ms\n", shell);
    std::printf("BuildShortcut / shell:                            %.2f\n", ours / shell);
    std::printf("previous sequence / shell:                        %.2f\n", previous / shell);
    std::printf("calls per shortcut and their time, mean: BuildShortcut / previous sequence\n");
    int trips[2] = {};
    for (const calls::Tally& t : calls::tallies) {
        for (int way = 0; way < 2; ++way) trips[way] += t.roundTrip ? t.count[way] : 0;
        if (!t.count[0] && !t.count[1]) continue;
        std::printf("  %-18s %5.1f %7.3f ms   / %5.1f %7.3f ms\n", t.name, double(t.count[0]) / n, t.ms[0] / n,
                    double(t.count[1]) / n, t.ms[1] / n);
    }
    std::printf("  file-system calls  %5.1f              / %5.1f (all but conversions, seeks, process id, pauses)\n",
                double(trips[0]) / n, double(trips[1]) / n);
    const double oursDelayed = Median(delayed[0]), previousDelayed = Median(delayed[1]);
    std::printf("each file-system call a %.0f ms round trip, as to a file server across an office network, %d each:\n"
                "BuildShortcut %.3f ms, previous sequence %.3f ms (%.2f)\n",
                kRoundTripMs, n, oursDelayed, previousDelayed, oursDelayed / previousDelayed);
    CoUninitialize();
    return 0;
}
