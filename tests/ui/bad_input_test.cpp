// Bad input of every kind through the real window: each gives the right message box, leaves the window
// alive and answering, creates or changes no file but the one asked for, and leaves an existing
// shortcut as it was whenever the answer is a failure.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "../win32/win32_test_support.h"
#include "form_driver.h"
#include "ui/form1_controls.h"

namespace {

struct BadInput {
    const char* what;
    // Prepares files in the folder (ending in a backslash) and returns the texts of Text1(0) to Text1(5).
    std::function<std::vector<std::wstring>(RealFiles& files, const std::wstring& dir)> fields;
    bool succeeds;
};

std::map<std::wstring, std::vector<uint8_t>> Snapshot(const std::wstring& dir) {
    std::map<std::wstring, std::vector<uint8_t>> files;
    for (const std::wstring& name : FolderNames(dir)) files[name] = ReadAll(dir + name);
    return files;
}

std::vector<std::wstring> Fields(const std::wstring& target, const std::wstring& link,
                                 const std::wstring& comment = L"") {
    return {target, link, L"", L"", L"", comment};
}

}  // namespace

class BadInputs : public RealFiles {
protected:
    RunningForm form;

    std::wstring Make(const std::wstring& name) { return MakeFile(name, 10); }
};

TEST_F(BadInputs, EachGivesTheRightAnswerAndTouchesNoOtherFile) {
    const std::wstring unrepresentable = GetACP() == 932 ? L"\x00E9" : L"\x3042";
    const BadInput cases[] = {
        {"every field empty", [](RealFiles&, const std::wstring&) { return Fields(L"", L""); }, false},
        {"blank target", [](RealFiles&, const std::wstring& d) { return Fields(L"   ", d + L"x.lnk"); }, false},
        {"300-character target",
         [](RealFiles&, const std::wstring& d) { return Fields(d + std::wstring(300, L'a') + L".exe", d + L"x.lnk"); },
         false},
        {"40,000-character comment",
         [this](RealFiles&, const std::wstring& d) {
             return Fields(Make(L"app.exe"), d + L"x.lnk", std::wstring(40000, L'c'));
         },
         false},
        {"network target", [](RealFiles&, const std::wstring& d) { return Fields(L"\\\\server\\share\\a.exe", d + L"x.lnk"); }, false},
        {"relative target", [this](RealFiles&, const std::wstring& d) { Make(L"app.exe"); return Fields(L"app.exe", d + L"x.lnk"); }, false},
        {"doubled backslashes",
         [this](RealFiles&, const std::wstring& d) {
             Make(L"app.exe");
             return Fields(d.substr(0, d.size() - 1) + L"\\\\app.exe", d + L"x.lnk");
         },
         false},
        {"forward slashes",
         [this](RealFiles&, const std::wstring& d) {
             std::wstring slashed = Make(L"app.exe");
             for (wchar_t& c : slashed) c = c == L'\\' ? L'/' : c;
             return Fields(slashed, d + L"x.lnk");
         },
         false},
        {"target the code page cannot represent",
         [this, unrepresentable](RealFiles&, const std::wstring& d) {
             return Fields(Make(L"a" + unrepresentable + L".exe"), d + L"x.lnk");
         },
         false},
        {"shortcut path the code page cannot represent",
         [this, unrepresentable](RealFiles&, const std::wstring& d) {
             return Fields(Make(L"app.exe"), d + L"x" + unrepresentable + L".lnk");
         },
         false},
        {"shortcut path in a missing folder",
         [this](RealFiles&, const std::wstring& d) { return Fields(Make(L"app.exe"), d + L"none\\x.lnk"); }, false},
        {"shortcut path that is a folder",
         [this](RealFiles&, const std::wstring& d) {
             CreateDirectoryW((d + L"folder.lnk").c_str(), nullptr);
             return Fields(Make(L"app.exe"), d + L"folder.lnk");
         },
         false},
        {"read-only existing shortcut",
         [this](RealFiles&, const std::wstring& d) {
             WriteAll(d + L"ro.lnk", {1, 2, 3});
             SetFileAttributesW((d + L"ro.lnk").c_str(), FILE_ATTRIBUTE_READONLY);
             return Fields(Make(L"app.exe"), d + L"ro.lnk");
         },
         false},
        {"device name as shortcut", [this](RealFiles&, const std::wstring& d) { return Fields(Make(L"app.exe"), d + L"CON"); }, false},
        {"trailing dot and blank in the shortcut",
         [this](RealFiles&, const std::wstring& d) {
             WriteAll(d + L"keep.lnk", {4, 5});
             return Fields(Make(L"app.exe"), d + L"keep.lnk. ");
         },
         false},
        {"trailing dot in the target",
         [this](RealFiles&, const std::wstring& d) { return Fields(Make(L"app.exe") + L".", d + L"x.lnk"); }, false},
        {"shortcut path longer than the system takes",
         [this](RealFiles&, const std::wstring& d) { return Fields(Make(L"app.exe"), d + std::wstring(300, L'l') + L".lnk"); },
         false},
        {"target folder with a shortcut path",
         [](RealFiles&, const std::wstring& d) {
             CreateDirectoryW((d + L"Tools").c_str(), nullptr);
             return Fields(d + L"Tools", d + L"tools.lnk");
         },
         true},
        {"target folder without a shortcut path",
         [](RealFiles&, const std::wstring& d) {
             CreateDirectoryW((d + L"Tools").c_str(), nullptr);
             return Fields(d + L"Tools\\", L"");
         },
         false},
        {"empty shortcut path: beside the target",
         [this](RealFiles&, const std::wstring&) { return Fields(Make(L"tool.v2.exe"), L""); }, true},
        {"icon file that does not exist",
         [this](RealFiles&, const std::wstring& d) {
             std::vector<std::wstring> f = Fields(Make(L"app.exe"), d + L"x.lnk");
             f[4] = d + L"missing.ico";
             return f;
         },
         true},
    };
    for (const BadInput& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::wstring> fields = c.fields(*this, dir);
        for (int i = 0; i < 6; ++i) form.SetText(kText1Base + i, fields[i]);
        const auto before = Snapshot(dir);
        EXPECT_EQ(form.CreateAndAnswer(), c.succeeds ? L"完了" : L"失敗");
        ASSERT_TRUE(form.Alive());
        form.SetText(kText1Base + 2, L"alive");
        EXPECT_EQ(form.Text(kText1Base + 2), L"alive") << "the window answers";
        const auto after = Snapshot(dir);
        int changed = 0;
        for (const auto& [name, bytes] : after) {
            const auto old = before.find(name);
            if (old == before.end() || old->second != bytes) ++changed;
        }
        for (const auto& [name, bytes] : before) {
            if (!after.count(name)) ADD_FAILURE() << "a file disappeared";
        }
        EXPECT_EQ(changed, c.succeeds ? 1 : 0);
        // The next case starts from an empty folder.
        for (const std::wstring& name : FolderNames(dir)) {
            SetFileAttributesW((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW((dir + name).c_str())) RemoveDirectoryW((dir + name).c_str());
        }
    }
}

TEST_F(BadInputs, TargetThatVanishesBetweenTwoCreates) {
    const std::wstring target = Make(L"app.exe"), link = dir + L"app.lnk";
    form.SetText(kText1Base + 0, target);
    form.SetText(kText1Base + 1, link);
    ASSERT_EQ(form.CreateAndAnswer(), L"完了");
    const std::vector<uint8_t> written = ReadAll(link);
    DeleteFileW(target.c_str());
    EXPECT_EQ(form.CreateAndAnswer(), L"失敗");
    EXPECT_EQ(ReadAll(link), written) << "the first shortcut stays as it was";
}

TEST_F(BadInputs, LockedShortcutStaysAsItWas) {
    const std::wstring link = dir + L"locked.lnk";
    WriteAll(link, {9, 8, 7});
    HANDLE holder = CreateFileW(link.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    form.SetText(kText1Base + 0, Make(L"app.exe"));
    form.SetText(kText1Base + 1, link);
    EXPECT_EQ(form.CreateAndAnswer(), L"失敗");
    CloseHandle(holder);
    EXPECT_EQ(ReadAll(link), (std::vector<uint8_t>{9, 8, 7}));
    EXPECT_EQ(FolderNames(dir), (std::vector<std::wstring>{L"app.exe", L"locked.lnk"}));
}
