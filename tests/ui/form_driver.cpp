// Starting Form1, finding its windows, and sending them what a user's input would.
#include "form_driver.h"

#include <shlobj.h>

#include "ui/form1.h"

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring WindowsPathFromEnvironment(const char* name) {
    const char* unix = std::getenv(name);
    std::wstring path = L"Z:";
    for (const char* c = unix ? unix : ""; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

bool WaitUntil(const std::function<bool()>& holds, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); !holds(); Sleep(10)) {
        if (GetTickCount() - start > timeoutMs) return false;
    }
    return true;
}

std::vector<std::wstring> ListEntries(HWND list) {
    std::vector<std::wstring> entries(SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < entries.size(); ++i) {
        wchar_t text[256] = {};
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries[i] = text;
    }
    return entries;
}

void PutOnClipboard(UINT format, const std::wstring& items) {
    const size_t header = format == CF_HDROP ? sizeof(DROPFILES) : 0, size = header + (items.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* bytes = static_cast<uint8_t*>(GlobalLock(memory));
    if (header) *reinterpret_cast<DROPFILES*>(bytes) = {sizeof(DROPFILES), {}, FALSE, TRUE};
    memcpy(bytes + header, items.c_str(), size - header);
    GlobalUnlock(memory);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(format, memory);
    CloseClipboard();
}

// The form in this process runs as the program's start routine runs it.
static DWORD WINAPI RunFormThread(void* arguments) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    Form1 form;
    const HWND window = CreateForm1(instance, form, *static_cast<const std::wstring*>(arguments), SW_SHOWNORMAL);
    if (!window) return 1;
    OleInitialize(nullptr);
    FinishForm1(instance, form);
    const int result = RunForm1(window);
    OleUninitialize();
    return static_cast<DWORD>(result);
}

RunningForm::RunningForm(const std::wstring& arguments, bool asProgram) : arguments_(arguments) {
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
        running_ = CreateThread(nullptr, 0, RunFormThread, &arguments_, 0, &thread_);
    }
    WaitUntil([this] { return (form_ = WaitForWindow(kForm1Class, nullptr, 0)) != nullptr; });
    Settle();  // answered once the form's message loop runs
}

RunningForm::~RunningForm() {
    // A failed test may leave a box open: cancel it, then close the form.
    for (HWND box; (box = WaitForWindow(L"#32770", nullptr, 0)) != nullptr && !Ended(0);) EndDialog(box, IDCANCEL);
    if (!Close()) TerminateProcess(running_, 1);  // only the program's: a thread here always ends
    CloseHandle(running_);
}

void RunningForm::SetText(int id, const std::wstring& text) const {
    SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void RunningForm::PressKey(WORD virtualKey, WORD heldKey) const {
    if (GetWindowThreadProcessId(GetForegroundWindow(), nullptr) != thread_) {
        SetForegroundWindow(form_);
        WaitUntil([this] { return GetForegroundWindow() == form_; }, 5000);
    }
    if (heldKey) keybd_event(static_cast<BYTE>(heldKey), 0, 0, 0);
    keybd_event(static_cast<BYTE>(virtualKey), 0, 0, 0);
    keybd_event(static_cast<BYTE>(virtualKey), 0, KEYEVENTF_KEYUP, 0);
    if (heldKey) keybd_event(static_cast<BYTE>(heldKey), 0, KEYEVENTF_KEYUP, 0);
}

HWND RunningForm::Focus() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread_, &info);
    return info.hwndFocus;
}

bool RunningForm::TabTo(int id) const {
    for (int i = 0; i < 30 && Focus() != Control(id); ++i) {
        const HWND before = Focus();
        PressKey(VK_TAB);
        WaitUntil([&] { return Focus() != before; }, 5000);
    }
    return Focus() == Control(id);
}

HWND RunningForm::WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil([&] {
        while ((found = FindWindowExW(nullptr, found, className, caption)) != nullptr) {
            if (found != form_ && IsWindowVisible(found) && GetWindowThreadProcessId(found, nullptr) == thread_) return true;
        }
        return false;
    }, timeoutMs);
    return found;
}

void RunningForm::EndDialog(HWND dialog, int button) const {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    WaitUntil([dialog] { return !IsWindow(dialog); });
    Settle();
}

bool RunningForm::Settle() const {
    DWORD_PTR ignored;
    return SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0;
}

bool RunningForm::Close() const {
    PostMessageW(form_, WM_CLOSE, 0, 0);
    return Ended();
}

int PaintedPixels(HWND window) {
    RECT area;
    GetClientRect(window, &area);
    HDC screen = GetDC(window);
    int painted = 0;
    for (int y = 0; y < area.bottom; ++y) {
        for (int x = 0; x < area.right; ++x) painted += GetPixel(screen, x, y) != GetSysColor(COLOR_BTNFACE);
    }
    ReleaseDC(window, screen);
    return painted;
}
