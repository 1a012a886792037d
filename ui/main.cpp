// The start routine: Form1 with the command line's argument text, then its messages until it closes.
#include <windows.h>
#include <ole2.h>

#include "form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    OleInitialize(nullptr);  // the folder browser and drag-and-drop need it on this thread
    Form1 form;
    HWND window = CreateForm1(instance, form, ArgumentText(GetCommandLineW()), showCommand);
    const int result = window ? RunForm1(window) : 1;
    OleUninitialize();
    return result;
}
