// The icon preview: which files show an icon and enable "<" and ">" (held open by another program, or
// deep in Japanese folders too), the chosen icon stopping at both ends and lasting until the next file
// with icons, programs cut short (none of which may end the program: what the icon check answers for
// each kind of damage is tested natively), and a preview that survives a repaint.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>

#include "ui/main_window.h"
#include "window_test.h"

class IconPreview : public WindowTest {
protected:
    void Show(const std::wstring& file) const {
        window.SetText(kIconFileBoxId, file);
        window.Settle();
    }
    // The preview's pixels that differ from the button face colour, as shown on screen.
    int PaintedPixels() const {
        const HWND preview = window.Control(kIconPreviewId);
        RECT area;
        GetClientRect(preview, &area);
        HDC screen = GetDC(preview);
        int painted = 0;
        for (int y = 0; y < area.bottom; ++y) {
            for (int x = 0; x < area.right; ++x) painted += GetPixel(screen, x, y) != GetSysColor(COLOR_BTNFACE);
        }
        ReleaseDC(preview, screen);
        return painted;
    }
};

TEST_F(IconPreview, FilesWithIconsShowTheFirstAndOthersClearThePreview) {
    const std::wstring shell32 = L"C:\\windows\\system32\\shell32.dll", ico = WindowsPathFromEnvironment("VANTORELLE_ICO");
    // In folders of 130 Japanese characters, a path that takes more than MAX_PATH bytes in a multi-byte
    // code page (and has no form in 1252).
    const std::wstring deep = dir + std::wstring(65, L'\u30A2') + L"\\" + std::wstring(65, L'\u30A4') + L"\\icon.ico";
    ASSERT_TRUE(std::filesystem::create_directories(deep.substr(0, deep.rfind(L'\\'))));
    ASSERT_TRUE(CopyFileW(ico.c_str(), deep.c_str(), FALSE));
    const struct { std::wstring file; bool icons; } files[] = {
        {shell32, true}, {ico, true}, {TestProgramPath(), true}, {deep, GetACP() != 1252}, {L"", false},
        {dir + L"missing.exe", false}, {MakeFile(L"notes.txt", 100), false}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.file);
        Show(shell32);
        Show(f.file);
        EXPECT_EQ(window.Enabled(kPreviousIconButtonId), f.icons);
        EXPECT_EQ(window.Enabled(kNextIconButtonId), f.icons);
        const int shown = PaintedPixels();
        EXPECT_EQ(shown > 50, f.icons);
        EXPECT_TRUE(f.icons || shown == 0) << "a file without icons left a picture";
        RedrawWindow(window.Control(kIconPreviewId), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);  // as an uncovering does
        window.Settle();
        EXPECT_EQ(PaintedPixels(), shown);
    }
}

// CreateFileA, noting whether the preview's own check opened the file named "held.ico".
extern "C" decltype(&CreateFileA) __imp_CreateFileA;
static bool heldOpened = false;
static HANDLE WINAPI CreateFileNotingHeld(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                          DWORD disposition, DWORD flags, HANDLE model) {
    const HANDLE file = Real<__imp_CreateFileA>(name, access, share, security, disposition, flags, model);
    if (strstr(name, "held.ico")) heldOpened = file != INVALID_HANDLE_VALUE;
    return file;
}

// An icon file that an icon editor holds open for writing (and may rename) is read, as the system's own
// reader on Windows reads it. Wine's reader does not share writing, so here the preview stays empty:
// what is checked is that the preview's own check of the file opens it.
TEST_F(IconPreview, IconFileHeldOpenByAnEditorIsOpened) {
    const std::wstring held = dir + L"held.ico";
    ASSERT_TRUE(CopyFileW(WindowsPathFromEnvironment("VANTORELLE_ICO").c_str(), held.c_str(), FALSE));
    const HANDLE editor = CreateFileW(held.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    const Hook<__imp_CreateFileA> noting(CreateFileNotingHeld);
    Show(held);
    CloseHandle(editor);
    EXPECT_TRUE(heldOpened) << "the held file was not opened";
}

TEST_F(IconPreview, ChosenIconStopsAtBothEndsAndLastsUntilTheNextFileWithIcons) {
    const auto index = [this] { return MainWindowOf(window.hwnd())->chosenIcon; };
    Show(TestProgramPath());
    for (const auto& [button, times, expected] : {std::tuple{'>', 1, 1}, {'>', 2, 2}, {'<', 1, 1}, {'<', 3, 0}, {'>', 5, 2}}) {
        for (int i = 0; i < times; ++i) window.ClickAndWait(button == '>' ? kNextIconButtonId : kPreviousIconButtonId);
        EXPECT_EQ(index(), expected) << button << " pressed " << times << " times";
    }
    Show(MakeFile(L"plain.txt", 5));
    EXPECT_EQ(index(), 2);
    Show(L"C:\\windows\\system32\\shell32.dll");  // a file of many icons starts at its first, where 2 would do
    EXPECT_EQ(index(), 0);
    Show(WindowsPathFromEnvironment("VANTORELLE_ICO"));  // one icon: both buttons leave it at 0
    window.ClickAndWait(kNextIconButtonId);
    EXPECT_EQ(index(), 0);
}

// Places inside the data of a Windows executable's icons and icon groups, one byte in from each end of
// each, and where the last of them ends, found through its ".rsrc" section's resource tree; and where
// its resources begin.
struct IconData {
    size_t resources = 0, end = 0;
    std::vector<size_t> inside;
};
static IconData IconDataOf(const std::vector<uint8_t>& pe) {
    const auto u32 = [&](size_t at) { return uint32_t{pe[at]} | pe[at + 1] << 8 | pe[at + 2] << 16 | uint32_t{pe[at + 3]} << 24; };
    const auto each = [&](size_t directory, const std::function<void(uint32_t, size_t)>& entry) {
        for (size_t i = 0, n = (u32(directory + 12) & 0xFFFF) + (u32(directory + 12) >> 16); i < n; ++i) {
            entry(u32(directory + 16 + 8 * i) & 0xFFFF, u32(directory + 20 + 8 * i) & 0x7FFFFFFF);
        }
    };
    IconData icons;
    const size_t headers = u32(0x3C), sections = u32(headers + 4) >> 16, table = headers + 24 + (u32(headers + 20) & 0xFFFF);
    for (size_t section = table; section < table + 40 * sections; section += 40) {
        if (memcmp(&pe[section], ".rsrc", 6) != 0) continue;
        const size_t root = icons.resources = u32(section + 20), address = u32(section + 12);
        each(root, [&](uint32_t type, size_t names) {
            if (type != 3 && type != 14) return;
            each(root + names, [&](uint32_t, size_t languages) {
                each(root + languages, [&](uint32_t, size_t data) {
                    const size_t at = u32(root + data) - address + root, end = at + u32(root + data + 4);
                    icons.inside.insert(icons.inside.end(), {at + 1, end - 1});
                    icons.end = std::max(icons.end, end);
                });
            });
        });
    }
    return icons;
}

// An executable cut short, as by a copy or a download that stopped, at every step of its headers and of
// its resource tree, and inside each of its icons and icon groups, shown after a file with icons:
// the system's reader would follow its pointers past the file's end and end the program. It holds
// icons only while all of them and their groups are whole (what each other kind of damage answers is
// the icon check's own test).
TEST_F(IconPreview, CutExecutablesNeverEndTheProgram) {
    const std::wstring whole = dir + L"user32.dll", cut = dir + L"cut.dll";
    ASSERT_TRUE(CopyFileW(L"C:\\windows\\system32\\user32.dll", whole.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(whole.c_str(), cut.c_str(), FALSE));
    const std::vector<uint8_t> bytes = ReadAll(whole);
    const IconData icons = IconDataOf(bytes);
    ASSERT_GT(icons.inside.size(), 20u);
    std::vector<size_t> lengths = icons.inside;
    lengths.insert(lengths.end(), {20000, icons.end, bytes.size()});
    for (size_t length = 0; length < 1024; length += 16) lengths.push_back(length);  // the headers
    for (size_t length = icons.resources; length < icons.resources + 1024; length += 16) lengths.push_back(length);
    std::sort(lengths.rbegin(), lengths.rend());  // each cut shortens the last
    Show(whole);
    for (size_t length : lengths) {
        SCOPED_TRACE(length);
        std::filesystem::resize_file(cut, length);
        Show(L"");
        Show(cut);
        EXPECT_EQ(window.Enabled(kNextIconButtonId), length >= icons.end);
    }
}
