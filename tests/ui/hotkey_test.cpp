// The hotkey box: a digit or a letter, typed or pasted (a paste is the typing of its first character),
// shows as its upper-case key and any other character empties the box; a paste without text changes
// nothing; Enter, Esc and Delete edit the box and press no button.
#include <gtest/gtest.h>

#include "window_test.h"

using HotKeyBox = WindowTest;

TEST_F(HotKeyBox, TypedPastedAndEditingKeys) {
    const HWND box = window.Control(kHotKeyBoxId);
    const auto after7 = [&](UINT message, wchar_t typed) {
        SendMessageW(box, WM_CHAR, L'7', 1);
        SendMessageW(box, message, typed, 1);
        return WindowText(box);
    };
    // The ends of the ranges and their neighbours, and characters of other kinds (the last is Ctrl+V).
    const struct { const wchar_t* text; const wchar_t* key; } characters[] = {
        {L"0", L"0"}, {L"9", L"9"}, {L"A", L"A"}, {L"Z", L"Z"}, {L"a", L"A"}, {L"z9", L"Z"}, {L"/", L""}, {L":", L""},
        {L"@", L""}, {L"[", L""}, {L"`", L""}, {L"{", L""}, {L" ", L""}, {L"\r", L""}, {L"\x1B", L""}, {L"\b", L""},
        {L"あ", L""}, {L"ｱ", L""}, {L"\x16", L""}};
    for (const auto& c : characters) {
        EXPECT_EQ(after7(WM_CHAR, c.text[0]), c.key) << "typed " << +c.text[0];
        PutOnClipboard(CF_UNICODETEXT, c.text);
        EXPECT_EQ(after7(WM_PASTE, 0), c.key) << "pasted " << +c.text[0];
    }
    ASSERT_TRUE(window.TabTo(kHotKeyBoxId));
    PutOnClipboard(CF_UNICODETEXT, L"k");
    window.PressKey(VK_INSERT, VK_SHIFT);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(box) == L"K"; }, 5000)) << "Shift+Insert";
    // A file list holds no text: the box keeps its key, and the clipboard is left free for other programs.
    PutOnClipboard(CF_HDROP, std::wstring(L"C:\\a.exe") + L'\0');
    EXPECT_EQ(after7(WM_PASTE, 0), L"7");
    EXPECT_TRUE(OpenClipboard(nullptr) && CloseClipboard()) << "the clipboard was left open";
    for (WORD key : {VK_RETURN, VK_ESCAPE, VK_DELETE}) {
        after7(EM_SETSEL, 0);  // the 7 selected
        window.PressKey(key);
        EXPECT_TRUE(WaitUntil([&] { return WindowText(box).empty(); }, 5000)) << "key " << key;
        EXPECT_EQ(window.WaitForWindow(L"#32770", nullptr, 300), nullptr) << "a button was pressed";
    }
}
