// The hotkey box key by key: digits and letters (either case) show as the upper-case key, every other
// character key empties it, nothing is pasted with Ctrl+V, and Delete edits as in any box.
#include <gtest/gtest.h>

#include "shared_form.h"
#include "ui/form1_controls.h"

class HotKeyBox : public SharedFormTest {
protected:
    HWND box() const { return form->Control(kText2Id); }

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
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 4 * sizeof(wchar_t));
    wcscpy(static_cast<wchar_t*>(GlobalLock(text)), L"Q");
    GlobalUnlock(text);
    SetClipboardData(CF_UNICODETEXT, text);
    CloseClipboard();
    Type(L'7');
    EXPECT_EQ(Type(L'\x16'), L"");  // Ctrl+V
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
