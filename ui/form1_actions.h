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

// The hotkey key code of the hotkey box's text: the key of a digit or letter (a letter in either
// case is its upper-case key), 0 for an empty box or any other character.
uint32_t HotKeyCodeOf(const std::wstring& text);
// Writes the shortcut from the fields and tells the user in a message box whether it was written.
void CreateShortcutFromFields(Form1& form);

// The choosers beside the target, working folder and icon fields, and the destination menu.
void ChooseTargetFile(Form1& form);
void ChooseWorkingFolder(Form1& form);
void ChooseIconFile(Form1& form);
void ShowDestinationMenu(Form1& form);
