// Start-up with a command-line target: every double quote removed, the rest taken as one path.
#include <gtest/gtest.h>

#include "form_driver.h"
#include "ui/form1_controls.h"

namespace {
struct Fields {
    std::wstring target, link, arguments, folder, icon, comment;
};

Fields FieldsOf(const RunningForm& form) {
    return {form.Text(kText1Base + 0), form.Text(kText1Base + 1), form.Text(kText1Base + 2),
            form.Text(kText1Base + 3), form.Text(kText1Base + 4), form.Text(kText1Base + 5)};
}

void ExpectFields(const std::wstring& arguments, const Fields& expected) {
    SCOPED_TRACE(arguments);
    RunningForm form(arguments);
    ASSERT_NE(form.form(), nullptr);
    const Fields got = FieldsOf(form);
    EXPECT_EQ(got.target, expected.target);
    EXPECT_EQ(got.link, expected.link);
    EXPECT_EQ(got.arguments, expected.arguments);
    EXPECT_EQ(got.folder, expected.folder);
    EXPECT_EQ(got.icon, expected.icon);
    EXPECT_EQ(got.comment, expected.comment);
    EXPECT_EQ(WindowText(form.Control(kCombo1Id)), L"通常のウインドウ");
    EXPECT_EQ(form.Focus(), form.Control(kText1Base + 0));
}
}  // namespace

TEST(StartUp, WithoutArgumentEveryFieldIsEmpty) {
    ExpectFields(L"", {L"", L"", L"", L"", L"", L""});
}

TEST(StartUp, QuotedTargetFillsFiveFields) {
    const std::wstring path = L"C:\\Program Files\\Tools\\app.exe";
    ExpectFields(L"\"" + path + L"\"",
                 {path, path + L".lnk", L"", L"C:\\Program Files\\Tools\\", path, L"app.exeを開きます。"});
}

TEST(StartUp, QuotesAnywhereAreRemovedAndTwoPathsMakeOne) {
    ExpectFields(L"C:\\a\"b\\c.exe", {L"C:\\ab\\c.exe", L"C:\\ab\\c.exe.lnk", L"", L"C:\\ab\\", L"C:\\ab\\c.exe",
                                      L"c.exeを開きます。"});
    const std::wstring both = L"C:\\x y\\a.exe C:\\b.exe";
    ExpectFields(L"\"C:\\x y\\a.exe\" \"C:\\b.exe\"", {both, both + L".lnk", L"", L"C:\\x y\\a.exe C:\\", both,
                                                         L"b.exeを開きます。"});
}

TEST(StartUp, PathWithoutBackslashAndPathEndingInOne) {
    ExpectFields(L"app.exe", {L"app.exe", L"app.exe.lnk", L"", L"", L"app.exe", L"app.exeを開きます。"});
    ExpectFields(L"C:\\Tools\\", {L"C:\\Tools\\", L"C:\\Tools\\.lnk", L"", L"C:\\Tools\\", L"C:\\Tools\\",
                                  L"を開きます。"});
}

TEST(StartUp, JapaneseTargetOnTheCommandLine) {
    const std::wstring path = L"C:\\ツール\\表計算.exe";
    ExpectFields(path, {path, path + L".lnk", L"", L"C:\\ツール\\", path, L"表計算.exeを開きます。"});
}
