// Create and Exit through the real window: every field into the written shortcut (read back by
// liblnk's lnkinfo), the two message boxes with their texts, captions and icons, and the ends of the program.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "../win32/win32_test_support.h"
#include "form_driver.h"
#include "ui/form1_controls.h"

namespace {

std::wstring FromUtf8(const std::string& text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

// lnkinfo's "name : value" lines of the link information.
std::map<std::wstring, std::wstring> Lnkinfo(const std::wstring& link) {
    const std::wstring codePage = L"windows-" + std::to_wstring(GetACP());
    const std::string out = RunUnixProgram({L"/usr/bin/lnkinfo", L"-c", codePage, UnixPathOf(link)});
    std::map<std::wstring, std::wstring> fields;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t colon = line.find(':');
        if (line.rfind("\t", 0) != 0 || line.rfind("\t\t", 0) == 0 || colon == std::string::npos) continue;
        std::string name = line.substr(1, colon - 1), value = line.substr(colon + 1);
        name.erase(name.find_last_not_of(" \t") + 1);
        value.erase(0, value.find_first_not_of(' '));
        fields.emplace(FromUtf8(name), FromUtf8(value));
    }
    return fields;
}

bool Japanese() {
    return GetACP() == 932;
}

enum class Icon { kInformation, kWarning, kOther };

// The message box's icon, told by its colours: the information icon is blue, the warning icon yellow.
Icon IconOf(HWND box) {
    HWND picture = nullptr;
    struct Each {
        static BOOL CALLBACK Child(HWND child, LPARAM context) {
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) *reinterpret_cast<HWND*>(context) = child;
            return TRUE;
        }
    };
    EnumChildWindows(box, Each::Child, reinterpret_cast<LPARAM>(&picture));
    if (!picture) return Icon::kOther;
    int blue = 0, yellow = 0;
    for (COLORREF c : ScreenPixels(picture)) {
        const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
        blue += b > 150 && r < 100;
        yellow += r > 180 && g > 150 && b < 80;
    }
    if (blue > 20 && blue > yellow) return Icon::kInformation;
    if (yellow > 20) return Icon::kWarning;
    return Icon::kOther;
}

}  // namespace

class CreateCommand : public RealFiles {
protected:
    RunningForm form;

    // Presses Create and checks the box that answers: its caption, text and icon. Dismisses it.
    void ExpectAnswer(const std::wstring& caption, const std::wstring& text, Icon icon) {
        form.Click(kCommand2Base + 0);
        HWND box = form.WaitForMessageBox(caption);
        ASSERT_NE(box, nullptr) << "no box captioned " << std::string(caption.begin(), caption.end());
        Sleep(200);  // drawn
        EXPECT_EQ(RunningForm::MessageText(box), text);
        EXPECT_EQ(IconOf(box), icon);
        RunningForm::Dismiss(box);
        form.Settle();
        EXPECT_TRUE(form.Alive());
    }
};

TEST_F(CreateCommand, EveryFieldReachesTheShortcut) {
    const std::wstring target = MakeFile(L"app.exe", 1234);
    const std::wstring link = dir + (Japanese() ? L"アプリ.lnk" : L"Café.lnk");
    const std::wstring comment = Japanese() ? L"アプリを開きます。" : L"Öffnet die Anwendung.";
    wchar_t own[MAX_PATH];
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    form.SetText(kText1Base + 0, target);
    form.SetText(kText1Base + 1, link);
    form.SetText(kText1Base + 2, L"--open \"a b\"");
    form.SetText(kText1Base + 3, dir);
    form.SetText(kText1Base + 4, own);
    form.ClickAndWait(kCommand3Base + 1);  // icon 1 of three
    form.SetText(kText2Id, L"K");
    SendMessageW(form.Control(kCombo1Id), CB_SETCURSEL, 2, 0);  // 最大化
    form.SetText(kText1Base + 5, comment);
    form.Settle();

    ExpectAnswer(L"完了", L"処理は正常終了しました！", Icon::kInformation);

    auto info = Lnkinfo(link);
    EXPECT_EQ(info[L"Local path"], target);
    EXPECT_EQ(info[L"Command line arguments"], L"--open \"a b\"");
    EXPECT_EQ(info[L"Working directory"], dir);
    EXPECT_EQ(info[L"Icon location"], own);
    EXPECT_EQ(info[L"Icon index"], L"1");
    EXPECT_EQ(info[L"Description"], comment);
    EXPECT_EQ(info[L"File size"], L"1234 bytes");
    const std::vector<uint8_t> bytes = ReadAll(link);
    ASSERT_GE(bytes.size(), 0x42u);
    EXPECT_EQ(bytes[0x3C], 3);  // ShowCommand: maximised
    EXPECT_EQ(bytes[0x40], 'K');
    EXPECT_EQ(bytes[0x41], 0x06);  // Ctrl + Alt
}

TEST_F(CreateCommand, HotKeyAndWindowStateValues) {
    const std::wstring link = dir + L"k.lnk";
    form.SetText(kText1Base + 0, MakeFile(L"app.exe", 1));
    form.SetText(kText1Base + 1, link);
    struct Case {
        std::wstring key;
        int entry;
        uint8_t code, show;
    };
    for (const Case& c : {Case{L"", 0, 0, 1}, Case{L"7", 1, '7', 2}, Case{L"a", 0, 'A', 1}, Case{L"-", 2, 0, 3},
                          Case{L"あ", 0, 0, 1}}) {
        form.SetText(kText2Id, c.key);  // set by another program: the box may hold any one character
        SendMessageW(form.Control(kCombo1Id), CB_SETCURSEL, c.entry, 0);
        ASSERT_EQ(form.CreateAndAnswer(), L"完了");
        const std::vector<uint8_t> bytes = ReadAll(link);
        ASSERT_GE(bytes.size(), 0x42u);
        EXPECT_EQ(bytes[0x40], c.code) << "key " << c.key.size();
        EXPECT_EQ(bytes[0x41], c.code ? 0x06 : 0x00);
        EXPECT_EQ(bytes[0x3C], c.show);
    }
}

TEST_F(CreateCommand, FailureIsReportedAndTheFieldsStay) {
    form.SetText(kText1Base + 0, dir + L"missing.exe");
    form.SetText(kText1Base + 1, dir + L"missing.lnk");
    ExpectAnswer(L"失敗", L"処理は失敗しました！", Icon::kWarning);
    EXPECT_TRUE(FolderNames(dir).empty());
    EXPECT_EQ(form.Text(kText1Base + 1), dir + L"missing.lnk");
}

// The window's own shortcut path, the target's followed by ".lnk", in a folder so deep that it takes
// all 259 characters the system allows, beyond which the temporary file beside it reaches.
TEST_F(CreateCommand, DeepFolderShortcutPath) {
    std::wstring deep = dir;
    while (deep.size() < 245) {
        deep += std::wstring(std::min<size_t>(20, 245 - deep.size() - 1), L'd') + L"\\";
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    const std::wstring target = deep + std::wstring(259 - 4 - 4 - deep.size(), L't') + L".exe";
    WriteAll(target, {1, 2, 3});
    form.SetText(kText1Base + 0, target);
    form.SetText(kText1Base + 1, target + L".lnk");
    ASSERT_EQ(form.CreateAndAnswer(), L"完了");
    EXPECT_EQ(Lnkinfo(target + L".lnk")[L"Local path"], target);
    EXPECT_EQ(FolderNames(deep).size(), 2u) << "the target, the shortcut and no temporary file";
}

TEST(ExitCommand, EndsTheProgramWithoutAQuestion) {
    RunningForm form(L"C:\\windows\\notepad.exe");
    ASSERT_NE(form.form(), nullptr);
    form.Click(kCommand2Base + 1);
    const DWORD start = GetTickCount();
    while (form.Alive() && GetTickCount() - start < 10000) Sleep(20);
    EXPECT_FALSE(form.Alive());
}

TEST(ExitCommand, CloseBoxEndsTheProgramToo) {
    RunningForm form;
    ASSERT_NE(form.form(), nullptr);
    EXPECT_TRUE(form.Close());
}
