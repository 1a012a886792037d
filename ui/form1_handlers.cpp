// Form1's event handlers: each translates its event into one action.
#include <algorithm>

#include "form1.h"
#include "form1_actions.h"
#include "shell/module1.h"

void Form_Load(Form1& form, const std::wstring& argumentText) {
    const struct {
        const wchar_t* text;
        LPARAM showCommand;
    } states[] = {{L"通常のウインドウ", SW_SHOWNORMAL}, {L"最小化", SW_SHOWMINIMIZED}, {L"最大化", SW_SHOWMAXIMIZED}};
    for (const auto& state : states) {
        const LRESULT entry = SendMessageW(form.combo1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(state.text));
        SendMessageW(form.combo1, CB_SETITEMDATA, entry, state.showCommand);
    }
    SendMessageW(form.combo1, CB_SETCURSEL, 0, 0);

    if (argumentText.empty()) return;
    std::wstring target = argumentText;
    target.erase(std::remove(target.begin(), target.end(), L'"'), target.end());
    ApplyTargetPath(form, target);
}

void ApplyTargetPath(Form1& form, const std::wstring& path) {
    std::wstring folder, fileName;
    SplitPath(path, folder, fileName);
    SetText(form.text1[0], path);
    SetText(form.text1[1], path + L".lnk");
    SetText(form.text1[3], folder);
    SetText(form.text1[4], path);
    SetText(form.text1[5], fileName + L"を開きます。");
}

void Text1_Change(Form1& form, int16_t index) {
    if (index == 4) ShowIconsOfIconFile(form);
}

void Command1_Click(Form1& form, int16_t index) {
    switch (index) {
    case 0: ChooseTargetFile(form); break;
    case 1: ShowDestinationMenu(form); break;
    case 2: ChooseWorkingFolder(form); break;
    case 3: ChooseIconFile(form); break;
    }
}

void Command2_Click(Form1& form, int16_t index) {
    if (index == 0) CreateShortcutFromFields(form);
    if (index == 1) DestroyWindow(form.hwnd);
}

void Command3_Click(Form1& form, int16_t index) {
    StepIcon(form, index == 0 ? -1 : +1);
}

void Menu_FolderSet_Click(Form1& form, int16_t index) {
    if (index == 0) PlaceShortcutBesideTarget(form);
    if (index == 1) PlaceShortcutWhereUserSays(form);
}

void Menu_SpecialFolder_Set_Click(Form1& form, int16_t index) {
    PlaceShortcutInSpecialFolder(form, index);
}

void Text1_OLEDragDrop(Form1& form, int16_t index, IDataObject* data, DWORD, int16_t, int16_t, float, float) {
    if (index != 0) return;
    const std::wstring path = FirstDroppedFile(data);
    if (!path.empty()) ApplyTargetPath(form, path);  // a drop without a file list changes nothing
}

void Text2_KeyPress(Form1& form, int16_t& keyAscii) {
    ShowHotKey(form, static_cast<wchar_t>(keyAscii));
    keyAscii = 0;
}
