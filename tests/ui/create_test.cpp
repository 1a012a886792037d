// 作成 through the window on real files: every field reaches the shortcut (the one the writer itself
// makes of the same values), the two answers, and input that only the real window shows: each gives the
// right answer, leaves the window answering and harms no file but the shortcut asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "lnk/shortcut_builder.h"
#include "window_test.h"

namespace {
using Files = std::map<std::wstring, std::vector<uint8_t>>;

void Snapshot(const std::wstring& folder, Files& files) {
    for (const std::wstring& name : FolderNames(folder)) {
        const std::wstring path = folder + name;
        if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) Snapshot(path + L"\\", files);
        else files[path] = ReadAll(path);
    }
}

HICON IconOf(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    }
    return nullptr;
}
}  // namespace

class CreateCommand : public WindowTest {
protected:
    // Presses 作成 and returns the caption of the answer, its text and icon checked against the caption.
    std::wstring Create() {
        form.Click(kCommand2Base + 0);
        const HWND box = form.WaitForWindow(L"#32770");
        if (!box) return L"no answer";
        const std::wstring caption = WindowText(box);
        const bool done = caption == L"完了";
        EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), done ? L"処理は正常終了しました！" : L"処理は失敗しました！");
        EXPECT_EQ(IconOf(box), LoadIconW(nullptr, done ? IDI_INFORMATION : IDI_WARNING));
        form.EndDialog(box);
        return caption;
    }

    // Expects the window's shortcut to be the writer's own of the fields, with this hotkey and show command.
    void ExpectShortcutOf(const std::wstring& link, int32_t iconIndex, uint32_t hotKey, int32_t show) {
        const std::wstring direct = dir + L"direct.lnk";
        ASSERT_EQ(BuildShortcut(U16(form.Text(kText1Base + 0)), U16(direct), U16(form.Text(kText1Base + 2)),
                                U16(form.Text(kText1Base + 3)), U16(form.Text(kText1Base + 4)), iconIndex, hotKey, show,
                                U16(form.Text(kText1Base + 5))), kBuildSucceeded);
        EXPECT_EQ(ReadAll(link), ReadAll(direct));
        EXPECT_GT(ReadAll(link).size(), 76u);
    }
};

TEST_F(CreateCommand, EveryFieldReachesTheShortcut) {
    wchar_t own[MAX_PATH];  // this program holds three icons
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    const std::wstring link = dir + (GetACP() == 932 ? L"アプリ.lnk" : L"Café.lnk");
    form.SetText(kText1Base + 0, MakeFile(L"app.exe", 1234));
    form.SetText(kText1Base + 1, link);
    form.SetText(kText1Base + 2, L"--open \"a b\"");
    form.SetText(kText1Base + 3, dir);
    form.SetText(kText1Base + 4, own);
    form.ClickAndWait(kCommand3Base + 1);
    form.SetText(kText1Base + 5, GetACP() == 932 ? L"アプリを開きます。" : L"Öffnet die Anwendung.");
    const struct {
        const wchar_t* key;
        int entry;
        uint32_t hotKey;
        int32_t show;
    } keysAndStates[] = {{L"K", 2, 'K', 3}, {L"", 0, 0, 1}, {L"7", 1, '7', 2}, {L"a", 0, 'A', 1}, {L"-", 2, 0, 3},
                         {L"あ", 0, 0, 1}};
    for (const auto& c : keysAndStates) {
        form.SetText(kText2Id, c.key);  // set by another program: the box may hold any one character
        SendMessageW(form.Control(kCombo1Id), CB_SETCURSEL, c.entry, 0);
        ASSERT_EQ(Create(), L"完了");
        ExpectShortcutOf(link, 1, c.hotKey, c.show);
    }
}

TEST_F(CreateCommand, BadInputGivesTheRightAnswerAndHarmsNoFile) {
    const auto linkNamedTarget = [this] { return MakeFile(L"Target File.lnk", 10); };  // its default: itself
    HANDLE held = INVALID_HANDLE_VALUE;  // a shortcut held open, as by another program
    const auto heldWith = [&](DWORD share) {
        WriteAll(dir + L"held.lnk", std::vector<uint8_t>(2000, 0xEE));
        held = CreateFileW((dir + L"held.lnk").c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
        return dir + L"held.lnk";
    };
    const auto deepTarget = [this] {  // its shortcut takes all 259 characters; the temporary file beside it more
        std::wstring deep = dir;
        while (deep.size() < 245) {
            deep += std::wstring(std::min<size_t>(20, 245 - deep.size() - 1), L'd') + L"\\";
            CreateDirectoryW(deep.c_str(), nullptr);
        }
        const std::wstring target = deep + std::wstring(259 - 8 - deep.size(), L't') + L".exe";
        WriteAll(target, {1, 2, 3});
        return target;
    };
    const struct {
        const char* what;
        std::function<std::vector<std::wstring>()> fields;  // Text1(0), Text1(1) and Text1(5)
        bool succeeds;
    } cases[] = {
        {"40,000-character comment", [&] { return std::vector<std::wstring>{MakeFile(L"a.exe", 1), dir + L"x.lnk", std::wstring(40000, L'c')}; }, false},
        {"device name as shortcut", [&] { return std::vector<std::wstring>{MakeFile(L"a.exe", 1), dir + L"CON"}; }, false},
        {"file target followed by a backslash", [&] { return std::vector<std::wstring>{MakeFile(L"a.exe", 1) + L"\\", dir + L"x.lnk"}; }, false},
        {"empty shortcut path for a target named like a shortcut", [&] { return std::vector<std::wstring>{linkNamedTarget(), L""}; }, false},
        {"the target's own path", [&] { return std::vector<std::wstring>{linkNamedTarget(), dir + L"Target File.lnk"}; }, false},
        {"the target's path in other letter case", [&] { return std::vector<std::wstring>{linkNamedTarget(), dir + L"TARGET FILE.LNK"}; }, false},
        {"the target's path in its short spelling",
         [&] {
             wchar_t shortPath[MAX_PATH] = {};
             GetShortPathNameW(linkNamedTarget().c_str(), shortPath, MAX_PATH);
             return std::vector<std::wstring>{dir + L"Target File.lnk", shortPath};
         }, false},
        {"shortcut held by a program that lets others write it", [&] { return std::vector<std::wstring>{MakeFile(L"a.exe", 1), heldWith(FILE_SHARE_READ | FILE_SHARE_WRITE)}; }, true},
        {"shortcut held without sharing", [&] { return std::vector<std::wstring>{MakeFile(L"a.exe", 1), heldWith(0)}; }, false},
        {"259-character shortcut path in a deep folder", [&] { const auto t = deepTarget(); return std::vector<std::wstring>{t, t + L".lnk"}; }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::wstring> fields = c.fields();
        fields.resize(3);
        for (int i = 0; i < kText1Count; ++i) form.SetText(kText1Base + i, L"");
        form.SetText(kText1Base + 0, fields[0]);
        form.SetText(kText1Base + 1, fields[1]);
        form.SetText(kText1Base + 5, fields[2]);
        Files before, after;
        Snapshot(dir, before);  // a file held without sharing reads as empty, before and after
        EXPECT_EQ(Create(), c.succeeds ? L"完了" : L"失敗");
        EXPECT_EQ(form.Text(kText1Base + 1), fields[1]) << "the fields stay";
        Snapshot(dir, after);
        if (held != INVALID_HANDLE_VALUE && CloseHandle(held) && !c.succeeds) {
            EXPECT_EQ(ReadAll(dir + L"held.lnk"), std::vector<uint8_t>(2000, 0xEE));
        }
        held = INVALID_HANDLE_VALUE;
        for (const auto& file : before) EXPECT_EQ(after.count(file.first), 1u) << "removed";
        int changed = 0;  // or added
        for (const auto& [path, bytes] : after) {
            if (before.count(path) && before.at(path) == bytes) continue;
            ++changed;
            // A whole shortcut: the header's size first, the terminal block last, nothing after it.
            EXPECT_TRUE(bytes.size() > 80 && bytes[0] == 0x4C && std::count(bytes.end() - 4, bytes.end(), 0) == 4);
        }
        EXPECT_EQ(changed, c.succeeds ? 1 : 0);
        for (const std::wstring& name : FolderNames(dir)) DeleteFileW((dir + name).c_str());
    }
}
