// The window tests' fixture.
#include "window_test.h"

std::vector<std::wstring> FieldsOf(const RunningForm& form) {
    std::vector<std::wstring> fields;
    for (int i = 0; i < kText1Count; ++i) fields.push_back(form.Text(kText1Base + i));
    return fields;
}

std::wstring TestProgramPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring WindowTest::Create() const {
    form.Click(kCommand2Base + 0);
    const HWND box = form.WaitForWindow(L"#32770");
    if (!box) return L"no answer";
    const std::wstring caption = WindowText(box);
    const bool done = caption == L"完了";
    EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), done ? L"処理は正常終了しました！" : L"処理は失敗しました！");
    const auto icon = reinterpret_cast<HICON>(SendDlgItemMessageW(box, 0x440, STM_GETICON, 0, 0));  // Wine's icon id
    EXPECT_EQ(icon, LoadIconW(nullptr, done ? IDI_INFORMATION : IDI_WARNING));
    form.EndDialog(box);
    return caption;
}
