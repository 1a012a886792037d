// Drives the window for the README's second picture: fields filled, the destination menu open at the
// "..." beside the shortcut path, its special-folder submenu shown. Waits, then closes everything.
#include <windows.h>

#include "tools/window_driver.h"
#include "ui/window_layout.h"

static void Key(WORD key) {
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = key;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof press[0]);
    Sleep(150);
}

int main(int argc, char** argv) {
    const DWORD holdMs = argc > 1 ? static_cast<DWORD>(atoi(argv[1])) : 8000;
    RunningWindow window(L"C:\\windows\\notepad.exe", true);
    if (!window.hwnd()) return 1;
    SetWindowPos(window.hwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    window.SetText(kArgumentsBoxId, L"/p readme.txt");
    window.SetText(kHotKeyBoxId, L"N");
    SendMessageW(window.Control(kWindowStateListId), CB_SETCURSEL, 2, 0);
    window.Settle();
    RECT button;
    GetWindowRect(window.Control(kDestinationButtonId), &button);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    move.mi.dx = MulDiv((button.left + button.right) / 2, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv((button.top + button.bottom) / 2, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    SendInput(1, &move, sizeof move);
    Sleep(200);
    SetForegroundWindow(window.hwnd());
    window.Click(kDestinationButtonId);
    Sleep(500);
    for (WORD key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}) Key(key);  // to the special folders
    Sleep(holdMs);
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    return window.Close() ? 0 : 1;
}
