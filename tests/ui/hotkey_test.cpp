// The hotkey box: a digit or a letter shows as its upper-case key, any other character empties the box,
// a paste shows what typing its first character would (nothing without text), and Enter, Esc and
// Delete edit the box alone.
#include <gtest/gtest.h>

#include "window_test.h"

class HotKeyBox : public WindowTest {
protected:
    HWND box() const { return form.Control(kText2Id); }

    // A character as the keyboard's translation delivers it; returns what the box shows then.
    std::wstring Type(wchar_t character) const {
        SendMessageW(box(), WM_CHAR, character, 1);
        return WindowText(box());
    }
};

TEST_F(HotKeyBox, TypedCharacters) {
    const struct { wchar_t typed; const wchar_t* shown; } keys[] = {
        {L'5', L"5"}, {L'K', L"K"}, {L'a', L"A"}, {L'z', L"Z"}, {L'0', L"0"}, {L'9', L"9"}, {L'`', L""}, {L'\b', L""},
        {L' ', L""}, {L'-', L""}, {L'@', L""}, {L'[', L""}, {L'{', L""}, {L'\r', L""}, {L'\x1B', L""}, {L'あ', L""},
        {L'ｱ', L""}, {L'\x16', L""}};  // the last is Ctrl+V
    for (const auto& key : keys) {
        Type(L'7');
        EXPECT_EQ(Type(key.typed), key.shown) << "character " << static_cast<int>(key.typed);
    }
}

TEST_F(HotKeyBox, PasteShowsWhatTypingWould) {
    const struct { const char* how; std::function<void()> paste; } ways[] = {
        {"context menu", [this] { SendMessageW(box(), WM_PASTE, 0, 0); }},
        {"Shift+Insert", [this] {
             form.TabTo(kText2Id);
             form.PressKey(VK_INSERT, VK_SHIFT);
             WaitUntil([this] { return WindowText(box()) != L"7"; }, 5000);
         }},
    };
    for (const auto& way : ways) {
        for (const auto& [clipboard, shown] : {std::pair{L"k", L"K"}, {L"-", L""}, {L"あ", L""}, {L"b2", L"B"}}) {
            PutOnClipboard(CF_UNICODETEXT, clipboard);
            Type(L'7');
            way.paste();
            EXPECT_EQ(WindowText(box()), shown) << way.how << ", pasting " << clipboard[0] + 0;
        }
    }
    // A file list holds no text: the box keeps its key, and the clipboard is left free for other programs.
    PutOnClipboard(CF_HDROP, std::wstring(L"C:\\a.exe") + L'\0');
    Type(L'7');
    SendMessageW(box(), WM_PASTE, 0, 0);
    EXPECT_EQ(WindowText(box()), L"7");
    EXPECT_TRUE(OpenClipboard(nullptr) && CloseClipboard());
}

TEST_F(HotKeyBox, EnterEscAndDeleteEditTheBoxAndPressNoButton) {
    form.TabTo(kText2Id);
    for (WORD key : {VK_RETURN, VK_ESCAPE, VK_DELETE}) {
        Type(L'7');
        SendMessageW(box(), EM_SETSEL, 0, 0);
        form.PressKey(key);
        EXPECT_TRUE(WaitUntil([this] { return WindowText(box()).empty(); }, 5000)) << "key " << key;
        EXPECT_EQ(form.WaitForWindow(L"#32770", nullptr, 300), nullptr) << "a button was pressed";
    }
}
