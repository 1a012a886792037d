// The hotkey box key by key: digits and letters (either case) show as the upper-case key, every other
// character key empties it, nothing is pasted with Ctrl+V, a paste shows what typing would, and Delete
// edits as in any box.
#include <gtest/gtest.h>

#include <functional>

#include "shared_form.h"
#include "ui/form1_controls.h"

class HotKeyBox : public SharedFormTest {
protected:
    HWND box() const { return form->Control(kText2Id); }

    static void PutOnClipboard(const std::wstring& text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        wcscpy(static_cast<wchar_t*>(GlobalLock(memory)), text.c_str());
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }

    // A typed character, as the keyboard's translation delivers it to the box.
    std::wstring Type(wchar_t character) const {
        SendMessageW(box(), WM_CHAR, character, 1);
        return WindowText(box());
    }
};

TEST_F(HotKeyBox, DigitsAndLettersShowAsTheirKey) {
    EXPECT_EQ(Type(L'5'), L"5");
    EXPECT_EQ(Type(L'K'), L"K");  // replaces the 5
    EXPECT_EQ(Type(L'a'), L"A");
    EXPECT_EQ(Type(L'k'), L"K");
    EXPECT_EQ(Type(L'z'), L"Z");
    EXPECT_EQ(Type(L'0'), L"0");
    EXPECT_EQ(Type(L'9'), L"9");
}

TEST_F(HotKeyBox, EveryOtherCharacterEmptiesTheBox) {
    for (wchar_t key : {L'`', L'\b', L' ', L'-', L'@', L'[', L'{', L'\r', L'\x1B', L'あ', L'ｱ'}) {
        Type(L'7');
        EXPECT_EQ(Type(key), L"") << "character " << static_cast<int>(key);
    }
}

TEST_F(HotKeyBox, CtrlVPastesNothing) {
    PutOnClipboard(L"Q");
    Type(L'7');
    EXPECT_EQ(Type(L'\x16'), L"");  // Ctrl+V
}

// A paste shows what typing its first character shows, in place of what the box held.
TEST_F(HotKeyBox, PasteShowsWhatTypingWould) {
    const struct {
        const wchar_t* clipboard;
        const wchar_t* shown;
    } pastes[] = {{L"k", L"K"}, {L"-", L""}, {L"あ", L""}, {L"b2", L"B"}};
    const struct {
        const char* how;
        std::function<void()> paste;
    } ways[] = {
        {"context menu", [this] { SendMessageW(box(), WM_PASTE, 0, 0); }},
        {"Shift+Insert",
         [this] {
             while (form->Focus() != box()) form->PressTab();
             form->PressKey(VK_INSERT, VK_SHIFT);
             const DWORD start = GetTickCount();
             while (WindowText(box()) == L"7" && GetTickCount() - start < 5000) Sleep(10);
         }},
    };
    for (const auto& way : ways) {
        for (const auto& p : pastes) {
            PutOnClipboard(p.clipboard);
            Type(L'7');
            way.paste();
            EXPECT_EQ(WindowText(box()), p.shown) << way.how << ", pasting " << p.clipboard[0] + 0;
        }
    }
}

TEST_F(HotKeyBox, EnterAndEscReachTheBoxAndPressNoButton) {
    while (form->Focus() != box()) form->PressTab();
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
        Type(L'7');
        form->PressKey(key);
        const DWORD start = GetTickCount();
        while (WindowText(box()) != L"" && GetTickCount() - start < 5000) Sleep(10);
        EXPECT_EQ(WindowText(box()), L"") << "key " << key;
        EXPECT_EQ(form->OtherWindow(), nullptr);
    }
}

TEST_F(HotKeyBox, DeleteRemovesTheCharacterAfterTheCaret) {
    Type(L'D');
    SendMessageW(box(), EM_SETSEL, 0, 0);
    SendMessageW(box(), WM_KEYDOWN, VK_DELETE, 1);
    SendMessageW(box(), WM_KEYUP, VK_DELETE, 0xC0000001);
    EXPECT_EQ(WindowText(box()), L"");
}
