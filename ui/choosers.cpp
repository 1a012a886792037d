// A new target and the "..." choosers: the target and icon files in open dialogs, the working folder in
// the shell's folder browser, and the destination menu.
#include <windows.h>
#include <shlobj.h>

#include "window_actions.h"
#include "lnk/text.h"
#include "shell/shell_services.h"

static const wchar_t kFileDialogTitle[] = L"ショートカット先のファイル選択";

void ApplyTargetPath(MainWindow& window, const std::wstring& path) {
    const size_t name = FileNameStart(path);
    SetText(Control(window, kTargetBoxId), path);
    PlaceShortcutBesideTarget(window);
    SetText(Control(window, kWorkingFolderBoxId), path.substr(0, name));
    SetText(Control(window, kIconFileBoxId), path);
    SetText(Control(window, kCommentBoxId), path.substr(name) + L"を開きます。");
}

void ChooseTargetFile(MainWindow& window) {
    const std::wstring path =
        ShowOpenDialog(window.hwnd, kFileDialogTitle, JoinFilter({L"全てのファイル(*.*)", L"*.*"}), nullptr);
    if (!path.empty()) ApplyTargetPath(window, path);
}

void ChooseIconFile(MainWindow& window) {
    const std::wstring filter = JoinFilter({L"アイコンが含まれているファイル(*.ico;*.exe;*.dll)", L"*.ico;*.exe;*.dll",
                                            L"アイコン(*.ico)", L"*.ico", L"実行ファイル(*.exe)", L"*.exe",
                                            L"ダイナミックリンクライブラリ(*.dll)", L"*.dll", L"全てのファイル(*.*)", L"*.*"});
    const std::wstring path = ShowOpenDialog(window.hwnd, kFileDialogTitle, filter, nullptr);
    if (!path.empty()) SetText(Control(window, kIconFileBoxId), path);
}

void ChooseWorkingFolder(MainWindow& window) {
    BROWSEINFOW browse = {};
    browse.hwndOwner = window.hwnd;
    browse.lpszTitle = L"ﾌｫﾙﾀﾞを選択してください";
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&browse);
    if (!list) return;
    const std::wstring folder = FolderPathOf(list);
    ILFree(list);
    if (!folder.empty()) SetText(Control(window, kWorkingFolderBoxId), folder);
}

// The menu opens at the mouse pointer, pressed from the keyboard too; where the pointer cannot be read,
// at its button's lower-left corner.
void ShowDestinationMenu(MainWindow& window) {
    POINT place;
    if (!GetCursorPos(&place)) {
        RECT button;
        GetWindowRect(Control(window, kDestinationButtonId), &button);
        place = {button.left, button.bottom};
    }
    TrackPopupMenu(window.destinationMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, place.x, place.y, 0, window.hwnd,
                   nullptr);
}
