// 作成 through the window on real files: every field reaches the shortcut (the one the writer itself
// makes of the same values), and the two answers; a paste kept up to 32,767 characters, a longer
// comment passed whole to the writer, which refuses it.
#include <gtest/gtest.h>

#include "lnk/platform.h"
#include "lnk/shortcut_builder.h"
#include "window_test.h"

using CreateCommand = WindowTest;

// The window's shortcut is the one the writer itself makes of the fields, with the hotkey and the show
// command that the hotkey box and the list stand for.
TEST_F(CreateCommand, EveryFieldReachesTheShortcutAndAFailureChangesNothing) {
    const std::wstring link = dir + (GetACP() == 932 ? L"アプリ.lnk" : L"Café.lnk");
    window.SetText(kTargetBoxId, MakeFile(L"app.exe", 1234));
    window.SetText(kShortcutBoxId, link);
    window.SetText(kArgumentsBoxId, L"--open \"a b\"");
    window.SetText(kWorkingFolderBoxId, dir);
    window.SetText(kIconFileBoxId, TestProgramPath());
    window.ClickAndWait(kNextIconButtonId);
    window.SetText(kCommentBoxId, GetACP() == 932 ? L"アプリを開きます。" : L"Öffnet die Anwendung.");
    std::vector<std::u16string> f;
    for (const std::wstring& field : FieldsOf(window)) f.emplace_back(field.begin(), field.end());
    const std::wstring direct = dir + L"direct.lnk";
    const struct { const wchar_t* key; int entry; uint32_t hotKey; int32_t show; } keysAndStates[] = {
        {L"K", 2, 'K', 3}, {L"", 0, 0, 1}, {L"7", 1, '7', 2}, {L"a", 0, 'A', 1}, {L"-", 2, 0, 3}, {L"あ", 0, 0, 1}};
    for (const auto& c : keysAndStates) {
        window.SetText(kHotKeyBoxId, c.key);  // set by another program: the box may hold any one character
        SendMessageW(window.Control(kWindowStateListId), CB_SETCURSEL, c.entry, 0);
        ASSERT_EQ(Create(), L"完了");
        const ShortcutRequest same = {.targetPath = f[0], .linkPath = {direct.begin(), direct.end()}, .arguments = f[2],
                                      .workingFolder = f[3], .iconFile = f[4], .iconIndex = 1, .hotKeyCode = c.hotKey,
                                      .showCommand = c.show, .comment = f[5]};
        ASSERT_EQ(BuildShortcut(DefaultLnkPlatform(), same), kBuildSucceeded);
        EXPECT_EQ(ReadAll(link), ReadAll(direct));
    }
    // A paste is taken up to the 32,767 characters a string of the shortcut holds.
    PutOnClipboard(CF_UNICODETEXT, std::wstring(32768, L'p'));
    SendMessageW(window.Control(kCommentBoxId), WM_PASTE, 0, 0);
    EXPECT_EQ(GetWindowTextLengthW(window.Control(kCommentBoxId)), 32767);
    // A comment longer than any fixed buffer reaches the writer whole, which refuses it: the answer is a
    // failure, the fields stay and the shortcut keeps its bytes.
    window.SetText(kCommentBoxId, std::wstring(40000, L'c'));
    EXPECT_EQ(Create(), L"失敗");
    EXPECT_EQ(window.Text(kShortcutBoxId), link);
    EXPECT_EQ(GetWindowTextLengthW(window.Control(kCommentBoxId)), 40000);
    EXPECT_EQ(ReadAll(link), ReadAll(direct));
}
