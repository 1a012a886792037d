// Real OLE drops from the test's thread onto the window: DoDragDrop of what the clipboard offers (a file
// list, or text alone) while the mouse is moved and released by injected input. A file list dropped on
// the target box fills the window from its first file; text alone, or a drop on another box, changes nothing.
#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "window_test.h"

namespace {
// The drag ends when the left button is up.
struct DragSource final : IDropSource {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        *object = id == IID_IUnknown || id == IID_IDropSource ? static_cast<IDropSource*>(this) : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        return escape ? DRAGDROP_S_CANCEL : keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

void Mouse(DWORD flag) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof input);
}

// What the clipboard offers, as the data object of a drag: a file list (CF_HDROP) or text.
IDataObject* Offer(UINT format, const std::wstring& items) {
    const size_t header = format == CF_HDROP ? sizeof(DROPFILES) : 0, size = header + (items.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* bytes = static_cast<uint8_t*>(GlobalLock(memory));
    if (header) *reinterpret_cast<DROPFILES*>(bytes) = {sizeof(DROPFILES), {}, FALSE, TRUE};
    memcpy(bytes + header, items.c_str(), (items.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(format, memory);
    CloseClipboard();
    IDataObject* data = nullptr;
    OleGetClipboard(&data);
    return data;
}
}  // namespace

class Drop : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        OleInitialize(nullptr);
    }
    void TearDown() override {
        OleUninitialize();
        WindowTest::TearDown();
    }

    // Presses the mouse on a small window of the test, the drag's source, drags the data to the middle of
    // a control and releases it there; returns the drop's effect.
    DWORD DragOnto(IDataObject* data, int id) const {
        RECT box;
        GetWindowRect(form.Control(id), &box);
        const POINT end = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        // Sharing the window's input state, this thread sees the release wherever the pointer is.
        const DWORD window = GetWindowThreadProcessId(form.form(), nullptr);
        AttachThreadInput(GetCurrentThreadId(), window, TRUE);
        HWND grip = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_BLACKRECT, 0, 0, 24, 24,
                                    nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(grip);
        SetCursorPos(12, 12);
        Mouse(MOUSEEVENTF_LEFTDOWN);
        WaitUntil([] {
            for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
            return GetKeyState(VK_LBUTTON) < 0;
        }, 2000);
        std::atomic<bool> ended{false}, stuck{false};
        std::thread mouse([&] {
            Sleep(300);
            for (int step = 1; step <= 10; ++step, Sleep(30)) SetCursorPos(12 + (end.x - 12) * step / 10, 12 + (end.y - 12) * step / 10);
            Sleep(300);
            Mouse(MOUSEEVENTF_LEFTUP);
            if (!WaitUntil([&] { return ended.load(); }, 5000)) {
                stuck = true;
                INPUT escape[2] = {};  // never hang the suite: Esc ends any drag
                escape[0].type = escape[1].type = INPUT_KEYBOARD;
                escape[0].ki.wVk = escape[1].ki.wVk = VK_ESCAPE;
                escape[1].ki.dwFlags = KEYEVENTF_KEYUP;
                SendInput(2, escape, sizeof escape[0]);
            }
        });
        DragSource source;
        DWORD effect = DROPEFFECT_NONE;
        DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
        ended = true;
        mouse.join();
        EXPECT_FALSE(stuck) << "the drag did not end when the button was released";
        data->Release();
        DestroyWindow(grip);
        AttachThreadInput(GetCurrentThreadId(), window, FALSE);
        form.Settle();
        return effect;
    }
};

TEST_F(Drop, FileListOnTheTargetBoxFillsTheWindowFromItsFirstFile) {
    const std::wstring first = MakeFile(L"first.exe", 5), second = MakeFile(L"second.exe", 5), tools = dir + L"Tools";
    CreateDirectoryW(tools.c_str(), nullptr);
    form.SetText(kText1Base + 2, L"--keep");
    form.SetText(kText2Id, L"K");
    SendMessageW(form.Control(kCombo1Id), CB_SETCURSEL, 1, 0);
    const struct {
        std::wstring files;  // each ended by a null
        std::vector<std::wstring> fields;
    } drops[] = {
        {first + L'\0' + second + L'\0', {first, first + L".lnk", L"--keep", dir, first, L"first.exeを開きます。"}},
        {tools + L'\0', {tools, tools + L".lnk", L"--keep", dir, tools, L"Toolsを開きます。"}},  // a folder like a file
    };
    for (const auto& drop : drops) {
        EXPECT_EQ(DragOnto(Offer(CF_HDROP, drop.files), kText1Base + 0), static_cast<DWORD>(DROPEFFECT_COPY));
        EXPECT_EQ(Fields(), drop.fields);
        EXPECT_EQ(form.Text(kText2Id), L"K");
        EXPECT_EQ(SendMessageW(form.Control(kCombo1Id), CB_GETCURSEL, 0, 0), 1);
    }
    EXPECT_FALSE(form.Enabled(kCommand3Base + 0)) << "a folder holds no icons";
}

TEST_F(Drop, TextOrADropOnAnotherBoxChangesNothing) {
    form.SetText(kText1Base + 0, L"C:\\kept.exe");
    const std::vector<std::wstring> before = Fields();
    const std::wstring file = MakeFile(L"app.exe", 5) + L'\0';
    for (const auto& [format, id] : {std::pair{CF_UNICODETEXT, kText1Base + 0}, {CF_HDROP, kText1Base + 1},
                                     {CF_HDROP, kText1Base + 5}, {CF_HDROP, static_cast<int>(kText2Id)}}) {
        EXPECT_EQ(DragOnto(Offer(format, format == CF_HDROP ? file : L"C:\\dropped.exe"), id), static_cast<DWORD>(DROPEFFECT_NONE));
        EXPECT_EQ(Fields(), before);
    }
}
