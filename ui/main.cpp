// The program's entry: the window with the command line's argument text, until it closes.
#include <windows.h>

#include "main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return RunProgram(instance, ArgumentText(GetCommandLineW()), showCommand);
}
