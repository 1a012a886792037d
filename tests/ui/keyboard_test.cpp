// The window with the keyboard alone: the focus comes back to the control that had it after every modal
// window, the destination menu and a visit to another program; the destination menu opens at its button,
// where the user's eyes are, not at the pointer.
#include <gtest/gtest.h>

#include <functional>

#include "window_test.h"

class KeyboardUser : public WindowTest {
protected:
    bool FocusComesTo(int id) const {
        return WaitUntil([&] { return form.Focus() == form.Control(id); }, 5000);
    }
    // Makes a window of the test's own the active one, then the form again.
    void GoAwayAndBack(const std::function<void()>& whileAway) const {
        HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr, nullptr, nullptr);
        for (HWND active : {other, form.form()}) {
            SetForegroundWindow(active);
            EXPECT_TRUE(WaitUntil([active] {
                for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
                return GetForegroundWindow() == active;
            }, 5000));
            if (active == other) whileAway();
        }
        DestroyWindow(other);
        form.Settle();
    }
    void CloseMenu() const {
        const HWND menu = form.WaitForWindow(L"#32768");
        ASSERT_NE(menu, nullptr);
        form.PressKey(VK_ESCAPE);
        WaitUntil([menu] { return !IsWindowVisible(menu); });
    }
};

TEST_F(KeyboardUser, FocusComesBackToTheButtonAfterEachModalWindow) {
    // What Space on each button opens, and how it is closed.
    const struct { const char* what; int button; std::function<void()> close; } modals[] = {
        {"message box after 作成", kCommand2Base + 0, [this] { form.EndDialog(form.WaitForWindow(L"#32770", L"失敗")); }},
        {"open dialog", kCommand1Base + 0, [this] { form.EndDialog(form.WaitForWindow(L"#32770"), IDCANCEL); }},
        {"folder browser", kCommand1Base + 2, [this] { form.EndDialog(form.WaitForWindow(L"#32770"), IDCANCEL); }},
        {"destination menu, at its button", kCommand1Base + 1, [this] {
             RECT button, menu;
             GetWindowRect(form.Control(kCommand1Base + 1), &button);
             GetWindowRect(form.WaitForWindow(L"#32768"), &menu);
             EXPECT_EQ(std::pair(menu.left, menu.top), std::pair(button.left, button.bottom));
             CloseMenu();
         }},
        {"save dialog from the destination menu", kCommand1Base + 1, [this] {
             ASSERT_NE(form.WaitForWindow(L"#32768"), nullptr);
             form.PressKey('U');  // ユーザー指定(&U)
             form.EndDialog(form.WaitForWindow(L"#32770", L"ショートカットの作成先"), IDCANCEL);
         }},
    };
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 10, GetSystemMetrics(SM_CYSCREEN) - 10);  // far from the button
    for (const auto& modal : modals) {
        SCOPED_TRACE(modal.what);
        ASSERT_TRUE(form.TabTo(modal.button));
        for (int time = 1; time <= 2; ++time) {  // and Space presses the button again
            form.PressKey(VK_SPACE);
            modal.close();
            EXPECT_TRUE(FocusComesTo(modal.button)) << "time " << time;
        }
    }
}

TEST_F(KeyboardUser, FocusComesBackFromAnotherProgram) {
    ASSERT_TRUE(form.TabTo(kText1Base + 3));
    GoAwayAndBack([] {});
    EXPECT_TRUE(FocusComesTo(kText1Base + 3));
    // ">" disabled while the user was away: the focus goes on in Tab order, around to Text1(0).
    form.SetText(kText1Base + 4, WindowsPathFromEnvironment("VANTORELLE_ICO"));
    ASSERT_TRUE(form.TabTo(kCommand3Base + 1));
    GoAwayAndBack([this] { form.SetText(kText1Base + 4, L""); });
    EXPECT_TRUE(FocusComesTo(kText1Base + 0));
}
