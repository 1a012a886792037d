// Start-up: the argument text fills the fields from one path (every double quote removed); and the
// program itself: its command line and 終了.
#include <gtest/gtest.h>

#include "window_test.h"

TEST(StartUp, ArgumentTextFillsTheFieldsFromOnePath) {
    const std::wstring both = L"C:\\x y\\a.exe C:\\b.exe";
    const struct { std::wstring arguments; std::vector<std::wstring> fields; } cases[] = {
        {L"", {L"", L"", L"", L"", L"", L""}},
        {L"\"C:\\x y\\a.exe\" C:\\\"b.exe\"", {both, both + L".lnk", L"", L"C:\\x y\\a.exe C:\\", both, L"b.exeを開きます。"}},
        {L"app.exe", {L"app.exe", L"app.exe.lnk", L"", L"", L"app.exe", L"app.exeを開きます。"}},
        {L"C:\\Tools\\", {L"C:\\Tools\\", L"C:\\Tools\\.lnk", L"", L"C:\\Tools\\", L"C:\\Tools\\", L"を開きます。"}},
    };
    for (const auto& c : cases) {
        RunningForm form(c.arguments);
        EXPECT_EQ(FieldsOf(form), c.fields);
        EXPECT_EQ(form.Focus(), form.Control(kText1Base + 0));
    }
}

TEST(Program, TakesItsTargetFromTheCommandLineAndEndsWithItsButton) {
    RunningForm program(L"\"C:\\ツール\\表計算.exe\"", true);
    ASSERT_NE(program.form(), nullptr);
    EXPECT_EQ(program.Text(kText1Base + 0), L"C:\\ツール\\表計算.exe");
    EXPECT_EQ(program.Text(kText1Base + 5), L"表計算.exeを開きます。");
    program.Click(kCommand2Base + 1);
    EXPECT_TRUE(program.Ended());
}
