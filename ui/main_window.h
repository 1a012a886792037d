// The program's one window: the state it keeps, its start-up and what its controls share.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "window_layout.h"

// What the window keeps; its controls it finds by their ids (Control).
struct MainWindow {
    HWND hwnd = nullptr;
    HMENU destinationMenu = nullptr;
    HFONT font = nullptr;  // the controls' font, deleted only after they are gone
    int dpi = 96;
    HWND focusedControl = nullptr;  // the control that had the focus when the window was last left
    bool dropRegistered = false;    // whether the target box takes drops
    // The chosen icon within the icon file, and the file's last icon. A file without icons keeps the
    // chosen icon: it is written into the shortcut as it stands, and a file with icons starts at 0.
    int32_t chosenIcon = 0;
    int32_t lastIcon = 0;
};

extern const wchar_t kMainWindowClass[];
extern const wchar_t kMainWindowTitle[];

// The program from start to end: the window, filled from the command line's argument text, shown,
// then its messages until it is closed; the exit code. The program's entry and the window tests run it.
int RunProgram(HINSTANCE instance, const std::wstring& argumentText, int showCommand);
MainWindow* MainWindowOf(HWND window);
// The window's control of an id (window_layout.h).
HWND Control(const MainWindow& window, int id);

// The argument text of a command line: what follows the program's own path and the blanks after it.
std::wstring ArgumentText(const wchar_t* commandLine);

// Pixels of a length in twips at the window's DPI: the window's one conversion of lengths. The layout
// is in twips (1/1440 inch), so that one table serves every DPI.
int TwipsToPixels(const MainWindow& window, int twips);

std::wstring TextOf(HWND control);
std::u16string TextOf16(HWND control);  // the same text, as the shortcut writer takes it
void SetText(HWND control, const std::wstring& text);  // raises the control's change notification
