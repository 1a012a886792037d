// Form1: the program's one window, the state it keeps and the handlers of its events.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <string>

#include "form1_controls.h"

struct Form1 {
    HWND hwnd = nullptr;
    HWND text1[kText1Count] = {};
    HWND command1[kCommand1Count] = {};
    HWND command2[kCommand2Count] = {};
    HWND command3[kCommand3Count] = {};
    HWND text2 = nullptr;
    HWND combo1 = nullptr;
    HWND picture1 = nullptr;
    HMENU menuPopup = nullptr;
    HFONT font = nullptr;
    int dpi = 96;
    HWND focusedControl = nullptr;  // the control that had the focus when the window was last left
    int32_t CurrentIconIndex = 0;  // the chosen icon within the icon file
    int32_t LastIconIndex = 0;     // the icon file's last icon
};

extern const wchar_t kForm1Class[];
extern const wchar_t kForm1Title[];

// Creates the window of form, which must outlive it, with its controls, runs Form_Load with the
// command line's argument text, shows it and paints it.
HWND CreateForm1(HINSTANCE instance, Form1& form, const std::wstring& argumentText, int showCommand);
// Adds what only a user's input needs, once the window is on screen and before its first message is
// read: the tool tips, the drop target and the names for screen readers. OLE must be initialised.
void FinishForm1(HINSTANCE instance, Form1& form);
// Runs the window's messages until it is closed; Tab moves the focus, Enter and Esc press nothing.
int RunForm1(HWND form);
Form1* Form1Of(HWND form);

// The argument text of a command line: what follows the program's own path and the blanks after it.
std::wstring ArgumentText(const wchar_t* commandLine);

// Pixels of a length in twips at the window's DPI: the window's one conversion of lengths.
int TwipsToPixels(const Form1& form, int twips);

std::wstring TextOf(HWND control);
std::u16string TextOf16(HWND control);  // the same text, as the shortcut writer takes it
void SetText(HWND control, const std::wstring& text);  // raises the control's change notification

// Handlers, named after control and event; a control array's handler receives the member's index.
void Form_Load(Form1& form, const std::wstring& argumentText);
void ApplyTargetPath(Form1& form, const std::wstring& path);
void Text1_Change(Form1& form, int16_t index);
void Command1_Click(Form1& form, int16_t index);
void Command2_Click(Form1& form, int16_t index);
void Command3_Click(Form1& form, int16_t index);
void Menu_FolderSet_Click(Form1& form, int16_t index);
void Menu_SpecialFolder_Set_Click(Form1& form, int16_t index);
void Text1_OLEDragDrop(Form1& form, int16_t index, IDataObject* data, DWORD effect, int16_t button, int16_t shift,
                       float x, float y);
// keyAscii is the character of the key, in and out: the handler sets it to 0, so the box inserts nothing.
void Text2_KeyPress(Form1& form, int16_t& keyAscii);
