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
    HANDLE held = INVALID_HANDLE_VALUE;  // a shortcut this process holds open, as another program would
    std::wstring heldPath;

    std::wstring Make(const std::wstring& name) { return MakeFile(name, 10); }
    // An existing shortcut, held open with the sharing given.
    std::wstring Held(const std::wstring& name, DWORD share) {
        heldPath = dir + name;
        WriteAll(heldPath, std::vector<uint8_t>(2000, 0xEE));  // longer than the new shortcut
        held = CreateFileW(heldPath.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(held, INVALID_HANDLE_VALUE);
        return heldPath;
    }
    // The path of a file in its short (8.3) spelling.
    static std::wstring ShortSpelling(const std::wstring& path) {
        wchar_t buffer[MAX_PATH] = {};
        GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
        return buffer;
    }
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
        {"file target followed by a backslash",
         [this](RealFiles&, const std::wstring& d) { return Fields(Make(L"app.exe") + L"\\", d + L"x.lnk"); }, false},
        {"target named like a shortcut, empty shortcut path: the target itself",
         [this](RealFiles&, const std::wstring&) { return Fields(Make(L"Target File.lnk"), L""); }, false},
        {"the target's own path as shortcut path",
         [this](RealFiles&, const std::wstring&) {
             const std::wstring target = Make(L"Target File.lnk");
             return Fields(target, target);
         },
         false},
        {"the target's path in other letter case",
         [this](RealFiles&, const std::wstring&) {
             const std::wstring target = Make(L"Target File.lnk");
             std::wstring upper = target;
             CharUpperW(&upper[0]);
             return Fields(target, upper);
         },
         false},
        {"the target's path in its short spelling",
         [this](RealFiles&, const std::wstring&) {
             const std::wstring target = Make(L"Target File.lnk");
             return Fields(target, ShortSpelling(target));
         },
         false},
        {"shortcut held open by another program that lets others read and write it",
         [this](RealFiles&, const std::wstring&) {
             return Fields(Make(L"app.exe"), Held(L"held.lnk", FILE_SHARE_READ | FILE_SHARE_WRITE));
         },
         true},
        {"shortcut held open without sharing",
         [this](RealFiles&, const std::wstring&) { return Fields(Make(L"app.exe"), Held(L"locked.lnk", 0)); }, false},
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
        const auto after = Snapshot(dir);  // a file held without sharing reads as empty before and after
        if (held != INVALID_HANDLE_VALUE) {
            CloseHandle(held);
            held = INVALID_HANDLE_VALUE;
            if (!c.succeeds) {
                EXPECT_EQ(ReadAll(heldPath), std::vector<uint8_t>(2000, 0xEE));
            }
        }
        int changed = 0;
        for (const auto& [name, bytes] : after) {
            const auto old = before.find(name);
            if (old != before.end() && old->second == bytes) continue;
            ++changed;
            // A whole shortcut: the header's size first, the terminal block last, nothing after it.
            EXPECT_TRUE(bytes.size() > 80 && bytes[0] == 0x4C && std::vector<uint8_t>(bytes.end() - 4, bytes.end()) ==
                                                                    std::vector<uint8_t>(4, 0));
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
