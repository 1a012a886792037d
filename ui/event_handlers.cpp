// The window's event handlers: each translates its event into one action.
#include <algorithm>

#include "main_window.h"
#include "window_actions.h"
#include "shell/shell_services.h"

void MainWindow_Load(MainWindow& window, const std::wstring& argumentText) {
    // 最小化 stores 2 (SW_SHOWMINIMIZED), which Windows starts minimised and which every shortcut this
    // program has written carries. The format's documentation names 7 for minimised, and readers that
    // follow it take any value but 1, 3 and 7 as normal.
    const struct {
        const wchar_t* text;
        LPARAM showCommand;
    } states[] = {{L"通常のウインドウ", SW_SHOWNORMAL}, {L"最小化", SW_SHOWMINIMIZED}, {L"最大化", SW_SHOWMAXIMIZED}};
    for (const auto& state : states) {
        const LRESULT entry = SendMessageW(window.windowStateList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(state.text));
        SendMessageW(window.windowStateList, CB_SETITEMDATA, entry, state.showCommand);
    }
    SendMessageW(window.windowStateList, CB_SETCURSEL, 0, 0);

    if (argumentText.empty()) return;
    std::wstring target = argumentText;
    target.erase(std::remove(target.begin(), target.end(), L'"'), target.end());
    ApplyTargetPath(window, target);
}

void ApplyTargetPath(MainWindow& window, const std::wstring& path) {
    std::wstring folder, fileName;
    SplitPath(path, folder, fileName);
    SetText(window.targetBox, path);
    SetText(window.shortcutBox, path + L".lnk");
    SetText(window.workingFolderBox, folder);
    SetText(window.iconFileBox, path);
    SetText(window.commentBox, fileName + L"を開きます。");
}

void IconFileBox_Change(MainWindow& window) {
    ShowIconsOfIconFile(window);
}

void TargetChooser_Click(MainWindow& window) {
    ChooseTargetFile(window);
}

void DestinationButton_Click(MainWindow& window) {
    ShowDestinationMenu(window);
}

void WorkingFolderChooser_Click(MainWindow& window) {
    ChooseWorkingFolder(window);
}

void IconFileChooser_Click(MainWindow& window) {
    ChooseIconFile(window);
}

void CreateButton_Click(MainWindow& window) {
    CreateShortcutFromFields(window);
}

void ExitButton_Click(MainWindow& window) {
    DestroyWindow(window.hwnd);
}

void PreviousIconButton_Click(MainWindow& window) {
    StepIcon(window, -1);
}

void NextIconButton_Click(MainWindow& window) {
    StepIcon(window, +1);
}

void BesideTargetEntry_Click(MainWindow& window) {
    PlaceShortcutBesideTarget(window);
}

void UserChosenEntry_Click(MainWindow& window) {
    PlaceShortcutWhereUserSays(window);
}

void ProgramsEntry_Click(MainWindow& window) {
    PlaceShortcutInSpecialFolder(window, SpecialFolder::kPrograms);
}

void DesktopEntry_Click(MainWindow& window) {
    PlaceShortcutInSpecialFolder(window, SpecialFolder::kDesktop);
}

void StartupEntry_Click(MainWindow& window) {
    PlaceShortcutInSpecialFolder(window, SpecialFolder::kStartup);
}

void QuickLaunchEntry_Click(MainWindow& window) {
    PlaceShortcutInSpecialFolder(window, SpecialFolder::kQuickLaunch);
}

void SendToEntry_Click(MainWindow& window) {
    PlaceShortcutInSpecialFolder(window, SpecialFolder::kSendTo);
}

void TargetBox_OLEDragDrop(MainWindow& window, IDataObject* data) {
    const std::wstring path = FirstDroppedFile(data);
    if (!path.empty()) ApplyTargetPath(window, path);  // a drop without a file list changes nothing
}

void HotKeyBox_KeyPress(MainWindow& window, wchar_t key) {
    ShowHotKey(window, key);
}
