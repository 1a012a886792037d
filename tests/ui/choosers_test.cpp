// The "..." choosers through their real dialogs and menu: the target and icon files in open dialogs,
// the shortcut path from the destination menu (beside the target, the special folders, a save dialog
// with its ".lnk" rule), the working folder from the folder browser, taken only when its whole path can
// be had; a cancel changes nothing. A file chosen in a dialog makes its folder the current folder.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <filesystem>
#include <shlobj.h>

#include "lnk/text.h"
#include "shell/shell_services.h"
#include "window_test.h"

class Choosers : public WindowTest {
protected:
    static std::wstring FolderOf(int csidl) {
        wchar_t path[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
        return path;
    }
    // Waits for the file dialog that a click or menu entry opened, checks its file types (the first one
    // chosen), the name it proposes and that it hides the read-only box; a name it must refuse (a file
    // or folder that does not exist) is tried first and must leave it open with a warning; then it is
    // answered with a typed name, or cancelled (no name).
    void AnswerFileDialog(const wchar_t* title, const std::vector<std::wstring>& types, const std::wstring& proposed,
                          const std::wstring& typed, const std::wstring& refused = L"") const {
        const HWND dialog = window.WaitForWindow(L"#32770", title);
        ASSERT_NE(dialog, nullptr);
        const HWND list = GetDlgItem(dialog, 0x470);
        EXPECT_EQ(ListEntries(list), types);
        EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, 0x47C)), proposed);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 0x410)));
        if (!refused.empty()) {
            SetDlgItemTextW(dialog, 0x47C, refused.c_str());
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            HWND warning;
            ASSERT_TRUE(WaitUntil([&] {  // the warning, in front, owned by the dialog
                warning = FindWindowExW(nullptr, nullptr, L"#32770", nullptr);
                return GetWindow(warning, GW_OWNER) == dialog;
            }, 5000));
            window.EndDialog(warning);
        }
        const std::wstring folder = typed.substr(0, FileNameStart(typed)), name = typed.substr(folder.size());
        if (!folder.empty()) {  // browsed into first: a full path typed leaves the dialog's folder as it was
            SetDlgItemTextW(dialog, 0x47C, folder.c_str());
            SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        }
        SetDlgItemTextW(dialog, 0x47C, name.c_str());
        window.EndDialog(dialog, typed.empty() ? IDCANCEL : IDOK);
        const std::wstring current = std::filesystem::current_path().wstring() + L"\\";
        EXPECT_TRUE(typed.empty() || current == folder) << current;  // now the chosen file's folder
        std::filesystem::current_path(L"C:\\");  // elsewhere again for the next dialog
    }
};

TEST_F(Choosers, TargetAndIconFilesFromOpenDialogs) {
    const wchar_t title[] = L"ショートカット先のファイル選択";
    const std::wstring target = MakeFile(L"tool.exe", 10), icons = WindowsPathFromEnvironment("VANTORELLE_ICO");
    window.SetText(kArgumentsBoxId, L"--keep");
    for (const std::wstring& typed : {target, std::wstring()}) {
        window.Click(kTargetChooserId);
        AnswerFileDialog(title, {L"全てのファイル(*.*)"}, L"", typed, typed.empty() ? L"" : dir + L"missing.exe");
        EXPECT_EQ(FieldsOf(window), (std::vector<std::wstring>{target, target + L".lnk", L"--keep", dir, target, L"tool.exeを開きます。"}));
    }
    for (const std::wstring& typed : {icons, std::wstring()}) {
        window.Click(kIconFileChooserId);
        AnswerFileDialog(title, {L"アイコンが含まれているファイル(*.ico;*.exe;*.dll)", L"アイコン(*.ico)", L"実行ファイル(*.exe)",
                                 L"ダイナミックリンクライブラリ(*.dll)", L"全てのファイル(*.*)"}, L"", typed);
        EXPECT_EQ(window.Text(kIconFileBoxId), icons);
        EXPECT_EQ(window.Text(kTargetBoxId), target);
        EXPECT_TRUE(window.Enabled(kNextIconButtonId));
    }
}

TEST_F(Choosers, DestinationMenuBesideTheTargetAndInTheSpecialFolders) {
    const std::wstring folders[] = {FolderOf(CSIDL_PROGRAMS), FolderOf(CSIDL_DESKTOPDIRECTORY), FolderOf(CSIDL_STARTUP),
                                    FolderOf(CSIDL_APPDATA) + L"\\Microsoft\\Internet Explorer\\Quick Launch",
                                    FolderOf(CSIDL_SENDTO)};
    for (const std::wstring target : {L"C:\\Tools\\app.exe", L"C:/Tools/app.exe", L"D:app.exe", L"app.exe", L""}) {
        window.SetText(kTargetBoxId, target);
        SendMessageW(window.hwnd(), WM_COMMAND, kBesideTargetEntryId, 0);
        EXPECT_EQ(window.Text(kShortcutBoxId), target + L".lnk");
        for (int i = 0; i < 5; ++i) {
            SendMessageW(window.hwnd(), WM_COMMAND, kProgramsEntryId + i, 0);
            const std::wstring path = window.Text(kShortcutBoxId);
            EXPECT_EQ(path, folders[i] + (target.empty() ? L"\\.lnk" : L"\\app.exe.lnk"));
            const auto caret = static_cast<DWORD>(SendMessageW(window.Control(kShortcutBoxId), EM_GETSEL, 0, 0));
            EXPECT_EQ(caret, MAKELONG(path.size(), path.size())) << "at the end";
        }
    }
}

TEST_F(Choosers, DestinationMenuSaveDialogProposesTheNameAndAddsLnkWhereMissing) {
    const std::wstring app = L"C:\\Tools\\app.exe", longName = L"C:\\Tools\\" + std::wstring(300, L'a') + L".exe";
    const struct { std::wstring target, proposed, typed, shortcut; } cases[] = {
        {app, L"app.exe.lnk", dir + L"Tool", dir + L"Tool.lnk"},
        {app, L"app.exe.lnk", dir + L"Tool.LNK", dir + L"Tool.LNK"},
        {app, L"app.exe.lnk", dir + L"Tool.txt", dir + L"Tool.txt.lnk"},
        {longName, L"", L"", dir + L"Tool.txt.lnk"},  // longer than the name box holds: no name; cancelled
        {longName.substr(0, 261), L"", L"", dir + L"Tool.txt.lnk"},  // 256 with ".lnk": no room for its NUL
    };
    for (const auto& c : cases) {
        window.SetText(kTargetBoxId, c.target);
        PostMessageW(window.hwnd(), WM_COMMAND, kUserChosenEntryId, 0);
        AnswerFileDialog(L"ショートカットの作成先", {L"ショートカット(*.lnk)", L"全てのファイル(*.*)"}, c.proposed, c.typed,
                         &c == cases ? dir + L"nowhere\\Tool" : L"");  // in a folder that does not exist
        EXPECT_EQ(window.Text(kShortcutBoxId), c.shortcut);
    }
}
TEST_F(Choosers, WorkingFolderFromTheFolderBrowser) {
    window.SetText(kWorkingFolderBoxId, L"unchanged");
    for (int button : {IDCANCEL, IDOK}) {
        window.Click(kWorkingFolderChooserId);
        const HWND browser = window.WaitForWindow(L"#32770");
        ASSERT_NE(browser, nullptr);
        HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
        ASSERT_NE(tree, nullptr);
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(TreeView_GetRoot(tree)));  // the desktop
        window.EndDialog(browser, button);
        EXPECT_EQ(window.Text(kWorkingFolderBoxId), button == IDOK ? FolderOf(CSIDL_DESKTOPDIRECTORY) : L"unchanged");
    }
}

// The item-ID list of a folder, the only one in its parent, whose path has more than MAX_PATH
// characters: the shell parses only the parent's path, and the folder is found among its items.
static PIDLIST_ABSOLUTE OnlyFolderIn(const std::wstring& parent) {
    PIDLIST_ABSOLUTE above = nullptr, list = nullptr;
    IShellFolder* folder = nullptr;
    IEnumIDList* items = nullptr;
    PITEMID_CHILD child = nullptr;
    if (SUCCEEDED(SHParseDisplayName(parent.c_str(), nullptr, &above, 0, nullptr)) &&
        SUCCEEDED(SHBindToObject(nullptr, above, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder))) &&
        folder->EnumObjects(nullptr, SHCONTF_FOLDERS, &items) == S_OK && items->Next(1, &child, nullptr) == S_OK) {
        list = ILCombine(above, child);
    }
    ILFree(child);
    if (items) items->Release();
    if (folder) folder->Release();
    ILFree(above);
    return list;
}

// A folder of more than MAX_PATH characters, whose path some systems cut there, is taken only whole:
// at 259 characters it is, at 267 nothing is.
TEST_F(Choosers, FolderPathOnlyWhole) {
    for (const auto& [name, whole] : {std::pair{std::wstring(9, L'w'), true}, {std::wstring(17, L'c'), false}}) {
        const std::wstring parent = dir + name[0] + std::wstring(248 - dir.size(), L'p'), path = parent + L"\\" + name;
        ASSERT_TRUE(std::filesystem::create_directories(L"\\\\?\\" + path));
        const PIDLIST_ABSOLUTE list = OnlyFolderIn(parent);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(FolderPathOf(list), whole ? path : L"") << path.size();
        ILFree(list);
    }
}
