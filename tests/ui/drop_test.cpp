// Real OLE drops from the test's thread onto the window: DoDragDrop of what the clipboard offers (a file
// list, or text alone). A file list dropped on the target box fills the window from its first file; text
// alone, or a drop on another box, changes nothing.
#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "window_test.h"

namespace {
// The drag's source moves the pointer to the drop point in ten steps, one each time the drag asks whether
// to go on, waits there a few more and drops, as a user's mouse would.
struct DragSource final : IDropSource {
    POINT from = {2, 2}, to = {};  // from the screen's corner
    int asked = 0;
    DWORD shown = DROPEFFECT_NONE;  // what the pointer shows, from the target's answer
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        *object = id == IID_IUnknown || id == IID_IDropSource ? static_cast<IDropSource*>(this) : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
        const int step = std::min(++asked, 10);
        SetCursorPos(from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10);
        return asked < 15 ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
        shown = effect;
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
};

// Offers a file list (CF_HDROP) or text alone as the clipboard would, drags it from the screen's corner
// to the middle of a control and drops it there; returns the drop's effect, which the pointer showed too.
DWORD DragOnto(const RunningWindow& window, UINT format, const std::wstring& items, int id) {
    OleInitialize(nullptr);  // for this thread's drags, for the rest of the run
    PutOnClipboard(format, items);
    IDataObject* data = nullptr;
    OleGetClipboard(&data);
    RECT box;
    GetWindowRect(window.Control(id), &box);
    DragSource source;
    source.to = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    SetCursorPos(source.from.x, source.from.y);
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
    data->Release();
    window.Settle();
    EXPECT_EQ(source.shown, effect) << "the pointer showed another effect than the drop's";
    return effect;
}
}  // namespace

using Drop = WindowTest;

TEST_F(Drop, FileListOnTheTargetBoxFillsTheWindowFromItsFirstFileAndNothingElseChangesIt) {
    const std::wstring first = MakeFile(L"first.exe", 5), second = MakeFile(L"second.exe", 5), tools = dir + L"Tools";
    CreateDirectoryW(tools.c_str(), nullptr);
    window.SetText(kTargetBoxId, L"C:\\kept.exe");
    window.SetText(kArgumentsBoxId, L"--keep");
    window.SetText(kHotKeyBoxId, L"K");
    SendMessageW(window.Control(kWindowStateListId), CB_SETCURSEL, 1, 0);
    const std::vector<std::wstring> before = FieldsOf(window);
    for (const auto& [format, id] : {std::pair<UINT, int>{CF_UNICODETEXT, kTargetBoxId}, {CF_HDROP, kShortcutBoxId}}) {
        const std::wstring items = format == CF_HDROP ? first + L'\0' : L"C:\\dropped.exe";
        EXPECT_EQ(DragOnto(window, format, items, id), static_cast<DWORD>(DROPEFFECT_NONE));
        EXPECT_EQ(FieldsOf(window), before);
    }
    const struct { std::wstring files; std::vector<std::wstring> fields; } drops[] = {  // files: each ended by a null
        {first + L'\0' + second + L'\0', {first, first + L".lnk", L"--keep", dir, first, L"first.exeを開きます。"}},
        {tools + L'\0', {tools, tools + L".lnk", L"--keep", dir, tools, L"Toolsを開きます。"}},  // a folder like a file
    };
    for (const auto& drop : drops) {
        EXPECT_EQ(DragOnto(window, CF_HDROP, drop.files, kTargetBoxId), static_cast<DWORD>(DROPEFFECT_COPY));
        EXPECT_EQ(FieldsOf(window), drop.fields);
        EXPECT_EQ(window.Text(kHotKeyBoxId), L"K");
        EXPECT_EQ(SendMessageW(window.Control(kWindowStateListId), CB_GETCURSEL, 0, 0), 1);
    }
    EXPECT_FALSE(window.Enabled(kPreviousIconButtonId)) << "a folder holds no icons";
}
