// The window as it opens: every control's place and size at 96 DPI, captions, tool tips, tab order,
// focus, each field after its label in z-order, frame, and Enter and Esc pressing nothing.
#include <gtest/gtest.h>

#include "shared_form.h"
#include "ui/form1_controls.h"

namespace {

struct Expected {
    int id;
    const wchar_t* name;
    int x, y, width, height;  // pixels of the client area at 96 DPI
    const wchar_t* caption;   // of a label or button
    const wchar_t* toolTip;
};

const Expected kLayout[] = {
    {kLabel1Base + 0, L"Label1(0)", 8, 8, 160, 12, L"ショートカットを作りたいファイル", L""},
    {kText1Base + 0, L"Text1(0)", 8, 24, 373, 18, L"", L"ショートカットを作成したいファイルを指定します。"},
    {kCommand1Base + 0, L"Command1(0)", 384, 24, 17, 17, L"...", L"このボタンを押して、ファイルを選択します。"},
    {kLabel1Base + 1, L"Label1(1)", 8, 56, 112, 12, L"作成するショートカット", L""},
    {kText1Base + 1, L"Text1(1)", 8, 72, 373, 18, L"", L"作成するショートカット名を指定します。"},
    {kCommand1Base + 1, L"Command1(1)", 384, 72, 17, 17, L"...", L"このボタンを押して、ショートカットの保存先を設定します。"},
    {kLabel1Base + 2, L"Label1(2)", 8, 112, 69, 12, L"コマンドライン", L""},
    {kLabel1Base + 3, L"Label1(3)", 104, 112, 81, 12, L"作業ディレクトリ", L""},
    {kText1Base + 2, L"Text1(2)", 8, 128, 77, 18, L"", L"ショートカットから実行する時のコマンドライン引数を指定します。"},
    {kText1Base + 3, L"Text1(3)", 104, 128, 277, 18, L"", L"ショートカットから実行する時の作業フォルダを指定します。"},
    {kCommand1Base + 2, L"Command1(2)", 384, 128, 17, 17, L"...", L"このボタンを押して、作業フォルダを指定します。"},
    {kLabel1Base + 4, L"Label1(4)", 8, 152, 82, 12, L"アイコンファイル", L""},
    {kPicture1Id, L"Picture1", 24, 168, 40, 40, L"", L""},
    {kCommand3Base + 0, L"Command3(0)", 8, 192, 17, 17, L"<", L"アイコンファイルに複数のアイコンが含まれている場合、このボタンを押して前のアイコンを選択出来ます。"},
    {kCommand3Base + 1, L"Command3(1)", 64, 192, 17, 17, L">", L"アイコンファイルに複数のアイコンが含まれている場合、このボタンを押して次のアイコンを選択出来ます。"},
    {kText1Base + 4, L"Text1(4)", 104, 192, 277, 18, L"", L"ショートカットで使用するアイコンファイルを指定します。"},
    {kCommand1Base + 3, L"Command1(3)", 384, 192, 17, 17, L"...", L"このボタンを押して、アイコンファイルを指定します。"},
    {kLabel1Base + 5, L"Label1(5)", 8, 216, 90, 12, L"ショートカットキー", L""},
    {kLabel1Base + 8, L"Label1(8)", 216, 216, 48, 12, L"表示状態", L""},
    {kLabel1Base + 6, L"Label1(6)", 8, 236, 58, 12, L"Ctrl + Alt +", L""},
    {kText2Id, L"Text2", 72, 232, 17, 18, L"", L"ショートカットから実行する時に使用するショートカットキーを指定します。"},
    {kCombo1Id, L"Combo1", 216, 232, 185, 20, L"", L"ショートカットから実行した時の、表示状態を指定します。"},
    {kLabel1Base + 7, L"Label1(7)", 8, 256, 37, 12, L"コメント", L""},
    {kText1Base + 5, L"Text1(5)", 8, 272, 389, 18, L"", L"ショートカットのコメントを指定します。"},
    {kCommand2Base + 0, L"Command2(0)", 232, 296, 81, 33, L"作成", L"ショートカットを作成します。"},
    {kCommand2Base + 1, L"Command2(1)", 320, 296, 81, 33, L"終了", L"終了します。"},
};

RECT ClientRectOf(HWND form, HWND control) {
    RECT box;
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&box), 2);
    return box;
}

bool IsLabel(int id) {
    return id >= kLabel1Base && id < kLabel1Base + kLabel1Count;
}

}  // namespace

using Layout = SharedFormTest;

TEST_F(Layout, WindowIsFixedWithoutMenuOrMinimiseAndMaximiseBoxes) {
    ASSERT_NE(form->form(), nullptr);
    EXPECT_EQ(WindowText(form->form()), L"Vantorelle");
    RECT client;
    GetClientRect(form->form(), &client);
    EXPECT_EQ(client.right, 410);
    EXPECT_EQ(client.bottom, 337);
    const LONG style = GetWindowLongW(form->form(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(GetMenu(form->form()), nullptr);
}

TEST_F(Layout, EveryControlAtItsPlaceAndSize) {
    for (const Expected& e : kLayout) {
        SCOPED_TRACE(e.name);
        HWND control = form->Control(e.id);
        ASSERT_NE(control, nullptr);
        const RECT box = ClientRectOf(form->form(), control);
        EXPECT_EQ(box.left, e.x);
        EXPECT_EQ(box.top, e.y);
        if (IsLabel(e.id)) {  // a label may grow to show its whole caption
            EXPECT_GE(box.right - box.left, e.width);
            EXPECT_GE(box.bottom - box.top, e.height);
        } else {
            EXPECT_EQ(box.right - box.left, e.width);
            EXPECT_EQ(box.bottom - box.top, e.height);
        }
    }
}

TEST_F(Layout, CaptionsAndToolTips) {
    for (const Expected& e : kLayout) {
        SCOPED_TRACE(e.name);
        if (e.caption[0]) {
            EXPECT_EQ(form->Text(e.id), e.caption);
        }
        EXPECT_EQ(form->ToolTipOf(e.id), e.toolTip);
    }
}

TEST_F(Layout, InitialState) {
    for (int i = 0; i < 6; ++i) EXPECT_EQ(form->Text(kText1Base + i), L"");
    EXPECT_EQ(form->Text(kText2Id), L"");
    EXPECT_FALSE(form->Enabled(kCommand3Base + 0));
    EXPECT_FALSE(form->Enabled(kCommand3Base + 1));
    EXPECT_EQ(SendMessageW(form->Control(kText2Id), EM_GETLIMITTEXT, 0, 0), 1);

    HWND combo = form->Control(kCombo1Id);
    EXPECT_EQ(GetWindowLongW(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(WindowText(combo), L"通常のウインドウ");
    for (int entry = 0; entry < 3; ++entry) EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, entry, 0), entry + 1);
}

TEST_F(Layout, TabOrderStartsAtTheTargetField) {
    EXPECT_EQ(form->Focus(), form->Control(kText1Base + 0));
    const int order[] = {kText1Base + 1,    kText1Base + 2,    kText1Base + 3,    kText1Base + 4,
                         kText2Id,          kCombo1Id,         kText1Base + 5,    kCommand2Base + 0,
                         kCommand2Base + 1, kCommand1Base + 0, kCommand1Base + 1, kCommand1Base + 2,
                         kCommand1Base + 3, kText1Base + 0};  // "<" and ">" are disabled
    for (int id : order) EXPECT_EQ(GetDlgCtrlID(form->PressTab()), id);
}

// The accessibility layer names a field by the label just before it in z-order.
TEST_F(Layout, EachFieldComesJustAfterTheLabelThatNamesIt) {
    const struct {
        int field, label;
    } named[] = {
        {kText1Base + 0, kLabel1Base + 0}, {kText1Base + 1, kLabel1Base + 1}, {kText1Base + 2, kLabel1Base + 2},
        {kText1Base + 3, kLabel1Base + 3}, {kText1Base + 4, kLabel1Base + 4}, {kText2Id, kLabel1Base + 5},
        {kCombo1Id, kLabel1Base + 8},      {kText1Base + 5, kLabel1Base + 7},
    };
    for (const auto& n : named) {
        EXPECT_EQ(GetDlgCtrlID(GetWindow(form->Control(n.field), GW_HWNDPREV)), n.label) << "field " << n.field;
    }
}

TEST_F(Layout, EnterAndEscPressNothing) {
    form->SetText(kText1Base + 0, L"C:\\nothing.exe");
    for (int id : {kText1Base + 0, kText1Base + 5}) {
        while (GetDlgCtrlID(form->Focus()) != id) form->PressTab();
        form->PressKey(VK_RETURN);
        form->PressKey(VK_ESCAPE);
        Sleep(500);  // time for a box to open, had a button been pressed
        EXPECT_EQ(form->OtherWindow(), nullptr) << "a button was pressed";
        EXPECT_TRUE(form->Alive());
    }
    EXPECT_EQ(form->Text(kText1Base + 0), L"C:\\nothing.exe");
    form->SetText(kText1Base + 0, L"");
}
