// Starting the program, finding its windows, and sending them the messages a user's input would.
#include "form_driver.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "../win32/unix_path.h"
#include "ui/form1.h"
#include "ui/form1_controls.h"

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring WindowsPathFromEnvironment(const char* name) {
    const char* unix = std::getenv(name);
    std::wstring path = L"Z:";
    for (const char* c = unix ? unix : ""; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

namespace {
struct Search {
    DWORD processId;
    const wchar_t* className;  // nullptr: any class
    const wchar_t* caption;    // nullptr: any caption
    HWND except;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || window == search->except || !IsWindowVisible(window)) return TRUE;
    if (search->className && ClassOf(window) != search->className) return TRUE;
    if (search->caption && WindowText(window) != search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindTopLevel(Search search, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        search.found = nullptr;
        EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        if (search.found || timeoutMs == 0) return search.found;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}
}  // namespace

RunningForm::RunningForm(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + WindowsPathFromEnvironment("VANTORELLE_EXE") + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    // Wine now and then refuses a start while an earlier instance is still going away: try again.
    bool started = false;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        std::wstring line = commandLine;
        started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_);
        if (!started) {
            std::fprintf(stderr, "starting Vantorelle failed (error %lu), trying again\n", GetLastError());
            Sleep(200);
        }
    }
    if (!started) return;
    WaitForInputIdle(process_.hProcess, 10000);
    form_ = FindTopLevel({process_.dwProcessId, kForm1Class, nullptr, nullptr, nullptr}, 10000);
    Settle();
}

RunningForm::~RunningForm() {
    if (process_.hProcess) {
        if (Alive()) TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

HWND RunningForm::Control(int id) const {
    return GetDlgItem(form_, id);
}

std::wstring RunningForm::Text(int id) const {
    return WindowText(Control(id));
}

void RunningForm::SetText(int id, const std::wstring& text) const {
    SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool RunningForm::Enabled(int id) const {
    return IsWindowEnabled(Control(id)) != FALSE;
}

bool RunningForm::Type(int id, const std::wstring& text) const {
    HWND box = Control(id);
    for (wchar_t character : text) PostMessageW(box, WM_CHAR, character, 1);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(10)) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(box, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length)) return false;
        if (length == text.size()) return true;
    }
    return false;
}

void RunningForm::Click(int id) const {
    PostMessageW(Control(id), BM_CLICK, 0, 0);
}

void RunningForm::ClickAndWait(int id) const {
    SendMessageW(Control(id), BM_CLICK, 0, 0);
}

HWND RunningForm::PressTab() const {
    const HWND before = Focus();
    PressKey(VK_TAB);
    const DWORD start = GetTickCount();
    while (Focus() == before && GetTickCount() - start < 5000) Sleep(5);
    return Focus();
}

void RunningForm::PressKey(WORD virtualKey, WORD heldKey) const {
    // The keys go to the window in front; bring the program's forward unless one of them is there.
    DWORD front = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &front);
    if (front != process_.dwProcessId) {
        SetForegroundWindow(form_);
        for (const DWORD start = GetTickCount(); GetForegroundWindow() != form_ && GetTickCount() - start < 5000;) {
            Sleep(10);
        }
    }
    const struct {
        WORD key;
        DWORD flags;
    } strokes[] = {{heldKey, 0}, {virtualKey, 0}, {virtualKey, KEYEVENTF_KEYUP}, {heldKey, KEYEVENTF_KEYUP}};
    std::vector<INPUT> keys;
    for (const auto& stroke : strokes) {
        if (!stroke.key) continue;
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = stroke.key;
        input.ki.dwFlags = stroke.flags;
        keys.push_back(input);
    }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

void RunningForm::MouseClick(int id) const {
    RECT box;
    GetWindowRect(Control(id), &box);
    INPUT mouse[3] = {};
    for (INPUT& input : mouse) input.type = INPUT_MOUSE;
    mouse[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    mouse[0].mi.dx = MulDiv((box.left + box.right) / 2, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    mouse[0].mi.dy = MulDiv((box.top + box.bottom) / 2, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    mouse[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    mouse[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, mouse, sizeof mouse[0]);
}

HWND RunningForm::Focus() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
}

std::wstring RunningForm::ToolTipOf(int id) const {
    HWND tips = FindTopLevel({process_.dwProcessId, TOOLTIPS_CLASSW, nullptr, nullptr, nullptr}, 0);
    if (!tips) {  // hidden until shown: look among all windows of the thread
        struct Find {
            static BOOL CALLBACK Each(HWND window, LPARAM context) {
                if (ClassOf(window) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(context) = window;
                return TRUE;
            }
        };
        EnumThreadWindows(process_.dwThreadId, Find::Each, reinterpret_cast<LPARAM>(&tips));
    }
    if (!tips) return L"";
    // The tool record and its text buffer live in the program's memory, where the tool tip can write them.
    const SIZE_T size = sizeof(TOOLINFOW) + 1024 * sizeof(wchar_t);
    auto* remote = static_cast<uint8_t*>(
        VirtualAllocEx(process_.hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = form_;
    tool.uId = reinterpret_cast<UINT_PTR>(Control(id));
    tool.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof(TOOLINFOW));
    WriteProcessMemory(process_.hProcess, remote, &tool, sizeof tool, nullptr);
    wchar_t text[1024] = {};
    WriteProcessMemory(process_.hProcess, remote + sizeof(TOOLINFOW), text, sizeof text, nullptr);
    SendMessageW(tips, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process_.hProcess, remote + sizeof(TOOLINFOW), text, sizeof text - sizeof(wchar_t), nullptr);
    VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
    return text;
}

HWND RunningForm::WaitForMessageBox(const std::wstring& caption, DWORD timeoutMs) const {
    return FindTopLevel({process_.dwProcessId, L"#32770", caption.c_str(), nullptr, nullptr}, timeoutMs);
}

HWND RunningForm::WaitForWindow(const wchar_t* className, DWORD timeoutMs) const {
    return FindTopLevel({process_.dwProcessId, className, nullptr, form_, nullptr}, timeoutMs);
}

HWND RunningForm::OtherWindow() const {
    HWND other = FindTopLevel({process_.dwProcessId, L"#32770", nullptr, nullptr, nullptr}, 0);
    return other;
}

std::wstring RunningForm::MessageText(HWND box) {
    std::wstring found;
    struct Each {
        static BOOL CALLBACK Child(HWND child, LPARAM context) {
            auto* text = reinterpret_cast<std::wstring*>(context);
            if (ClassOf(child) == L"Static" && !WindowText(child).empty()) *text = WindowText(child);
            return TRUE;
        }
    };
    EnumChildWindows(box, Each::Child, reinterpret_cast<LPARAM>(&found));
    return found;
}

void RunningForm::Dismiss(HWND box) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

bool RunningForm::Settle() const {
    DWORD_PTR ignored;
    return SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0;
}

bool RunningForm::Alive() const {
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool RunningForm::Close() {
    PostMessageW(form_, WM_CLOSE, 0, 0);
    return WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0;
}

HWND FileDialogNameBox(HWND dialog) {
    struct Find {
        static BOOL CALLBACK Each(HWND child, LPARAM context) {
            if (ClassOf(child) == L"Edit" && GetDlgCtrlID(child) == 0x47C) *reinterpret_cast<HWND*>(context) = child;
            return TRUE;
        }
    };
    HWND edit = nullptr;
    EnumChildWindows(dialog, Find::Each, reinterpret_cast<LPARAM>(&edit));
    return edit;
}

std::wstring ComboItem(HWND combo, int item) {
    wchar_t text[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
    return text;
}

void RunningForm::EndDialogWith(HWND dialog, int button) const {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    const DWORD start = GetTickCount();
    while (IsWindow(dialog) && GetTickCount() - start < 10000) Sleep(10);
    Settle();
}

void RunningForm::AnswerFileDialog(HWND dialog, const std::wstring* typed) const {
    if (typed) SendMessageW(FileDialogNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed->c_str()));
    EndDialogWith(dialog, typed ? IDOK : IDCANCEL);
}

std::wstring RunningForm::CreateAndAnswer() {
    Click(kCommand2Base + 0);
    HWND box = FindTopLevel({process_.dwProcessId, L"#32770", nullptr, nullptr, nullptr}, 10000);
    if (!box) return L"";
    const std::wstring caption = WindowText(box);
    Dismiss(box);
    const DWORD start = GetTickCount();
    while (IsWindow(box) && GetTickCount() - start < 5000) Sleep(10);
    Settle();
    return caption;
}

std::vector<COLORREF> ScreenPixels(HWND window) {
    RECT area;
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(copy, x, y));
    }
    SelectObject(copy, previous);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return pixels;
}

int PaintedPixels(HWND window) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int painted = 0;
    for (COLORREF pixel : ScreenPixels(window)) painted += pixel != face;
    return painted;
}

std::string RunUnixProgram(const std::vector<std::wstring>& commandLine) {
    // Wine starts Unix programs but neither hands them a pipe as output nor waits for them: a shell
    // writes the output to a file and renames it into place when the program has ended.
    wchar_t folder[MAX_PATH], file[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"unx", 0, file);
    const std::wstring unixFile = UnixPathOf(file);
    DeleteFileW(file);
    std::wstring line = L"/bin/sh -c \"out=\\\"$1\\\"; shift; \\\"$@\\\" > \\\"$out.part\\\" 2>&1;"
                        L" mv \\\"$out.part\\\" \\\"$out\\\"\" sh";
    line += L" \"" + unixFile + L"\"";
    for (const std::wstring& part : commandLine) line += L" \"" + part + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return "";
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    HANDLE source = INVALID_HANDLE_VALUE;
    for (const DWORD start = GetTickCount(); source == INVALID_HANDLE_VALUE && GetTickCount() - start < 10000; Sleep(10)) {
        source = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    std::string output;
    if (source != INVALID_HANDLE_VALUE) {
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(source, chunk, sizeof chunk, &got, nullptr) && got) output.append(chunk, got);
        CloseHandle(source);
    }
    DeleteFileW(file);
    return output;
}
