// The window with the keyboard alone: the focus comes back to the control that had it after every modal
// window, the destination menu and a visit to another program, and the destination menu opens at its
// button from the keyboard (at the pointer from the mouse).
#include <gtest/gtest.h>

#include <functional>

#include "shared_form.h"
#include "ui/form1_controls.h"

class KeyboardUser : public SharedFormTest {
protected:
    // Tabs to a control, as a keyboard user reaches it.
    void TabTo(int id) const {
        for (int i = 0; i < 30 && form->Focus() != form->Control(id); ++i) form->PressTab();
        ASSERT_EQ(form->Focus(), form->Control(id));
    }

    // Waits until the focus is on a control, for at most 5 seconds; returns where it is.
    HWND AwaitFocus(int id) const {
        for (const DWORD start = GetTickCount(); form->Focus() != form->Control(id) && GetTickCount() - start < 5000;) {
            Sleep(10);
        }
        return form->Focus();
    }

    static void WaitUntilClosed(HWND window) {
        for (const DWORD start = GetTickCount(); IsWindow(window) && GetTickCount() - start < 10000;) Sleep(10);
    }

    // Makes a window of this process, another program to the form, the active one, and then the form again.
    void GoAwayAndBack(const std::function<void()>& whileAway) const {
        HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                                     nullptr, nullptr);
        for (HWND active : {other, form->form()}) {
            SetForegroundWindow(active);
            MSG message;
            for (const DWORD start = GetTickCount(); GetForegroundWindow() != active && GetTickCount() - start < 5000;) {
                while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
                Sleep(10);
            }
            EXPECT_EQ(GetForegroundWindow(), active);
            if (active == other) whileAway();
        }
        DestroyWindow(other);
        form->Settle();
    }
};

TEST_F(KeyboardUser, FocusComesBackToTheButtonAfterEachModalWindow) {
    const struct {
        const char* what;
        int button;
        std::function<void()> close;  // closes what Space on the button opened
    } modals[] = {
        {"message box after 作成", kCommand2Base + 0,
         [] {
             HWND box = form->WaitForMessageBox(L"失敗");
             ASSERT_NE(box, nullptr);
             RunningForm::Dismiss(box);
             WaitUntilClosed(box);
         }},
        {"open dialog, cancelled", kCommand1Base + 0,
         [] {
             HWND dialog = form->WaitForMessageBox(L"ショートカット先のファイル選択");
             ASSERT_NE(dialog, nullptr);
             form->AnswerFileDialog(dialog, nullptr);
         }},
        {"folder browser, cancelled", kCommand1Base + 2,
         [] {
             HWND browser = form->WaitForWindow(L"#32770");
             ASSERT_NE(browser, nullptr);
             form->EndDialogWith(browser, IDCANCEL);
         }},
        {"destination menu, dismissed", kCommand1Base + 1,
         [] {
             HWND menu = form->WaitForWindow(L"#32768");
             ASSERT_NE(menu, nullptr);
             form->PressKey(VK_ESCAPE);
             WaitUntilClosed(menu);
         }},
        {"save dialog from the destination menu, cancelled", kCommand1Base + 1,
         [] {
             ASSERT_NE(form->WaitForWindow(L"#32768"), nullptr);
             form->PressKey('U');  // ユーザー指定(&U)
             HWND dialog = form->WaitForMessageBox(L"ショートカットの作成先");
             ASSERT_NE(dialog, nullptr);
             form->AnswerFileDialog(dialog, nullptr);
         }},
    };
    for (const auto& modal : modals) {
        SCOPED_TRACE(modal.what);
        TabTo(modal.button);
        for (int time = 1; time <= 2; ++time) {  // and Space presses the button again
            form->PressKey(VK_SPACE);
            modal.close();
            EXPECT_EQ(AwaitFocus(modal.button), form->Control(modal.button)) << "time " << time;
        }
    }
}

TEST_F(KeyboardUser, FocusComesBackFromAnotherProgram) {
    TabTo(kText1Base + 3);
    GoAwayAndBack([] {});
    EXPECT_EQ(AwaitFocus(kText1Base + 3), form->Control(kText1Base + 3));

    // ">" disabled while the user was away: the focus goes on in Tab order, around to Text1(0).
    form->SetText(kText1Base + 4, WindowsPathFromEnvironment("VANTORELLE_ICO"));
    TabTo(kCommand3Base + 1);
    GoAwayAndBack([] { form->SetText(kText1Base + 4, L""); });
    EXPECT_EQ(AwaitFocus(kText1Base + 0), form->Control(kText1Base + 0));
}

TEST_F(KeyboardUser, DestinationMenuStandsAtItsButtonFromTheKeyboardAndAtThePointerFromTheMouse) {
    SetWindowPos(form->form(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT button;
    GetWindowRect(form->Control(kCommand1Base + 1), &button);
    const struct {
        const char* how;
        std::function<void()> press;
        POINT place;  // of the menu's top-left corner
    } ways[] = {
        {"Space",
         [this] {
             SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 10, GetSystemMetrics(SM_CYSCREEN) - 10);  // far away
             TabTo(kCommand1Base + 1);
             form->PressKey(VK_SPACE);
         },
         {button.left, button.bottom}},
        {"mouse", [] { form->MouseClick(kCommand1Base + 1); },
         {(button.left + button.right) / 2, (button.top + button.bottom) / 2}},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        way.press();
        HWND menu = form->WaitForWindow(L"#32768");
        ASSERT_NE(menu, nullptr);
        RECT shown;
        GetWindowRect(menu, &shown);
        EXPECT_EQ(shown.left, way.place.x);
        EXPECT_EQ(shown.top, way.place.y);
        form->PressKey(VK_ESCAPE);
        WaitUntilClosed(menu);
    }
}
