// The icon preview: which files show icons and enable "<" and ">", the index rules at both ends
// (read back from the shortcut that Create writes), broken icon files, and a preview that survives
// being covered.
#include <gtest/gtest.h>


#include "../win32/win32_test_support.h"
#include "form_driver.h"
#include "ui/form1_controls.h"

namespace {

std::wstring OwnPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;  // this test program holds three icons
}

std::wstring IconFilePath() {
    return WindowsPathFromEnvironment("VANTORELLE_ICO");
}

const std::wstring kShell32 = L"C:\\windows\\system32\\shell32.dll";

}  // namespace

class IconPreview : public RealFiles {
protected:
    RunningForm form;
    std::wstring link;

    void SetUp() override {
        RealFiles::SetUp();
        ASSERT_NE(form.form(), nullptr);
        link = dir + L"icon.lnk";
        form.SetText(kText1Base + 0, MakeFile(L"app.exe", 10));
        form.SetText(kText1Base + 1, link);
    }

    bool ButtonsEnabled() const {
        const bool previous = form.Enabled(kCommand3Base + 0), next = form.Enabled(kCommand3Base + 1);
        EXPECT_EQ(previous, next) << "the two buttons are enabled together";
        return previous && next;
    }

    int Preview() const { return PaintedPixels(form.Control(kPicture1Id)); }

    void Press(int button, int times) {
        for (int i = 0; i < times; ++i) {
            form.ClickAndWait(kCommand3Base + button);
        }
    }

    // The icon index that Create writes into the shortcut.
    int32_t WrittenIconIndex() {
        EXPECT_EQ(form.CreateAndAnswer(), L"完了");
        const std::vector<uint8_t> bytes = ReadAll(link);
        if (bytes.size() < 0x3C) return -999;
        return static_cast<int32_t>(bytes[0x38] | bytes[0x39] << 8 | bytes[0x3A] << 16 | bytes[0x3B] << 24);
    }
};

TEST_F(IconPreview, FilesWithIconsEnableTheButtonsAndShowTheFirstIcon) {
    for (const std::wstring& file : {kShell32, IconFilePath(), OwnPath()}) {
        SCOPED_TRACE(file);
        form.SetText(kText1Base + 4, file);
        form.Settle();
        EXPECT_TRUE(ButtonsEnabled());
        EXPECT_GT(Preview(), 50);
    }
}

TEST_F(IconPreview, EmptyMissingOrIconlessFileClearsTheBoxAndDisablesTheButtons) {
    const std::wstring text = MakeFile(L"notes.txt", 100);
    for (const std::wstring& file : {std::wstring(L""), dir + L"missing.exe", text}) {
        form.SetText(kText1Base + 4, kShell32);
        form.SetText(kText1Base + 4, file);
        form.Settle();
        EXPECT_FALSE(ButtonsEnabled()) << "file " << file.size();
        EXPECT_EQ(Preview(), 0);
    }
}

TEST_F(IconPreview, StepsStopAtBothEndsWithoutWrapping) {
    form.SetText(kText1Base + 4, OwnPath());  // three icons
    Press(1, 1);
    EXPECT_EQ(WrittenIconIndex(), 1);
    Press(1, 2);
    EXPECT_EQ(WrittenIconIndex(), 2);
    Press(0, 1);
    EXPECT_EQ(WrittenIconIndex(), 1);
    Press(0, 3);
    EXPECT_EQ(WrittenIconIndex(), 0);
    EXPECT_TRUE(ButtonsEnabled());

    form.SetText(kText1Base + 4, IconFilePath());  // one icon: both buttons leave the index at 0
    Press(1, 2);
    EXPECT_EQ(WrittenIconIndex(), 0);
}

TEST_F(IconPreview, IndexSurvivesAFileWithoutIconsAndResetsOnAFileWithIcons) {
    form.SetText(kText1Base + 4, OwnPath());
    Press(1, 2);
    form.SetText(kText1Base + 4, MakeFile(L"plain.txt", 5));
    EXPECT_FALSE(ButtonsEnabled());
    EXPECT_EQ(WrittenIconIndex(), 2);
    form.SetText(kText1Base + 4, kShell32);
    EXPECT_EQ(WrittenIconIndex(), 0);
}

// Typing the name of an icon file whose directory points outside the file made the system read outside
// memory, and the window died with all the user had typed: such a file is now one without icons.
TEST_F(IconPreview, BrokenIconFileIsOneWithoutIcons) {
    const struct {
        const char* what;
        uint16_t entries;
        uint32_t imageSize, imageOffset;
    } broken[] = {
        {"image far outside the file", 1, 40, 0xFFFFFFF0},
        {"more entries than the file holds", 65535, 40, 22},
        {"image running past the end", 1, 100000, 22},
    };
    for (const auto& b : broken) {
        SCOPED_TRACE(b.what);
        std::vector<uint8_t> bytes(4096);  // a page: reading past it faults
        bytes[2] = 1;                      // type: icon
        bytes[4] = b.entries & 0xFF;
        bytes[5] = b.entries >> 8;
        bytes[6] = bytes[7] = 32;  // 32 x 32
        for (int i = 0; i < 4; ++i) {
            bytes[14 + i] = static_cast<uint8_t>(b.imageSize >> 8 * i);
            bytes[18 + i] = static_cast<uint8_t>(b.imageOffset >> 8 * i);
        }
        const std::wstring file = dir + L"broken.ico";
        WriteAll(file, bytes);
        form.SetText(kText1Base + 4, L"");
        ASSERT_TRUE(form.Type(kText1Base + 4, file)) << "the window no longer answers";
        EXPECT_FALSE(ButtonsEnabled());
    }
}

TEST_F(IconPreview, PreviewSurvivesBeingCoveredAndUncovered) {
    form.SetText(kText1Base + 4, kShell32);
    form.Settle();
    const int shown = Preview();
    ASSERT_GT(shown, 50);
    HWND box = form.Control(kPicture1Id);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);  // as an uncovering does
    form.Settle();
    EXPECT_EQ(Preview(), shown);
}
