// The Create command: the fields to BuildShortcut, and the answer in a message box.
#include "form1_actions.h"
#include "lnk/shortcut_builder.h"

// The hotkey key code of the hotkey box's text: the key its character names, 0 for an empty box.
static uint32_t HotKeyCodeOf(const std::wstring& text) {
    return text.empty() ? 0 : HotKeyCharacter(text[0]);
}

void CreateShortcutFromFields(Form1& form) {
    const uint32_t hotKeyCode = HotKeyCodeOf(TextOf(form.text2));
    const LRESULT entry = SendMessageW(form.combo1, CB_GETCURSEL, 0, 0);
    const auto showCommand = static_cast<int32_t>(SendMessageW(form.combo1, CB_GETITEMDATA, entry, 0));
    const int16_t result = BuildShortcut(TextOf16(form.text1[0]), TextOf16(form.text1[1]), TextOf16(form.text1[2]),
                                         TextOf16(form.text1[3]), TextOf16(form.text1[4]), form.CurrentIconIndex,
                                         hotKeyCode, showCommand, TextOf16(form.text1[5]));
    if (result != kBuildFailed) {
        MessageBoxW(form.hwnd, L"処理は正常終了しました！", L"完了", MB_OK | MB_ICONINFORMATION);
    } else {
        MessageBoxW(form.hwnd, L"処理は失敗しました！", L"失敗", MB_OK | MB_ICONWARNING);
    }
}
