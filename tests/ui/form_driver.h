// A running Form1, driven as a user's input would drive it: in this process on a thread of its own (the
// window tests), or Vantorelle.exe itself started with a command line (start-up, exit, the tools).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

std::wstring WindowText(HWND window);
// The Windows form (on drive Z:) of the Unix path in an environment variable, such as VANTORELLE_EXE.
std::wstring WindowsPathFromEnvironment(const char* name);
// Waits until holds() is true, for at most timeoutMs; returns whether it is.
bool WaitUntil(const std::function<bool()>& holds, DWORD timeoutMs = 10000);

// The entries of a drop-down list.
std::vector<std::wstring> ListEntries(HWND list);
// Puts a file list (CF_HDROP: each path ended by a null) or text (CF_UNICODETEXT) on the clipboard.
void PutOnClipboard(UINT format, const std::wstring& items);

class RunningForm {
public:
    explicit RunningForm(const std::wstring& arguments = L"", bool asProgram = false);
    ~RunningForm();
    RunningForm(const RunningForm&) = delete;
    RunningForm& operator=(const RunningForm&) = delete;

    HWND form() const { return form_; }
    HWND Control(int id) const { return GetDlgItem(form_, id); }
    std::wstring Text(int id) const { return WindowText(Control(id)); }
    void SetText(int id, const std::wstring& text) const;
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    // Clicks a button by its message: Click returns at once, ClickAndWait when the click is handled.
    void Click(int id) const { PostMessageW(Control(id), BM_CLICK, 0, 0); }
    void ClickAndWait(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }
    // Presses a key (injected input, the window in front), with heldKey such as VK_SHIFT held around it.
    void PressKey(WORD virtualKey, WORD heldKey = 0) const;
    HWND Focus() const;
    // Presses Tab until a control has the focus.
    bool TabTo(int id) const;
    // A visible window of the form's thread other than the form, of a class ("#32770": a box or dialog,
    // "#32768": a menu) and caption (nullptr: any); nullptr after the timeout.
    HWND WaitForWindow(const wchar_t* className, const wchar_t* caption = nullptr, DWORD timeoutMs = 10000) const;
    // Ends a box or dialog with a button and waits until it is gone and the form has handled the result.
    void EndDialog(HWND dialog, int button = IDOK) const;
    // Lets the form handle all it was sent; false when it no longer answers.
    bool Settle() const;
    // Waits for the form's thread or program to end.
    bool Ended(DWORD timeoutMs = 10000) const { return WaitForSingleObject(running_, timeoutMs) == WAIT_OBJECT_0; }
    bool Close() const;

private:
    std::wstring arguments_;  // the form's thread reads them
    HANDLE running_ = nullptr;  // the form's thread, or the program's process
    DWORD thread_ = 0;
    HWND form_ = nullptr;
};

// The pixels of a window's client area that differ from the button face colour, as shown on screen.
int PaintedPixels(HWND window);
