// What Form1's handlers do: the icon preview, the Create command and the choosers.
#pragma once

#include <cstdint>
#include <string>

#include "form1.h"

// The icon file in Text1(4) changed: count its icons, enable "<" and ">" and show the first icon, or
// clear the preview and disable them when it holds none.
void ShowIconsOfIconFile(Form1& form);
// Moves the chosen icon by step (-1 or +1) within the icon file, without wrapping, and shows it.
void StepIcon(Form1& form, int step);

// The key a character names in the hotkey box: a digit, or a letter in upper case; 0 for any other.
wchar_t HotKeyCharacter(wchar_t key);
// The hotkey box's own key handling, and what a key shows in it.
void HookHotKeyBox(Form1& form);
void ShowHotKey(Form1& form, wchar_t key);
// Writes the shortcut from the fields and tells the user in a message box whether it was written.
void CreateShortcutFromFields(Form1& form);

// The choosers beside the target, working folder and icon fields, and the destination menu.
void ChooseTargetFile(Form1& form);
void ChooseWorkingFolder(Form1& form);
void ChooseIconFile(Form1& form);
void ShowDestinationMenu(Form1& form);

// The destination menu's entries.
void PlaceShortcutBesideTarget(Form1& form);
void PlaceShortcutWhereUserSays(Form1& form);
void PlaceShortcutInSpecialFolder(Form1& form, int16_t index);

// Text1(0) as the window's drop target, and the first file of a drop's file list ("" without one).
void RegisterTargetBoxDrop(Form1& form);
void RevokeTargetBoxDrop(Form1& form);
std::wstring FirstDroppedFile(IDataObject* data);
