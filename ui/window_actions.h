// What the window's controls and menu entries do, each named for its action; the layout's rows point
// straight at them.
#pragma once

#include <string>

#include "main_window.h"

// The one rule by which a new target (chosen, dropped or on the command line) fills the window: the
// target, the shortcut path beside it, the working folder, the icon file and the comment.
void ApplyTargetPath(MainWindow& window, const std::wstring& path);

// The icon file in the icon-file box changed: enable "<" and ">" and show its first icon, or clear the
// preview and disable them when it holds none.
void ShowIconsOfIconFile(MainWindow& window);
// "<" and ">": the previous or next icon of the icon file, stopping at its ends.
void ShowPreviousIcon(MainWindow& window);
void ShowNextIcon(MainWindow& window);

// The key a character names in the hotkey box: a digit, or a letter in upper case; 0 for any other.
wchar_t HotKeyCharacter(wchar_t key);
// The hotkey box's own key handling: each character typed or pasted shows the key it names, or none.
void HookHotKeyBox(const MainWindow& window);
// Writes the shortcut from the fields and tells the user in a message box whether it was written.
void CreateShortcutFromFields(MainWindow& window);
// 終了: closes the window, which ends the program.
void CloseMainWindow(MainWindow& window);

// The choosers beside the target, working folder and icon fields, and the destination menu.
void ChooseTargetFile(MainWindow& window);
void ChooseWorkingFolder(MainWindow& window);
void ChooseIconFile(MainWindow& window);
void ShowDestinationMenu(MainWindow& window);

// The destination menu's entries.
void PlaceShortcutBesideTarget(MainWindow& window);
void PlaceShortcutWhereUserSays(MainWindow& window);
void PlaceShortcutInSpecialFolder(MainWindow& window, SpecialFolder folder);

// The target box as the window's drop target: a drop of files makes the first of them the target.
// False when the system refuses the registration: the window then works without drops.
bool RegisterTargetBoxDrop(MainWindow& window);
void RevokeTargetBoxDrop(MainWindow& window);
