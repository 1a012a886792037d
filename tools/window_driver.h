// The main window running, driven as a user's input would drive it: in this process on a thread of its
// own (the window tests, the screenshots, the window benchmark), or Vantorelle.exe itself started with a
// command line.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "wine_path.h"
#include "ui/main_window.h"

inline std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

// Waits until holds() is true, for at most timeoutMs; returns whether it is.
inline bool WaitUntil(const std::function<bool()>& holds, DWORD timeoutMs = 10000) {
    for (const DWORD start = GetTickCount(); !holds(); Sleep(10)) {
        if (GetTickCount() - start > timeoutMs) return false;
    }
    return true;
}

// The entries of a drop-down list.
inline std::vector<std::wstring> ListEntries(HWND list) {
    std::vector<std::wstring> entries(SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < entries.size(); ++i) {
        wchar_t text[256] = {};
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries[i] = text;
    }
    return entries;
}

// The window in this process, run by the program's own start-up.
inline DWORD WINAPI RunWindowThread(void* arguments) {
    return static_cast<DWORD>(RunProgram(GetModuleHandleW(nullptr), *static_cast<const std::wstring*>(arguments), SW_SHOWNORMAL));
}

class RunningWindow {
public:
    explicit RunningWindow(const std::wstring& arguments = L"", bool asProgram = false) : arguments_(arguments) {
        if (asProgram) {
            std::wstring line = L"\"" + WindowsPathFromEnvironment("VANTORELLE_EXE") + L"\" " + arguments;
            STARTUPINFOW startup = {};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION process = {};
            if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
            CloseHandle(process.hThread);
            running_ = process.hProcess;
            thread_ = process.dwThreadId;
        } else {
            running_ = CreateThread(nullptr, 0, RunWindowThread, &arguments_, 0, &thread_);
        }
        WaitUntil([this] { return (window_ = WaitForWindow(kMainWindowClass, nullptr, 0)) != nullptr; });
        Settle();  // answered once the window's message loop runs
    }
    ~RunningWindow() {
        // A failed test may leave a box open: cancel it, then close the window.
        for (HWND box; (box = WaitForWindow(L"#32770", nullptr, 0)) != nullptr && !Ended(0);) EndDialog(box, IDCANCEL);
        if (!Close()) TerminateProcess(running_, 1);  // only the program's: a thread here always ends
        CloseHandle(running_);
    }
    RunningWindow(const RunningWindow&) = delete;
    RunningWindow& operator=(const RunningWindow&) = delete;

    HWND hwnd() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    std::wstring Text(int id) const { return WindowText(Control(id)); }
    void SetText(int id, const std::wstring& text) const {
        SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    // Clicks a button by its message: Click returns at once, ClickAndWait when the click is handled.
    void Click(int id) const { PostMessageW(Control(id), BM_CLICK, 0, 0); }
    void ClickAndWait(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }
    // Presses a key (injected input, the window in front), with heldKey such as VK_SHIFT held around it.
    void PressKey(WORD virtualKey, WORD heldKey = 0) const {
        if (GetWindowThreadProcessId(GetForegroundWindow(), nullptr) != thread_) {
            SetForegroundWindow(window_);
            WaitUntil([this] { return GetForegroundWindow() == window_; }, 5000);
        }
        if (heldKey) keybd_event(static_cast<BYTE>(heldKey), 0, 0, 0);
        keybd_event(static_cast<BYTE>(virtualKey), 0, 0, 0);
        keybd_event(static_cast<BYTE>(virtualKey), 0, KEYEVENTF_KEYUP, 0);
        if (heldKey) keybd_event(static_cast<BYTE>(heldKey), 0, KEYEVENTF_KEYUP, 0);
    }
    HWND Focus() const {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread_, &info);
        return info.hwndFocus;
    }
    // Presses Tab until a control has the focus.
    bool TabTo(int id) const {
        for (int i = 0; i < 30 && Focus() != Control(id); ++i) {
            const HWND before = Focus();
            PressKey(VK_TAB);
            WaitUntil([&] { return Focus() != before; }, 5000);
        }
        return Focus() == Control(id);
    }
    // A visible window of the window's thread other than the window, of a class ("#32770": a box or dialog,
    // "#32768": a menu) and caption (nullptr: any); nullptr after the timeout.
    HWND WaitForWindow(const wchar_t* className, const wchar_t* caption = nullptr, DWORD timeoutMs = 10000) const {
        HWND found = nullptr;
        WaitUntil([&] {
            while ((found = FindWindowExW(nullptr, found, className, caption)) != nullptr) {
                if (found != window_ && IsWindowVisible(found) && GetWindowThreadProcessId(found, nullptr) == thread_) return true;
            }
            return false;
        }, timeoutMs);
        return found;
    }
    // Ends a box or dialog with a button and waits until it is gone and the window has handled the result.
    void EndDialog(HWND dialog, int button = IDOK) const {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
        WaitUntil([dialog] { return !IsWindow(dialog); });
        Settle();
    }
    // Lets the window handle all it was sent; false when it no longer answers.
    bool Settle() const {
        DWORD_PTR ignored;
        return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0;
    }
    // Waits for the window's thread or program to end.
    bool Ended(DWORD timeoutMs = 10000) const { return WaitForSingleObject(running_, timeoutMs) == WAIT_OBJECT_0; }
    bool Close() const {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        return Ended();
    }

private:
    std::wstring arguments_;  // the window's thread reads them
    HANDLE running_ = nullptr;  // the window's thread, or the program's process
    DWORD thread_ = 0;
    HWND window_ = nullptr;
};
