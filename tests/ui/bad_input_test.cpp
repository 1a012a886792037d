// Input that only the real window on real files shows: each gives the right message box, leaves the
// window answering, changes no file but the one asked for, and never harms the target or a shortcut
// that stays. The writer's own refusals are proven below the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "../win32/win32_test_support.h"
#include "form_driver.h"
#include "ui/form1_controls.h"

namespace {

using Files = std::map<std::wstring, std::vector<uint8_t>>;

Files Snapshot(const std::wstring& dir) {
    Files files;
    for (const std::wstring& name : FolderNames(dir)) files[name] = ReadAll(dir + name);
    return files;
}

}  // namespace

class BadInputs : public RealFiles {
protected:
    RunningForm form;
    HANDLE held = INVALID_HANDLE_VALUE;  // a shortcut this process holds open, as another program would

    // The target "Target File.lnk", a name whose first-dot default is the target itself.
    std::wstring LinkNamedTarget() { return MakeFile(L"Target File.lnk", 10); }
    // An existing shortcut, longer than a new one, held open with the sharing given.
    std::wstring Held(DWORD share) {
        WriteAll(dir + L"held.lnk", std::vector<uint8_t>(2000, 0xEE));
        held = CreateFileW((dir + L"held.lnk").c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0,
                           nullptr);
        EXPECT_NE(held, INVALID_HANDLE_VALUE);
        return dir + L"held.lnk";
    }
};

TEST_F(BadInputs, EachGivesTheRightAnswerAndHarmsNoFile) {
    struct Case {
        const char* what;
        std::function<std::vector<std::wstring>()> fields;  // the texts of Text1(0), Text1(1) and Text1(5)
        bool succeeds;
    };
    const Case cases[] = {
        {"40,000-character comment, passed whole to the writer",
         [&] { return std::vector<std::wstring>{MakeFile(L"a.exe", 1), dir + L"x.lnk", std::wstring(40000, L'c')}; },
         false},
        {"device name as shortcut", [&] { return std::vector<std::wstring>{MakeFile(L"a.exe", 1), dir + L"CON"}; }, false},
        {"file target followed by a backslash",
         [&] { return std::vector<std::wstring>{MakeFile(L"a.exe", 1) + L"\\", dir + L"x.lnk"}; }, false},
        {"empty shortcut path for a target named like a shortcut",
         [&] { return std::vector<std::wstring>{LinkNamedTarget(), L""}; }, false},
        {"the target's own path", [&] { const auto t = LinkNamedTarget(); return std::vector<std::wstring>{t, t}; }, false},
        {"the target's path in other letter case",
         [&] {
             const std::wstring target = LinkNamedTarget();
             std::wstring upper = target;
             CharUpperW(&upper[0]);
             return std::vector<std::wstring>{target, upper};
         },
         false},
        {"the target's path in its short spelling",
         [&] {
             const std::wstring target = LinkNamedTarget();
             wchar_t shortPath[MAX_PATH] = {};
             GetShortPathNameW(target.c_str(), shortPath, MAX_PATH);
             return std::vector<std::wstring>{target, shortPath};
         },
         false},
        {"shortcut held open by a program that lets others read and write it",
         [&] { return std::vector<std::wstring>{MakeFile(L"a.exe", 1), Held(FILE_SHARE_READ | FILE_SHARE_WRITE)}; },
         true},
        {"shortcut held open without sharing", [&] { return std::vector<std::wstring>{MakeFile(L"a.exe", 1), Held(0)}; },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::wstring> fields = c.fields();
        fields.resize(3);
        for (int i = 0; i < 6; ++i) form.SetText(kText1Base + i, L"");
        form.SetText(kText1Base + 0, fields[0]);
        form.SetText(kText1Base + 1, fields[1]);
        form.SetText(kText1Base + 5, fields[2]);
        const Files before = Snapshot(dir);  // a file held without sharing reads as empty, before and after
        EXPECT_EQ(form.CreateAndAnswer(), c.succeeds ? L"完了" : L"失敗");
        form.SetText(kText1Base + 2, L"alive");
        EXPECT_EQ(form.Text(kText1Base + 2), L"alive") << "the window answers";
        const Files after = Snapshot(dir);
        if (held != INVALID_HANDLE_VALUE) {
            CloseHandle(held);
            held = INVALID_HANDLE_VALUE;
            if (!c.succeeds) {
                EXPECT_EQ(ReadAll(dir + L"held.lnk"), std::vector<uint8_t>(2000, 0xEE));
            }
        }
        EXPECT_EQ(after.size(), before.size()) << "no file added or removed";
        int changed = 0;
        for (const auto& [name, bytes] : after) {
            if (before.count(name) && before.at(name) == bytes) continue;
            ++changed;
            // A whole shortcut: the header's size first, the terminal block last, nothing after it.
            EXPECT_TRUE(bytes.size() > 80 && bytes[0] == 0x4C && std::count(bytes.end() - 4, bytes.end(), 0) == 4);
        }
        EXPECT_EQ(changed, c.succeeds ? 1 : 0);
        for (const std::wstring& name : FolderNames(dir)) DeleteFileW((dir + name).c_str());
    }
}
