// The "..." choosers through their real dialogs: the target and icon files in open dialogs (titles and
// file types as the dialogs show them), the working folder in the shell's folder browser, and cancels
// that change nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include "../win32/win32_test_support.h"
#include "form_driver.h"
#include "ui/form1_controls.h"

namespace {
const wchar_t kTitle[] = L"ショートカット先のファイル選択";

std::vector<std::wstring> FileTypes(HWND dialog) {
    HWND types = GetDlgItem(dialog, 0x470);
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendMessageW(types, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) items.push_back(ComboItem(types, i));
    return items;
}
}  // namespace

class Choosers : public RealFiles {
protected:
    RunningForm form;

    HWND Open(int button, const wchar_t* title) {
        form.Click(kCommand1Base + button);
        return form.WaitForMessageBox(title);
    }

    std::vector<std::wstring> Fields() const {
        std::vector<std::wstring> fields;
        for (int i = 0; i < 6; ++i) fields.push_back(form.Text(kText1Base + i));
        return fields;
    }
};

TEST_F(Choosers, TargetFileFillsTheWindowAndACancelNothing) {
    const std::wstring target = MakeFile(L"tool.exe", 10);
    form.SetText(kText1Base + 2, L"--keep");
    HWND dialog = Open(0, kTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(FileTypes(dialog), std::vector<std::wstring>{L"全てのファイル(*.*)"});
    form.AnswerFileDialog(dialog, &target);
    EXPECT_EQ(Fields(), (std::vector<std::wstring>{target, target + L".lnk", L"--keep", dir, target,
                                                   L"tool.exeを開きます。"}));

    const std::vector<std::wstring> before = Fields();
    dialog = Open(0, kTitle);
    ASSERT_NE(dialog, nullptr);
    form.AnswerFileDialog(dialog, nullptr);
    EXPECT_EQ(Fields(), before);
}

TEST_F(Choosers, IconFileGoesIntoItsFieldOnly) {
    wchar_t own[MAX_PATH];
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    HWND dialog = Open(3, kTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(FileTypes(dialog), (std::vector<std::wstring>{L"アイコンが含まれているファイル(*.ico;*.exe;*.dll)",
                                                            L"アイコン(*.ico)", L"実行ファイル(*.exe)",
                                                            L"ダイナミックリンクライブラリ(*.dll)", L"全てのファイル(*.*)"}));
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, 0x470), CB_GETCURSEL, 0, 0), 0);
    const std::wstring chosen = own;
    form.AnswerFileDialog(dialog, &chosen);
    EXPECT_EQ(form.Text(kText1Base + 4), chosen);
    EXPECT_EQ(form.Text(kText1Base + 0), L"");
    EXPECT_TRUE(form.Enabled(kCommand3Base + 1));

    dialog = Open(3, kTitle);
    ASSERT_NE(dialog, nullptr);
    form.AnswerFileDialog(dialog, nullptr);
    EXPECT_EQ(form.Text(kText1Base + 4), chosen);
}

TEST_F(Choosers, FolderBrowserConfirmedAndCancelled) {
    form.SetText(kText1Base + 3, L"unchanged");
    form.Click(kCommand1Base + 2);
    HWND browser = nullptr;
    for (DWORD start = GetTickCount(); !browser && GetTickCount() - start < 10000; Sleep(20)) browser = form.OtherWindow();
    ASSERT_NE(browser, nullptr);
    form.EndDialogWith(browser, IDCANCEL);
    EXPECT_EQ(form.Text(kText1Base + 3), L"unchanged");

    form.Click(kCommand1Base + 2);
    browser = nullptr;
    for (DWORD start = GetTickCount(); !browser && GetTickCount() - start < 10000; Sleep(20)) browser = form.OtherWindow();
    ASSERT_NE(browser, nullptr);
    HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
    ASSERT_NE(tree, nullptr);
    const auto root = reinterpret_cast<LPARAM>(TreeView_GetRoot(tree));  // the desktop, a file-system folder
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, root);
    form.EndDialogWith(browser, IDOK);
    wchar_t desktop[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop);
    EXPECT_EQ(form.Text(kText1Base + 3), desktop);
}
