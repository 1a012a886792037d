// The shell and dialog services of the window: stateless; each gives "" for failure and for
// a cancelled dialog, and keeps nothing between calls.
#pragma once

#include <windows.h>
#include <shtypes.h>

#include <cstdint>
#include <string>

// The path of a shell special folder (a CSIDL value), ending in one backslash, or "".
std::wstring GetSpecialFolderPath(int32_t csidl);

// The file-system path of a folder the shell names by an item-ID list, or "" when it has none or the
// whole of it cannot be had (some systems cut a deep folder's path at MAX_PATH characters, naming a
// folder that does not exist).
std::wstring FolderPathOf(PCIDLIST_ABSOLUTE list);

// A file dialog's filter list: display name, pattern, display name, pattern, … joined by single NULs.
std::wstring JoinFilter(std::initializer_list<const wchar_t*> parts);

// The open-file dialog, modal to owner; the full path of the chosen file, or "".
std::wstring ShowOpenDialog(HWND owner, const std::wstring& title, const std::wstring& filter,
                            const wchar_t* initialFolder);

// The save-file dialog, starting on the zero-based filterIndex and with proposedName in its name box, or
// an empty one when the box cannot hold that name or the dialog refuses it.
// On success filterIndex becomes the type selected when the dialog closed; on cancel it is unchanged.
std::wstring ShowSaveDialog(HWND owner, const std::wstring& title, const std::wstring& filter,
                            const wchar_t* initialFolder, const std::wstring& proposedName, int32_t& filterIndex);
