// The start routine: the main window with the command line's argument text, then its messages until it closes.
#include <windows.h>
#include <ole2.h>

#include "main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    MainWindow window;
    HWND hwnd = CreateMainWindow(instance, window, ArgumentText(GetCommandLineW()), showCommand);
    if (!hwnd) return 1;
    // Drag-and-drop, the screen-reader names and the folder browser need OLE on this thread; nothing
    // on screen does, so it starts once the window is shown.
    OleInitialize(nullptr);
    FinishMainWindow(instance, window);
    const int result = RunMainWindow(hwnd);
    OleUninitialize();
    return result;
}
