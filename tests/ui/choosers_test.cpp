// The "..." choosers through their real dialogs and menu: the target and icon files in open dialogs,
// the shortcut path from the destination menu (beside the target, the special folders, a save dialog
// with its ".lnk" rule), the working folder from the folder browser; a cancel changes nothing.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include "window_test.h"

namespace {
std::wstring FolderOf(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::vector<std::wstring> FileTypes(HWND dialog) {
    HWND types = GetDlgItem(dialog, 0x470);
    std::vector<std::wstring> items(SendMessageW(types, CB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < items.size(); ++i) {
        wchar_t text[256] = {};
        SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items[i] = text;
    }
    EXPECT_EQ(SendMessageW(types, CB_GETCURSEL, 0, 0), 0);
    return items;
}
}  // namespace

class Choosers : public WindowTest {
protected:
    // Waits for the dialog that the button or menu entry opened, checks its file types and answers it
    // with a typed name, or cancels it (typed null).
    void AnswerFileDialog(const wchar_t* title, const std::vector<std::wstring>& types, const std::wstring* typed) {
        const HWND dialog = form.WaitForWindow(L"#32770", title);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(FileTypes(dialog), types);
        if (typed) SetDlgItemTextW(dialog, 0x47C, typed->c_str());
        form.EndDialog(dialog, typed ? IDOK : IDCANCEL);
    }
    std::wstring Choose(int menuEntry) const {
        SendMessageW(form.form(), WM_COMMAND, menuEntry, 0);
        return form.Text(kText1Base + 1);
    }
};

TEST_F(Choosers, TargetAndIconFilesFromOpenDialogs) {
    const wchar_t title[] = L"ショートカット先のファイル選択";
    const std::wstring target = MakeFile(L"tool.exe", 10), icons = WindowsPathFromEnvironment("VANTORELLE_ICO");
    form.SetText(kText1Base + 2, L"--keep");
    for (const std::wstring* typed : {&target, static_cast<const std::wstring*>(nullptr)}) {
        form.Click(kCommand1Base + 0);
        AnswerFileDialog(title, {L"全てのファイル(*.*)"}, typed);
        EXPECT_EQ(Fields(), (std::vector<std::wstring>{target, target + L".lnk", L"--keep", dir, target, L"tool.exeを開きます。"}));
    }
    for (const std::wstring* typed : {&icons, static_cast<const std::wstring*>(nullptr)}) {
        form.Click(kCommand1Base + 3);
        AnswerFileDialog(title, {L"アイコンが含まれているファイル(*.ico;*.exe;*.dll)", L"アイコン(*.ico)", L"実行ファイル(*.exe)",
                                 L"ダイナミックリンクライブラリ(*.dll)", L"全てのファイル(*.*)"}, typed);
        EXPECT_EQ(form.Text(kText1Base + 4), icons);
        EXPECT_EQ(form.Text(kText1Base + 0), target);
        EXPECT_TRUE(form.Enabled(kCommand3Base + 1));
    }
}

TEST_F(Choosers, DestinationMenuBesideTheTargetAndInTheSpecialFolders) {
    EXPECT_EQ(Choose(kMenuFolderSetBase + 0), L".lnk");
    const std::wstring folders[] = {FolderOf(CSIDL_PROGRAMS), FolderOf(CSIDL_DESKTOPDIRECTORY), FolderOf(CSIDL_STARTUP),
                                    FolderOf(CSIDL_APPDATA) + L"\\Microsoft\\Internet Explorer\\Quick Launch",
                                    FolderOf(CSIDL_SENDTO)};
    for (const std::wstring target : {L"C:\\Tools\\app.exe", L"app.exe", L""}) {
        form.SetText(kText1Base + 0, target);
        const std::wstring name = target.empty() ? L".lnk" : L"app.exe.lnk";
        if (!target.empty()) {
            EXPECT_EQ(Choose(kMenuFolderSetBase + 0), target + L".lnk");
        }
        for (int i = 0; i < kMenuSpecialFolderSetCount; ++i) {
            ASSERT_GT(folders[i].size(), 3u);
            EXPECT_EQ(Choose(kMenuSpecialFolderSetBase + i), folders[i] + L"\\" + name);
            const auto caret = static_cast<DWORD>(SendMessageW(form.Control(kText1Base + 1), EM_GETSEL, 0, 0));
            EXPECT_EQ(caret, MAKELONG(form.Text(kText1Base + 1).size(), form.Text(kText1Base + 1).size())) << "at the end";
        }
    }
}

TEST_F(Choosers, DestinationMenuSaveDialogProposesTheNameAndAddsLnkWhereMissing) {
    const std::vector<std::wstring> types = {L"ショートカット(*.lnk)", L"全てのファイル(*.*)"};
    form.SetText(kText1Base + 0, L"C:\\Tools\\app.exe");
    for (const auto& [typed, expected] : {std::pair{L"Tool", L"Tool.lnk"}, {L"Tool.LNK", L"Tool.LNK"}, {L"Tool.Lnk", L"Tool.Lnk"},
                                          {L"Tool.txt", L"Tool.txt.lnk"}}) {
        PostMessageW(form.form(), WM_COMMAND, kMenuFolderSetBase + 1, 0);
        const HWND dialog = form.WaitForWindow(L"#32770", L"ショートカットの作成先");
        ASSERT_NE(dialog, nullptr);
        wchar_t proposed[MAX_PATH] = {};
        GetDlgItemTextW(dialog, 0x47C, proposed, MAX_PATH);
        EXPECT_STREQ(proposed, L"app.exe.lnk");
        const std::wstring path = dir + typed;
        AnswerFileDialog(L"ショートカットの作成先", types, &path);
        EXPECT_EQ(form.Text(kText1Base + 1), dir + expected);
    }
    // Longer than the dialog's name box holds: the dialog opens with an empty name, not one cut short.
    form.SetText(kText1Base + 0, L"C:\\Tools\\" + std::wstring(300, L'a') + L".exe");
    PostMessageW(form.form(), WM_COMMAND, kMenuFolderSetBase + 1, 0);
    const HWND dialog = form.WaitForWindow(L"#32770", L"ショートカットの作成先");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindowTextLengthW(GetDlgItem(dialog, 0x47C)), 0);
    AnswerFileDialog(L"ショートカットの作成先", types, nullptr);
    EXPECT_EQ(form.Text(kText1Base + 1), dir + L"Tool.txt.lnk") << "a cancel changes nothing";
}

TEST_F(Choosers, WorkingFolderFromTheFolderBrowser) {
    form.SetText(kText1Base + 3, L"unchanged");
    for (int button : {IDCANCEL, IDOK}) {
        form.Click(kCommand1Base + 2);
        const HWND browser = form.WaitForWindow(L"#32770");
        ASSERT_NE(browser, nullptr);
        HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
        ASSERT_NE(tree, nullptr);
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(TreeView_GetRoot(tree)));  // the desktop
        form.EndDialog(browser, button);
        EXPECT_EQ(form.Text(kText1Base + 3), button == IDOK ? FolderOf(CSIDL_DESKTOPDIRECTORY) : L"unchanged");
    }
}
