// The window as it opens, at the system's DPI (96, 120 or 144 in the CTest runs): every control's place
// and size, caption, tool tip and naming label, the initial state and the tab order.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "form_driver.h"
#include "ui/form1_controls.h"

namespace {
struct Expected {
    int id;
    int x, y, width, height;  // pixels of the client area at 96 DPI; a label may be larger, to show its caption
    const wchar_t* caption;   // the text it opens with
    const wchar_t* toolTip;
    int namedBy;  // the label just before the field in z-order, which names it for screen readers
};

const Expected kLayout[] = {
    {kLabel1Base + 0, 8, 8, 160, 12, L"ショートカットを作りたいファイル", L"", 0},
    {kText1Base + 0, 8, 24, 373, 18, L"", L"ショートカットを作成したいファイルを指定します。", kLabel1Base + 0},
    {kCommand1Base + 0, 384, 24, 17, 17, L"...", L"このボタンを押して、ファイルを選択します。", 0},
    {kLabel1Base + 1, 8, 56, 112, 12, L"作成するショートカット", L"", 0},
    {kText1Base + 1, 8, 72, 373, 18, L"", L"作成するショートカット名を指定します。", kLabel1Base + 1},
    {kCommand1Base + 1, 384, 72, 17, 17, L"...", L"このボタンを押して、ショートカットの保存先を設定します。", 0},
    {kLabel1Base + 2, 8, 112, 69, 12, L"コマンドライン", L"", 0},
    {kLabel1Base + 3, 104, 112, 81, 12, L"作業ディレクトリ", L"", 0},
    {kText1Base + 2, 8, 128, 77, 18, L"", L"ショートカットから実行する時のコマンドライン引数を指定します。", kLabel1Base + 2},
    {kText1Base + 3, 104, 128, 277, 18, L"", L"ショートカットから実行する時の作業フォルダを指定します。", kLabel1Base + 3},
    {kCommand1Base + 2, 384, 128, 17, 17, L"...", L"このボタンを押して、作業フォルダを指定します。", 0},
    {kLabel1Base + 4, 8, 152, 82, 12, L"アイコンファイル", L"", 0},
    {kPicture1Id, 24, 168, 40, 40, L"", L"", 0},
    {kCommand3Base + 0, 8, 192, 17, 17, L"<",
     L"アイコンファイルに複数のアイコンが含まれている場合、このボタンを押して前のアイコンを選択出来ます。", 0},
    {kCommand3Base + 1, 64, 192, 17, 17, L">",
     L"アイコンファイルに複数のアイコンが含まれている場合、このボタンを押して次のアイコンを選択出来ます。", 0},
    {kText1Base + 4, 104, 192, 277, 18, L"", L"ショートカットで使用するアイコンファイルを指定します。", kLabel1Base + 4},
    {kCommand1Base + 3, 384, 192, 17, 17, L"...", L"このボタンを押して、アイコンファイルを指定します。", 0},
    {kLabel1Base + 5, 8, 216, 90, 12, L"ショートカットキー", L"", 0},
    {kLabel1Base + 8, 216, 216, 48, 12, L"表示状態", L"", 0},
    {kLabel1Base + 6, 8, 236, 58, 12, L"Ctrl + Alt +", L"", 0},
    {kText2Id, 72, 232, 17, 18, L"", L"ショートカットから実行する時に使用するショートカットキーを指定します。", kLabel1Base + 5},
    {kCombo1Id, 216, 232, 185, 20, L"通常のウインドウ", L"ショートカットから実行した時の、表示状態を指定します。", kLabel1Base + 8},
    {kLabel1Base + 7, 8, 256, 37, 12, L"コメント", L"", 0},
    {kText1Base + 5, 8, 272, 389, 18, L"", L"ショートカットのコメントを指定します。", kLabel1Base + 7},
    {kCommand2Base + 0, 232, 296, 81, 33, L"作成", L"ショートカットを作成します。", 0},
    {kCommand2Base + 1, 320, 296, 81, 33, L"終了", L"終了します。", 0},
};

RECT PlaceOf(HWND form, HWND control) {
    RECT box;
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&box), 2);
    return box;
}

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

TEST(Layout, EveryControlAtItsPlaceWithItsCaptionToolTipAndLabel) {
    RunningForm form;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const auto scaled = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
    EXPECT_EQ(WindowText(form.form()), L"Vantorelle");
    RECT client;
    GetClientRect(form.form(), &client);
    EXPECT_EQ(client.right, scaled(410)) << "at " << dpi << " dpi";
    EXPECT_EQ(client.bottom, scaled(337));
    const LONG style = GetWindowLongW(form.form(), GWL_STYLE);
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_SYSMENU);
    EXPECT_EQ(GetMenu(form.form()), nullptr);
    for (const Expected& e : kLayout) {
        SCOPED_TRACE(e.id);
        const bool label = e.id >= kLabel1Base && e.id < kLabel1Base + kLabel1Count;
        const HWND control = form.Control(e.id);
        ASSERT_NE(control, nullptr);
        const RECT box = PlaceOf(form.form(), control);
        EXPECT_EQ(box.left, scaled(e.x));
        EXPECT_EQ(box.top, scaled(e.y));
        EXPECT_GE(box.right - box.left, scaled(e.width));
        EXPECT_GE(box.bottom - box.top, scaled(e.height));
        if (!label) {
            EXPECT_EQ(box.right - box.left, scaled(e.width));
            EXPECT_EQ(box.bottom - box.top, scaled(e.height));
        }
        for (const Expected& other : kLayout) {
            RECT both, otherBox = PlaceOf(form.form(), form.Control(other.id));
            EXPECT_TRUE(!label || other.id == e.id || !IntersectRect(&both, &box, &otherBox)) << "covers " << other.id;
        }
        EXPECT_EQ(form.Text(e.id), e.caption);  // the boxes open empty
        EXPECT_EQ(ToolTipOf(form.form(), control), e.toolTip);
        if (e.namedBy) {
            EXPECT_EQ(GetDlgCtrlID(GetWindow(control, GW_HWNDPREV)), e.namedBy);
        }
        EXPECT_EQ(form.Enabled(e.id), e.id != kCommand3Base + 0 && e.id != kCommand3Base + 1);
    }
    EXPECT_EQ(SendMessageW(form.Control(kText2Id), EM_GETLIMITTEXT, 0, 0), 1);
    const HWND combo = form.Control(kCombo1Id);
    EXPECT_EQ(GetWindowLongW(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(ListEntries(combo), (std::vector<std::wstring>{L"通常のウインドウ", L"最小化", L"最大化"}));
}

TEST(Layout, TabOrderStartsAtTheTargetField) {
    RunningForm form;
    EXPECT_EQ(form.Focus(), form.Control(kText1Base + 0));
    const int order[] = {kText1Base + 1,    kText1Base + 2,    kText1Base + 3,    kText1Base + 4,    kText2Id,
                         kCombo1Id,         kText1Base + 5,    kCommand2Base + 0, kCommand2Base + 1, kCommand1Base + 0,
                         kCommand1Base + 1, kCommand1Base + 2, kCommand1Base + 3, kText1Base + 0};  // "<" ">" disabled
    for (int id : order) {
        form.PressKey(VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return form.Focus() == form.Control(id); }, 5000)) << "to " << id;
    }
}
