// The start routine: Form1 with the command line's argument text, then its messages until it closes.
#include <windows.h>
#include <ole2.h>

#include "form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    Form1 form;
    HWND window = CreateForm1(instance, form, ArgumentText(GetCommandLineW()), showCommand);
    if (!window) return 1;
    // Drag-and-drop, the screen-reader names and the folder browser need OLE on this thread; nothing
    // on screen does, so it starts once the window is shown.
    OleInitialize(nullptr);
    FinishForm1(instance, form);
    const int result = RunForm1(window);
    OleUninitialize();
    return result;
}
