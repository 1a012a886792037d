// Start-up: the argument text fills the fields from one path (every double quote removed), in a window of
// the test's own and in Vantorelle.exe itself, which takes it from its command line and ends with 終了.
#include <gtest/gtest.h>

#include "window_test.h"

TEST(StartUp, ArgumentTextFillsTheFieldsFromOnePath) {
    const std::wstring both = L"C:\\x y\\a.exe C:\\b.exe", sheet = L"C:\\ツール\\表計算.exe";
    const struct { std::wstring arguments; std::vector<std::wstring> fields; bool program = false; } cases[] = {
        {L"", {L"", L"", L"", L"", L"", L""}},
        {L"\"C:\\x y\\a.exe\" C:\\\"b.exe\"", {both, both + L".lnk", L"", L"C:\\x y\\a.exe C:\\", both, L"b.exeを開きます。"}},
        {L"app.exe", {L"app.exe", L"app.exe.lnk", L"", L"", L"app.exe", L"app.exeを開きます。"}},
        {L"C:\\Tools\\", {L"C:\\Tools\\", L"C:\\Tools\\.lnk", L"", L"C:\\Tools\\", L"C:\\Tools\\", L"を開きます。"}},
        {L"\"" + sheet + L"\"", {sheet, sheet + L".lnk", L"", L"C:\\ツール\\", sheet, L"表計算.exeを開きます。"}, true},
    };
    for (const auto& c : cases) {
        RunningWindow window(c.arguments, c.program);
        EXPECT_EQ(FieldsOf(window), c.fields);
        EXPECT_EQ(window.Focus(), window.Control(kTargetBoxId));
        if (!c.program) continue;
        window.Click(kExitButtonId);
        EXPECT_TRUE(window.Ended()) << "the exit button left the program running";
    }
}
