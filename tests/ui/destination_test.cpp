// The destination menu, entry by entry through the menu's own command messages: beside the target,
// the five special folders with the paths the system gives, and the save dialog with its ".lnk" rule.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "../win32/win32_test_support.h"
#include "form_driver.h"
#include "ui/form1_controls.h"

namespace {

std::wstring FolderOf(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return L"";
    std::wstring folder = path;
    return folder.back() == L'\\' ? folder : folder + L'\\';
}

}  // namespace

class DestinationMenu : public RealFiles {
protected:
    RunningForm form;

    std::wstring Choose(int menuId) {
        SendMessageW(form.form(), WM_COMMAND, MAKEWPARAM(menuId, 0), 0);
        return form.Text(kText1Base + 1);
    }

    // Opens the save dialog of "ユーザー指定(&U)" and returns it, the menu's command still pending.
    HWND OpenSaveDialog() {
        PostMessageW(form.form(), WM_COMMAND, MAKEWPARAM(kMenuFolderSetBase + 1, 0), 0);
        return form.WaitForMessageBox(L"ショートカットの作成先");
    }
};

TEST_F(DestinationMenu, BesideTheTarget) {
    form.SetText(kText1Base + 0, L"C:\\Tools\\app.exe");
    EXPECT_EQ(Choose(kMenuFolderSetBase + 0), L"C:\\Tools\\app.exe.lnk");
    form.SetText(kText1Base + 0, L"");
    EXPECT_EQ(Choose(kMenuFolderSetBase + 0), L".lnk");
}

TEST_F(DestinationMenu, SpecialFoldersWithTheCaretAtTheEnd) {
    const struct {
        int index;
        std::wstring folder;
    } folders[] = {
        {0, FolderOf(CSIDL_PROGRAMS)},
        {1, FolderOf(CSIDL_DESKTOPDIRECTORY)},
        {2, FolderOf(CSIDL_STARTUP)},
        {3, FolderOf(CSIDL_APPDATA) + L"Microsoft\\Internet Explorer\\Quick Launch\\"},
        {4, FolderOf(CSIDL_SENDTO)},
    };
    for (const auto& target : {std::wstring(L"C:\\Tools\\app.exe"), std::wstring(L"app.exe")}) {
        form.SetText(kText1Base + 0, target);
        for (const auto& f : folders) {
            SCOPED_TRACE(f.index);
            ASSERT_GT(f.folder.size(), 3u);
            const std::wstring path = Choose(kMenuSpecialFolderSetBase + f.index);
            EXPECT_EQ(path, f.folder + L"app.exe.lnk");
            const auto selection = static_cast<DWORD>(SendMessageW(form.Control(kText1Base + 1), EM_GETSEL, 0, 0));
            EXPECT_EQ(LOWORD(selection), path.size());
            EXPECT_EQ(HIWORD(selection), path.size());
        }
    }
    form.SetText(kText1Base + 0, L"");
    EXPECT_EQ(Choose(kMenuSpecialFolderSetBase + 1), FolderOf(CSIDL_DESKTOPDIRECTORY) + L".lnk");
}

TEST_F(DestinationMenu, SaveDialogProposesTheNameAndAddsLnkWhereMissing) {
    form.SetText(kText1Base + 0, L"C:\\Tools\\app.exe");
    struct Case {
        std::wstring typed, expected;
    };
    for (const Case& c : {Case{dir + L"Tool", dir + L"Tool.lnk"}, Case{dir + L"Tool.LNK", dir + L"Tool.LNK"},
                          Case{dir + L"Tool.Lnk", dir + L"Tool.Lnk"}, Case{dir + L"Tool.txt", dir + L"Tool.txt.lnk"}}) {
        HWND dialog = OpenSaveDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(WindowText(FileDialogNameBox(dialog)), L"app.exe.lnk");
        HWND types = GetDlgItem(dialog, 0x470);
        ASSERT_EQ(SendMessageW(types, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(SendMessageW(types, CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(ComboItem(types, 0), L"ショートカット(*.lnk)");
        EXPECT_EQ(ComboItem(types, 1), L"全てのファイル(*.*)");
        form.AnswerFileDialog(dialog, &c.typed);
        EXPECT_EQ(form.Text(kText1Base + 1), c.expected);
    }
    HWND dialog = OpenSaveDialog();
    ASSERT_NE(dialog, nullptr);
    form.AnswerFileDialog(dialog, nullptr);
    EXPECT_EQ(form.Text(kText1Base + 1), dir + L"Tool.txt.lnk") << "a cancel changes nothing";
}

TEST_F(DestinationMenu, SaveDialogOpensForATargetNameItCannotTake) {
    // Longer than the dialog's name box holds: the dialog opens with an empty name, not a name cut short.
    form.SetText(kText1Base + 0, L"C:\\Tools\\" + std::wstring(300, L'a') + L".exe");
    HWND dialog = OpenSaveDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(FileDialogNameBox(dialog)), L"");
    form.AnswerFileDialog(dialog, nullptr);
}
