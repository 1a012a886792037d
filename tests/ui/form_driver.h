// Drives the real Vantorelle.exe from outside, as a user's input would: starts it, finds its window
// and controls, sets texts, clicks, types keys, finds and dismisses its message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

std::wstring WindowText(HWND window);
// The Windows form (on drive Z:) of the Unix path in an environment variable, such as VANTORELLE_EXE.
std::wstring WindowsPathFromEnvironment(const char* name);
std::wstring ClassOf(HWND window);

class RunningForm {
public:
    // Starts Vantorelle.exe with the argument text (the rest of the command line) and waits for its window.
    explicit RunningForm(const std::wstring& arguments = L"");
    ~RunningForm();
    RunningForm(const RunningForm&) = delete;
    RunningForm& operator=(const RunningForm&) = delete;

    HWND form() const { return form_; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    HWND Control(int id) const;
    std::wstring Text(int id) const;
    void SetText(int id, const std::wstring& text) const;
    bool Enabled(int id) const;
    // Types text into an empty box, character by character as the keyboard's translation delivers it,
    // and waits until the box holds it all; false when the window stopped answering.
    bool Type(int id, const std::wstring& text) const;
    // Clicks a button without waiting for what the click opens.
    void Click(int id) const;
    // Clicks a button and waits for the click to be handled: for buttons that open no modal window.
    void ClickAndWait(int id) const;
    // Presses a key on the keyboard (injected input, the program in front), with heldKey such as VK_SHIFT
    // held down around it; the key goes where the focus is. Does not wait. Not posted messages: the
    // program's own translation of a posted key-down would deliver its character after the key-up.
    void PressKey(WORD virtualKey, WORD heldKey = 0) const;
    // Moves the mouse pointer to the middle of a control and clicks it (injected input). Does not wait.
    void MouseClick(int id) const;
    // Presses Tab and waits for the focus to move; returns the control that has it.
    HWND PressTab() const;
    HWND Focus() const;
    // The tool tip registered for a control, read out of the program's tool tip window.
    std::wstring ToolTipOf(int id) const;
    // Waits for a message box of the program with this caption; returns it, or nullptr after the timeout.
    HWND WaitForMessageBox(const std::wstring& caption, DWORD timeoutMs = 10000) const;
    // Waits for a window of the program of this class, such as a pop-up menu ("#32768").
    HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs = 10000) const;
    // Any top-level window of the program other than the form, such as a message box.
    HWND OtherWindow() const;
    // The text of a message box, and its dismissal with OK.
    static std::wstring MessageText(HWND box);
    static void Dismiss(HWND box);
    // Lets the program handle all it was sent; false when its window no longer answers.
    bool Settle() const;
    bool Alive() const;
    // Closes the window with its close box and waits for the process to end; true when it ended.
    bool Close();

    // Answers an open or save dialog with a typed name, or cancels it (typed null), and waits until it closed.
    void AnswerFileDialog(HWND dialog, const std::wstring* typed) const;
    // Confirms (or cancels) a dialog with its OK button and waits until it closed.
    void EndDialogWith(HWND dialog, int button) const;

    // Creates the shortcut from the fields and returns the caption of the box that answered, dismissing it.
    std::wstring CreateAndAnswer();

private:
    PROCESS_INFORMATION process_ = {};
    HWND form_ = nullptr;
};

// The file name box of an open or save dialog, and an entry of a combo box's list.
HWND FileDialogNameBox(HWND dialog);
std::wstring ComboItem(HWND combo, int item);

// The pixels on screen of a window's client area, as the user sees them.
std::vector<COLORREF> ScreenPixels(HWND window);
// The number of those pixels that differ from the button face colour.
int PaintedPixels(HWND window);

// Runs a Unix program (such as lnkinfo) from inside Wine and returns what it printed, as UTF-8.
std::string RunUnixProgram(const std::vector<std::wstring>& commandLine);
