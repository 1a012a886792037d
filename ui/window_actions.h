// What MainWindow's handlers do: the icon preview, the Create command and the choosers.
#pragma once

#include <string>

#include "main_window.h"

// The icon file in the icon-file box changed: count its icons, enable "<" and ">" and show the first icon, or
// clear the preview and disable them when it holds none.
void ShowIconsOfIconFile(MainWindow& window);
// Moves the chosen icon by step (-1 or +1) within the icon file, without wrapping, and shows it.
void StepIcon(MainWindow& window, int step);

// The key a character names in the hotkey box: a digit, or a letter in upper case; 0 for any other.
wchar_t HotKeyCharacter(wchar_t key);
// The hotkey box's own key handling, and what a key shows in it.
void HookHotKeyBox(MainWindow& window);
void ShowHotKey(MainWindow& window, wchar_t key);
// Writes the shortcut from the fields and tells the user in a message box whether it was written.
void CreateShortcutFromFields(MainWindow& window);

// The choosers beside the target, working folder and icon fields, and the destination menu.
void ChooseTargetFile(MainWindow& window);
void ChooseWorkingFolder(MainWindow& window);
void ChooseIconFile(MainWindow& window);
void ShowDestinationMenu(MainWindow& window);

// The destination menu's entries.
enum class SpecialFolder { kPrograms, kDesktop, kStartup, kQuickLaunch, kSendTo };
void PlaceShortcutBesideTarget(MainWindow& window);
void PlaceShortcutWhereUserSays(MainWindow& window);
void PlaceShortcutInSpecialFolder(MainWindow& window, SpecialFolder folder);

// The target box as the window's drop target, and the first file of a drop's file list ("" without one).
void RegisterTargetBoxDrop(MainWindow& window);
void RevokeTargetBoxDrop(MainWindow& window);
std::wstring FirstDroppedFile(IDataObject* data);
