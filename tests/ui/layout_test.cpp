// The window as it opens: at the system's DPI (96, 120 or 144 in the CTest runs) pixel for pixel the
// README's picture of it; and what no picture shows: tool tips, each field's naming label, the list's
// entries and the tab order.
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include "tools/window_driver.h"
#include "ui/window_layout.h"

namespace {
// Each field, and the label just before it in z-order that names it for screen readers.
const std::pair<int, int> kFieldLabels[] = {
    {kTargetBoxId, kTargetLabelId}, {kShortcutBoxId, kShortcutLabelId}, {kArgumentsBoxId, kArgumentsLabelId},
    {kWorkingFolderBoxId, kWorkingFolderLabelId}, {kIconFileBoxId, kIconFileLabelId}, {kHotKeyBoxId, kHotKeyLabelId},
    {kWindowStateListId, kWindowStateLabelId}, {kCommentBoxId, kCommentLabelId},
};

std::wstring ToolTipOf(HWND window, HWND control) {
    wchar_t text[1024] = {};
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageW(FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr), TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
    return text;
}
}  // namespace

// The pictures (made by tools/screenshot and tools/screenshot-dpi) are of code page 932's fonts; the
// text caret, which blinks, is left out.
TEST(Layout, WindowIsTheReadmePictureOfIt) {
    if (GetACP() != 932) GTEST_SKIP() << "the pictures show code page 932";
    const int dpi = GetDpiForSystem();
    const std::wstring path = WindowsPathFromEnvironment("VANTORELLE_DOCS") +
                              (dpi == 96 ? L"\\screenshot.png" : L"\\dpi-" + std::to_wstring(dpi) + L".png");
    RunningWindow window(L"C:\\windows\\notepad.exe");
    SetForegroundWindow(window.hwnd());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window.hwnd(); }));
    RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // what is still to paint
    RECT frame;
    GetWindowRect(window.hwnd(), &frame);
    GUITHREADINFO caret = {};
    caret.cbSize = sizeof caret;
    GetGUIThreadInfo(GetWindowThreadProcessId(window.hwnd(), nullptr), &caret);
    MapWindowPoints(caret.hwndCaret, nullptr, reinterpret_cast<POINT*>(&caret.rcCaret), 2);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP shot = CreateCompatibleBitmap(screen, width, height);
    SelectObject(memory, shot);
    BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    ULONG_PTR gdiplus;
    const Gdiplus::GdiplusStartupInput start;
    Gdiplus::GdiplusStartup(&gdiplus, &start, nullptr);
    int differ = 0;
    {
        Gdiplus::Bitmap shown(shot, nullptr), expected(path.c_str());
        ASSERT_EQ(std::pair(expected.GetWidth(), expected.GetHeight()), std::pair(UINT(width), UINT(height))) << dpi << " dpi";
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                Gdiplus::Color a, b;
                shown.GetPixel(x, y, &a);
                expected.GetPixel(x, y, &b);
                const POINT at = {frame.left + x, frame.top + y};
                differ += ((a.GetValue() ^ b.GetValue()) & 0xFFFFFF) && !PtInRect(&caret.rcCaret, at);
            }
        }
    }
    Gdiplus::GdiplusShutdown(gdiplus);
    DeleteObject(shot);
    EXPECT_EQ(differ, 0) << "pixels differ at " << dpi << " dpi";
}

TEST(Layout, ToolTipsLabelsListAndTabOrder) {
    RunningWindow window;
    for (size_t i = 0; i < kControlCount; ++i) {
        if (!kControls[i].toolTip) continue;
        EXPECT_EQ(ToolTipOf(window.hwnd(), window.Control(kControls[i].id)), kControls[i].toolTip) << kControls[i].id;
    }
    for (const auto& [field, label] : kFieldLabels) {
        EXPECT_EQ(WindowText(GetWindow(window.Control(field), GW_HWNDPREV)), window.Text(label));  // by its caption
    }
    const HWND combo = window.Control(kWindowStateListId);
    EXPECT_EQ(GetWindowLongW(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(ListEntries(combo), (std::vector<std::wstring>{L"通常のウインドウ", L"最小化", L"最大化"}));
    const int order[] = {kShortcutBoxId,    kArgumentsBoxId,    kWorkingFolderBoxId,    kIconFileBoxId,    kHotKeyBoxId,
                         kWindowStateListId,         kCommentBoxId,    kCreateButtonId, kExitButtonId, kTargetChooserId,
                         kDestinationButtonId, kWorkingFolderChooserId, kIconFileChooserId, kTargetBoxId};  // "<" ">" disabled
    for (int id : order) {
        window.PressKey(VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return window.Focus() == window.Control(id); }, 5000)) << "to " << id;
    }
}
