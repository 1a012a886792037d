// Benchmark of the window under Wine: process start to window shown, beside the smallest Win32 window
// program; and the "作成" click to the message box, beside BuildShortcut called directly. N runs each,
// interleaved; prints the medians and ratios.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "lnk/platform.h"
#include "lnk/shortcut_builder.h"
#include "tools/window_driver.h"
#include "ui/window_layout.h"

static std::wstring Beside(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring own = path;
    return own.substr(0, own.rfind(L'\\') + 1) + name;
}

// From CreateProcess to a visible top-level window of the new process.
static double TimeToWindow(const std::wstring& program) {
    std::wstring line = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = NowMs();
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
    struct Find {
        DWORD id;
        HWND found;
        static BOOL CALLBACK Each(HWND window, LPARAM context) {
            auto* find = reinterpret_cast<Find*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == find->id && IsWindowVisible(window)) find->found = window;
            return find->found == nullptr;
        }
    } find = {process.dwProcessId, nullptr};
    while (!find.found && NowMs() - start < 20000) EnumWindows(Find::Each, reinterpret_cast<LPARAM>(&find));
    const double shown = NowMs() - start;
    PostMessageW(find.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return find.found ? shown : -1;
}

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 20;
    const std::wstring vantorelle = Beside(L"Vantorelle.exe"), minimal = Beside(L"min_window.exe");

    std::vector<double> ours, reference;
    for (int i = 0; i < n; ++i) {
        ours.push_back(TimeToWindow(vantorelle));
        reference.push_back(TimeToWindow(minimal));
    }

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring target = std::wstring(temp) + L"vantorelle-bench-target.exe";
    const std::wstring link = std::wstring(temp) + L"vantorelle-bench.lnk";
    CloseHandle(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::vector<double> clicks, direct;
    {
        RunningWindow window(L"", true);
        window.SetText(kTargetBoxId, target);
        window.SetText(kShortcutBoxId, link);
        for (int i = 0; i < n; ++i) {
            double start = NowMs();
            window.Click(kCreateButtonId);
            HWND box = window.WaitForWindow(L"#32770", L"完了");
            clicks.push_back(NowMs() - start);
            if (!box) {
                std::fprintf(stderr, "no success box after a click\n");
                return 1;
            }
            window.EndDialog(box);
            start = NowMs();
            BuildShortcut(DefaultLnkPlatform(), {.targetPath = {target.begin(), target.end()},
                                                 .linkPath = {link.begin(), link.end()}, .arguments = u"",
                                                 .workingFolder = u"", .iconFile = u"", .iconIndex = 0, .hotKeyCode = 0,
                                                 .showCommand = 1, .comment = u""});
            direct.push_back(NowMs() - start);
        }
    }
    DeleteFileW(link.c_str());
    DeleteFileW(target.c_str());

    std::printf("runs: %d each, medians\n", n);
    std::printf("start to window shown: Vantorelle %.1f ms, minimal window program %.1f ms (ratio %.2f)\n",
                Median(ours), Median(reference), Median(ours) / Median(reference));
    std::printf("作成 click to message box: %.2f ms; BuildShortcut alone %.2f ms (ratio %.2f)\n", Median(clicks),
                Median(direct), Median(clicks) / Median(direct));
    return 0;
}
