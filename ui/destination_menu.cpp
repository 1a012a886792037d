// The destination menu's entries: the shortcut beside the target, where the save dialog says, or in a
// special folder, always named after the target's file name followed by ".lnk".
#include <windows.h>
#include <shlobj.h>

#include "window_actions.h"
#include "lnk/text.h"
#include "shell/shell_services.h"

static std::wstring TargetFileName(const MainWindow& window) {
    const std::wstring target = TextOf(Control(window, kTargetBoxId));
    return target.substr(FileNameStart(target));
}

// A name keeps its ".lnk" in any case; any other name gets one.
static std::wstring WithLnkExtension(const std::wstring& path) {
    std::wstring tail = path.size() < 4 ? path : path.substr(path.size() - 4);
    for (wchar_t& c : tail) c = static_cast<wchar_t>(towupper(c));
    return tail == L".LNK" ? path : path + L".lnk";
}

void PlaceShortcutBesideTarget(MainWindow& window) {
    SetText(Control(window, kShortcutBoxId), TextOf(Control(window, kTargetBoxId)) + L".lnk");
}

void PlaceShortcutWhereUserSays(MainWindow& window) {
    const std::wstring filter = JoinFilter({L"ショートカット(*.lnk)", L"*.lnk", L"全てのファイル(*.*)", L"*.*"});
    int32_t filterIndex = 0;
    const std::wstring chosen = ShowSaveDialog(window.hwnd, L"ショートカットの作成先", filter, nullptr,
                                               TargetFileName(window) + L".lnk", filterIndex);
    if (!chosen.empty()) SetText(Control(window, kShortcutBoxId), WithLnkExtension(chosen));
}

static std::wstring PathOf(SpecialFolder folder) {
    switch (folder) {
    case SpecialFolder::kPrograms: return GetSpecialFolderPath(CSIDL_PROGRAMS);
    case SpecialFolder::kDesktop: return GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY);
    case SpecialFolder::kStartup: return GetSpecialFolderPath(CSIDL_STARTUP);
    case SpecialFolder::kQuickLaunch: {
        const std::wstring appData = GetSpecialFolderPath(CSIDL_APPDATA);
        return appData.empty() ? appData : appData + L"Microsoft\\Internet Explorer\\Quick Launch\\";
    }
    case SpecialFolder::kSendTo: return GetSpecialFolderPath(CSIDL_SENDTO);
    case SpecialFolder::kNone: break;
    }
    return L"";
}

void PlaceShortcutInSpecialFolder(MainWindow& window, SpecialFolder special) {
    const std::wstring folder = PathOf(special);
    if (folder.empty()) return;  // a folder that cannot be found leaves the field as it was
    const std::wstring path = folder + TargetFileName(window) + L".lnk";
    SetText(Control(window, kShortcutBoxId), path);
    const auto end = static_cast<WPARAM>(path.size());
    SendMessageW(Control(window, kShortcutBoxId), EM_SETSEL, end, static_cast<LPARAM>(end));
}
