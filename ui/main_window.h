// The program's one window: the handles of its controls, the state it keeps and the handlers of its events.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <string>

#include "window_layout.h"

struct MainWindow {
    HWND hwnd = nullptr;
    HWND targetBox = nullptr, shortcutBox = nullptr, argumentsBox = nullptr, workingFolderBox = nullptr;
    HWND iconFileBox = nullptr, commentBox = nullptr;
    HWND hotKeyBox = nullptr, windowStateList = nullptr, iconPreview = nullptr;
    HWND targetChooser = nullptr, destinationButton = nullptr, workingFolderChooser = nullptr, iconFileChooser = nullptr;
    HWND createButton = nullptr, exitButton = nullptr, previousIconButton = nullptr, nextIconButton = nullptr;
    HMENU destinationMenu = nullptr;
    HFONT font = nullptr;
    int dpi = 96;
    HWND focusedControl = nullptr;  // the control that had the focus when the window was last left
    int32_t CurrentIconIndex = 0;  // the chosen icon within the icon file
    int32_t LastIconIndex = 0;     // the icon file's last icon
};

extern const wchar_t kMainWindowClass[];
extern const wchar_t kMainWindowTitle[];

// Creates the main window and its controls into window, which must outlive it, runs MainWindow_Load
// with the command line's argument text, shows the window and paints it.
HWND CreateMainWindow(HINSTANCE instance, MainWindow& window, const std::wstring& argumentText, int showCommand);
// Adds what only a user's input needs, once the window is on screen and before its first message is
// read: the tool tips, the drop target and the names for screen readers. OLE must be initialised.
void FinishMainWindow(HINSTANCE instance, MainWindow& window);
// Runs the window's messages until it is closed; Tab moves the focus, Enter and Esc press nothing.
int RunMainWindow(HWND window);
MainWindow* MainWindowOf(HWND window);

// The argument text of a command line: what follows the program's own path and the blanks after it.
std::wstring ArgumentText(const wchar_t* commandLine);

// Pixels of a length in twips at the window's DPI: the window's one conversion of lengths.
int TwipsToPixels(const MainWindow& window, int twips);

std::wstring TextOf(HWND control);
std::u16string TextOf16(HWND control);  // the same text, as the shortcut writer takes it
void SetText(HWND control, const std::wstring& text);  // raises the control's change notification

// Handlers, named after their control or menu entry and its event: each only translates the event into
// one action. The window's load fills the window-state list and takes the command line's target.
void MainWindow_Load(MainWindow& window, const std::wstring& argumentText);
// The one rule by which a new target fills the window: the target, the shortcut path beside it, the
// working folder, the icon file and the comment.
void ApplyTargetPath(MainWindow& window, const std::wstring& path);
void IconFileBox_Change(MainWindow& window);
void TargetChooser_Click(MainWindow& window);
void DestinationButton_Click(MainWindow& window);
void WorkingFolderChooser_Click(MainWindow& window);
void IconFileChooser_Click(MainWindow& window);
void CreateButton_Click(MainWindow& window);
void ExitButton_Click(MainWindow& window);
void PreviousIconButton_Click(MainWindow& window);
void NextIconButton_Click(MainWindow& window);
void BesideTargetEntry_Click(MainWindow& window);
void UserChosenEntry_Click(MainWindow& window);
void ProgramsEntry_Click(MainWindow& window);
void DesktopEntry_Click(MainWindow& window);
void StartupEntry_Click(MainWindow& window);
void QuickLaunchEntry_Click(MainWindow& window);
void SendToEntry_Click(MainWindow& window);
// A drop of data on the target box: its first file becomes the target.
void TargetBox_OLEDragDrop(MainWindow& window, IDataObject* data);
// A character typed or pasted into the hotkey box, which the box itself never inserts.
void HotKeyBox_KeyPress(MainWindow& window, wchar_t key);
