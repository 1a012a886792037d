// The Create command: the fields to BuildShortcut, and the answer in a message box.
#include "window_actions.h"
#include "lnk/shortcut_builder.h"

// The hotkey key code of the hotkey box's text: the key its character names, 0 for an empty box.
static uint32_t HotKeyCodeOf(const std::wstring& text) {
    return text.empty() ? 0 : HotKeyCharacter(text[0]);
}

void CreateShortcutFromFields(MainWindow& window) {
    const uint32_t hotKeyCode = HotKeyCodeOf(TextOf(window.hotKeyBox));
    const LRESULT entry = SendMessageW(window.windowStateList, CB_GETCURSEL, 0, 0);
    const auto showCommand = static_cast<int32_t>(SendMessageW(window.windowStateList, CB_GETITEMDATA, entry, 0));
    const int16_t result = BuildShortcut(TextOf16(window.targetBox), TextOf16(window.shortcutBox), TextOf16(window.argumentsBox),
                                         TextOf16(window.workingFolderBox), TextOf16(window.iconFileBox), window.CurrentIconIndex,
                                         hotKeyCode, showCommand, TextOf16(window.commentBox));
    if (result != kBuildFailed) {
        MessageBoxW(window.hwnd, L"処理は正常終了しました！", L"完了", MB_OK | MB_ICONINFORMATION);
    } else {
        MessageBoxW(window.hwnd, L"処理は失敗しました！", L"失敗", MB_OK | MB_ICONWARNING);
    }
}
