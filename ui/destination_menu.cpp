// The destination menu's entries: the shortcut beside the target, where the save dialog says, or in a
// special folder, always named after the target's file name followed by ".lnk".
#include <windows.h>
#include <shlobj.h>

#include "form1_actions.h"
#include "shell/module1.h"

static std::wstring TargetFileName(const Form1& form) {
    std::wstring folder, fileName;
    SplitPath(TextOf(form.text1[0]), folder, fileName);
    return fileName;
}

// A name keeps its ".lnk" in any case; any other name gets one.
static std::wstring WithLnkExtension(const std::wstring& path) {
    std::wstring tail = path.size() < 4 ? path : path.substr(path.size() - 4);
    for (wchar_t& c : tail) c = static_cast<wchar_t>(towupper(c));
    return tail == L".LNK" ? path : path + L".lnk";
}

void PlaceShortcutBesideTarget(Form1& form) {
    SetText(form.text1[1], TextOf(form.text1[0]) + L".lnk");
}

void PlaceShortcutWhereUserSays(Form1& form) {
    const std::wstring filter = JoinFilter({L"ショートカット(*.lnk)", L"*.lnk", L"全てのファイル(*.*)", L"*.*"});
    int32_t filterIndex = 0;
    const std::wstring chosen = ShowSaveDialog(form.hwnd, L"ショートカットの作成先", filter, nullptr,
                                               TargetFileName(form) + L".lnk", filterIndex);
    if (!chosen.empty()) SetText(form.text1[1], WithLnkExtension(chosen));
}

static std::wstring SpecialFolderOf(int16_t index) {
    switch (index) {
    case 0: return GetSpecialFolderPath(CSIDL_PROGRAMS);
    case 1: return GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY);
    case 2: return GetSpecialFolderPath(CSIDL_STARTUP);
    case 3: {
        const std::wstring appData = GetSpecialFolderPath(CSIDL_APPDATA);
        return appData.empty() ? appData : appData + L"Microsoft\\Internet Explorer\\Quick Launch\\";
    }
    case 4: return GetSpecialFolderPath(CSIDL_SENDTO);
    }
    return L"";
}

void PlaceShortcutInSpecialFolder(Form1& form, int16_t index) {
    const std::wstring folder = SpecialFolderOf(index);
    if (folder.empty()) return;  // a folder that cannot be found leaves the field as it was
    const std::wstring path = folder + TargetFileName(form) + L".lnk";
    SetText(form.text1[1], path);
    const auto end = static_cast<WPARAM>(path.size());
    SendMessageW(form.text1[1], EM_SETSEL, end, static_cast<LPARAM>(end));
}
