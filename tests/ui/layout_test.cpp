// The window as it opens: at the system's DPI (96, 120 or 144 in the CTest runs) pixel for pixel the
// README's picture of it; and what no picture shows: tool tips, each field's naming label, the list's
// entries, the hotkey box's limit and the tab order.
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include "form_driver.h"
#include "ui/form1_controls.h"

namespace {
// Each control with a tool tip, and the label just before it in z-order that names it for screen readers.
const struct { int id; const wchar_t* toolTip; int namedBy; } kControls[] = {
    {kText1Base + 0, L"ショートカットを作成したいファイルを指定します。", kLabel1Base + 0},
    {kCommand1Base + 0, L"このボタンを押して、ファイルを選択します。", 0},
    {kText1Base + 1, L"作成するショートカット名を指定します。", kLabel1Base + 1},
    {kCommand1Base + 1, L"このボタンを押して、ショートカットの保存先を設定します。", 0},
    {kText1Base + 2, L"ショートカットから実行する時のコマンドライン引数を指定します。", kLabel1Base + 2},
    {kText1Base + 3, L"ショートカットから実行する時の作業フォルダを指定します。", kLabel1Base + 3},
    {kCommand1Base + 2, L"このボタンを押して、作業フォルダを指定します。", 0},
    {kCommand3Base + 0, L"アイコンファイルに複数のアイコンが含まれている場合、このボタンを押して前のアイコンを選択出来ます。", 0},
    {kCommand3Base + 1, L"アイコンファイルに複数のアイコンが含まれている場合、このボタンを押して次のアイコンを選択出来ます。", 0},
    {kText1Base + 4, L"ショートカットで使用するアイコンファイルを指定します。", kLabel1Base + 4},
    {kCommand1Base + 3, L"このボタンを押して、アイコンファイルを指定します。", 0},
    {kText2Id, L"ショートカットから実行する時に使用するショートカットキーを指定します。", kLabel1Base + 5},
    {kCombo1Id, L"ショートカットから実行した時の、表示状態を指定します。", kLabel1Base + 8},
    {kText1Base + 5, L"ショートカットのコメントを指定します。", kLabel1Base + 7},
    {kCommand2Base + 0, L"ショートカットを作成します。", 0},
    {kCommand2Base + 1, L"終了します。", 0},
};

std::wstring ToolTipOf(HWND form, HWND control) {
    wchar_t text[1024] = {};
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = form;
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
    RunningForm form(L"C:\\windows\\notepad.exe");
    SetForegroundWindow(form.form());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == form.form(); }));
    RedrawWindow(form.form(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // what is still to paint
    RECT window;
    GetWindowRect(form.form(), &window);
    GUITHREADINFO caret = {};
    caret.cbSize = sizeof caret;
    GetGUIThreadInfo(GetWindowThreadProcessId(form.form(), nullptr), &caret);
    MapWindowPoints(caret.hwndCaret, nullptr, reinterpret_cast<POINT*>(&caret.rcCaret), 2);
    const int width = window.right - window.left, height = window.bottom - window.top;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP shot = CreateCompatibleBitmap(screen, width, height);
    SelectObject(memory, shot);
    BitBlt(memory, 0, 0, width, height, screen, window.left, window.top, SRCCOPY);
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
                const POINT at = {window.left + x, window.top + y};
                differ += ((a.GetValue() ^ b.GetValue()) & 0xFFFFFF) && !PtInRect(&caret.rcCaret, at);
            }
        }
    }
    Gdiplus::GdiplusShutdown(gdiplus);
    DeleteObject(shot);
    EXPECT_EQ(differ, 0) << "pixels differ at " << dpi << " dpi";
}

TEST(Layout, ToolTipsLabelsListAndTabOrder) {
    RunningForm form;
    for (const auto& c : kControls) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(ToolTipOf(form.form(), form.Control(c.id)), c.toolTip);
        if (c.namedBy) {
            EXPECT_EQ(GetDlgCtrlID(GetWindow(form.Control(c.id), GW_HWNDPREV)), c.namedBy);
        }
    }
    EXPECT_EQ(SendMessageW(form.Control(kText2Id), EM_GETLIMITTEXT, 0, 0), 1);
    const HWND combo = form.Control(kCombo1Id);
    EXPECT_EQ(GetWindowLongW(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(ListEntries(combo), (std::vector<std::wstring>{L"通常のウインドウ", L"最小化", L"最大化"}));
    EXPECT_EQ(form.Focus(), form.Control(kText1Base + 0));
    const int order[] = {kText1Base + 1,    kText1Base + 2,    kText1Base + 3,    kText1Base + 4,    kText2Id,
                         kCombo1Id,         kText1Base + 5,    kCommand2Base + 0, kCommand2Base + 1, kCommand1Base + 0,
                         kCommand1Base + 1, kCommand1Base + 2, kCommand1Base + 3, kText1Base + 0};  // "<" ">" disabled
    for (int id : order) {
        form.PressKey(VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return form.Focus() == form.Control(id); }, 5000)) << "to " << id;
    }
}
