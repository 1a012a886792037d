// The start routine: Form1 with the command line's argument text, then its messages until it closes.
#include <windows.h>
#include <ole2.h>

#include "form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    OleInitialize(nullptr);  // the folder browser and drag-and-drop need it on this thread
    HWND form = CreateForm1(instance, ArgumentText(GetCommandLineW()), showCommand);
    const int result = form ? RunForm1(form) : 1;
    OleUninitialize();
    return result;
}
