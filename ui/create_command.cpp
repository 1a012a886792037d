// The Create command: the fields to BuildShortcut, and the answer in a message box.
#include "window_actions.h"
#include "lnk/platform.h"
#include "lnk/shortcut_builder.h"

// The hotkey key code of the hotkey box's text: the key its character names, 0 for an empty box.
static uint32_t HotKeyCodeOf(const std::wstring& text) {
    return text.empty() ? 0 : HotKeyCharacter(text[0]);
}

void CreateShortcutFromFields(MainWindow& window) {
    const LRESULT entry = SendMessageW(Control(window, kWindowStateListId), CB_GETCURSEL, 0, 0);
    const ShortcutRequest request = {
        .targetPath = TextOf16(Control(window, kTargetBoxId)),
        .linkPath = TextOf16(Control(window, kShortcutBoxId)),
        .arguments = TextOf16(Control(window, kArgumentsBoxId)),
        .workingFolder = TextOf16(Control(window, kWorkingFolderBoxId)),
        .iconFile = TextOf16(Control(window, kIconFileBoxId)),
        .iconIndex = window.chosenIcon,
        .hotKeyCode = HotKeyCodeOf(TextOf(Control(window, kHotKeyBoxId))),
        .showCommand = static_cast<int32_t>(SendMessageW(Control(window, kWindowStateListId), CB_GETITEMDATA, entry, 0)),
        .comment = TextOf16(Control(window, kCommentBoxId)),
    };
    if (BuildShortcut(DefaultLnkPlatform(), request) != kBuildFailed) {
        MessageBoxW(window.hwnd, L"処理は正常終了しました！", L"完了", MB_OK | MB_ICONINFORMATION);
    } else {
        MessageBoxW(window.hwnd, L"処理は失敗しました！", L"失敗", MB_OK | MB_ICONWARNING);
    }
}
