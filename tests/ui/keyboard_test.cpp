// The window with the keyboard alone: the focus comes back to the control that had it after every modal
// window and the destination menu (a visit to another program leaves and comes back the same way); the
// destination menu opens at the mouse pointer, wherever that is, as it does for a click.
#include <gtest/gtest.h>

#include <functional>

#include "window_test.h"

class KeyboardUser : public WindowTest {
protected:
    static constexpr POINT kPointer = {37, 23};
    bool FocusComesTo(int id) const { return WaitUntil([&] { return window.Focus() == window.Control(id); }, 5000); }
};

TEST_F(KeyboardUser, FocusComesBackToTheButtonAfterEachModalWindow) {
    // What Space on each button opens, and how it is closed.
    const struct { const char* what; int button; std::function<void()> close; } modals[] = {
        {"message box after 作成", kCreateButtonId, [this] { window.EndDialog(window.WaitForWindow(L"#32770", L"失敗")); }},
        {"open dialog", kTargetChooserId, [this] { window.EndDialog(window.WaitForWindow(L"#32770"), IDCANCEL); }},
        {"folder browser", kWorkingFolderChooserId, [this] { window.EndDialog(window.WaitForWindow(L"#32770"), IDCANCEL); }},
        {"destination menu, at the pointer", kDestinationButtonId, [this] {
             const HWND menu = window.WaitForWindow(L"#32768");
             RECT place;
             GetWindowRect(menu, &place);
             EXPECT_EQ(std::pair(place.left, place.top), std::pair(kPointer.x, kPointer.y));
             window.PressKey(VK_ESCAPE);
             WaitUntil([menu] { return !IsWindowVisible(menu); });
         }},
        {"save dialog from the destination menu", kDestinationButtonId, [this] {
             ASSERT_NE(window.WaitForWindow(L"#32768"), nullptr);
             window.PressKey('U');  // ユーザー指定(&U)
             window.EndDialog(window.WaitForWindow(L"#32770", L"ショートカットの作成先"), IDCANCEL);
         }},
    };
    SetCursorPos(kPointer.x, kPointer.y);  // away from the button
    for (const auto& modal : modals) {
        SCOPED_TRACE(modal.what);
        ASSERT_TRUE(window.TabTo(modal.button));
        for (int time = 1; time <= 2; ++time) {  // and Space presses the button again
            window.PressKey(VK_SPACE);
            modal.close();
            EXPECT_TRUE(FocusComesTo(modal.button)) << "time " << time;
        }
    }
}

// A control disabled while the window was left (">" once the icon file is cleared) cannot take the
// focus back: the next one in Tab order takes it, around to the target box.
TEST_F(KeyboardUser, FocusGoesOnWhenItsControlWasDisabledMeanwhile) {
    window.SetText(kIconFileBoxId, WindowsPathFromEnvironment("VANTORELLE_ICO"));
    ASSERT_TRUE(window.TabTo(kNextIconButtonId));
    PostMessageW(window.hwnd(), WM_COMMAND, kCreateButtonId, 0);  // 作成, the focus staying on ">"
    const HWND box = window.WaitForWindow(L"#32770", L"失敗");
    window.SetText(kIconFileBoxId, L"");
    window.EndDialog(box);
    EXPECT_TRUE(FocusComesTo(kTargetBoxId));
}
