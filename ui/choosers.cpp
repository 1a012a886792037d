// The "..." choosers: the target and icon files in open dialogs, the working folder in the shell's
// folder browser, and the destination menu.
#include <windows.h>
#include <shlobj.h>

#include "form1_actions.h"
#include "shell/module1.h"

static const wchar_t kFileDialogTitle[] = L"ショートカット先のファイル選択";

void ChooseTargetFile(Form1& form) {
    const std::wstring path =
        ShowOpenDialog(form.hwnd, kFileDialogTitle, JoinFilter({L"全てのファイル(*.*)", L"*.*"}), nullptr);
    if (!path.empty()) ApplyTargetPath(form, path);
}

void ChooseIconFile(Form1& form) {
    const std::wstring filter = JoinFilter({L"アイコンが含まれているファイル(*.ico;*.exe;*.dll)", L"*.ico;*.exe;*.dll",
                                            L"アイコン(*.ico)", L"*.ico", L"実行ファイル(*.exe)", L"*.exe",
                                            L"ダイナミックリンクライブラリ(*.dll)", L"*.dll", L"全てのファイル(*.*)", L"*.*"});
    const std::wstring path = ShowOpenDialog(form.hwnd, kFileDialogTitle, filter, nullptr);
    if (!path.empty()) SetText(form.text1[4], path);
}

void ChooseWorkingFolder(Form1& form) {
    BROWSEINFOW browse = {};
    browse.hwndOwner = form.hwnd;
    browse.lpszTitle = L"ﾌｫﾙﾀﾞを選択してください";
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&browse);
    if (!list) return;
    const std::wstring folder = FolderPathOf(list);
    ILFree(list);
    if (!folder.empty()) SetText(form.text1[3], folder);
}

// The menu opens at the mouse pointer, pressed from the keyboard too; where the pointer cannot be read,
// at its button's lower-left corner.
void ShowDestinationMenu(Form1& form) {
    POINT place;
    if (!GetCursorPos(&place)) {
        RECT button;
        GetWindowRect(form.command1[1], &button);
        place = {button.left, button.bottom};
    }
    TrackPopupMenu(form.menuPopup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, place.x, place.y, 0, form.hwnd,
                   nullptr);
}
