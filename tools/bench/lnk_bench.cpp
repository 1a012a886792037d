// Benchmark: N shortcuts written by BuildShortcut and N by the shell's own link object
// (IShellLink with IPersistFile::Save), interleaved in one run; prints both medians and their ratio.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "lnk/shortcut_builder.h"

static double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

static double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
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

    std::vector<double> builder, shell;
    for (int i = 0; i < n; ++i) {
        const std::wstring ours = dir + L"ours" + std::to_wstring(i) + L".lnk";
        const std::wstring theirs = dir + L"shell" + std::to_wstring(i) + L".lnk";
        double start = NowMs();
        const bool built = BuildShortcut(std::u16string(target.begin(), target.end()),
                                         std::u16string(ours.begin(), ours.end()), u"--bench", u"", u"", 0, 0x41, 1,
                                         u"benchmark") == kBuildSucceeded;
        builder.push_back(NowMs() - start);
        start = NowMs();
        const bool saved = SaveWithShell(target, theirs);
        shell.push_back(NowMs() - start);
        if (!built || !saved) {
            std::fprintf(stderr, "shortcut %d failed (BuildShortcut %d, shell %d)\n", i, built, saved);
            return 1;
        }
        DeleteFileW(ours.c_str());
        DeleteFileW(theirs.c_str());
    }
    DeleteFileW(target.c_str());
    RemoveDirectoryW(dir.c_str());
    const double ourMedian = Median(builder), shellMedian = Median(shell);
    std::printf("shortcuts: %d each\n", n);
    std::printf("BuildShortcut median:            %.3f ms\n", ourMedian);
    std::printf("IShellLink + IPersistFile::Save: %.3f ms\n", shellMedian);
    std::printf("ratio BuildShortcut / shell:     %.2f\n", ourMedian / shellMedian);
    CoUninitialize();
    return 0;
}
