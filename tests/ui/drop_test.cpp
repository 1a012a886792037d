// Real OLE drops onto the window from this process: DoDragDrop with a data object of our own while the
// mouse is moved and released by injected input. A file list fills the window from its first file; a
// drop without one, or onto another box, changes nothing.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "../win32/win32_test_support.h"
#include "form_driver.h"
#include "ui/form1_controls.h"

namespace {

// A data object that offers either a file list (CF_HDROP) or plain text.
struct DragData final : IDataObject {
    LONG references = 1;
    CLIPFORMAT format;
    std::vector<uint8_t> content;

    DragData(CLIPFORMAT offered, std::vector<uint8_t> bytes) : format(offered), content(std::move(bytes)) {}

    static DragData* Files(const std::vector<std::wstring>& paths) {
        std::vector<uint8_t> bytes(sizeof(DROPFILES));
        auto* header = reinterpret_cast<DROPFILES*>(bytes.data());
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        for (const std::wstring& path : paths) {
            const auto* raw = reinterpret_cast<const uint8_t*>(path.c_str());
            bytes.insert(bytes.end(), raw, raw + (path.size() + 1) * sizeof(wchar_t));
        }
        bytes.insert(bytes.end(), sizeof(wchar_t), 0);
        return new DragData(CF_HDROP, bytes);
    }
    static DragData* Text(const std::wstring& text) {
        const auto* raw = reinterpret_cast<const uint8_t*>(text.c_str());
        return new DragData(CF_UNICODETEXT, std::vector<uint8_t>(raw, raw + (text.size() + 1) * sizeof(wchar_t)));
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        *object = id == IID_IUnknown || id == IID_IDataObject ? static_cast<IDataObject*>(this) : nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references);
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* asked, STGMEDIUM* medium) override {
        if (QueryGetData(asked) != S_OK) return DV_E_FORMATETC;
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, content.size());
        memcpy(GlobalLock(copy), content.data(), content.size());
        GlobalUnlock(copy);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* asked) override {
        return asked->cfFormat == format && (asked->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC offered = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &offered, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

// The drag ends when the left button is up.
struct DragSource final : IDropSource {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        *object = id == IID_IUnknown || id == IID_IDropSource ? static_cast<IDropSource*>(this) : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

void Button(DWORD flag) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof input);
}

POINT CentreOf(HWND window) {
    RECT box;
    GetWindowRect(window, &box);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

}  // namespace

class Drop : public RealFiles {
protected:
    RunningForm form;
    DragSource source;

    void SetUp() override {
        RealFiles::SetUp();
        OleInitialize(nullptr);
        ASSERT_NE(form.form(), nullptr);
    }
    void TearDown() override {
        OleUninitialize();
        RealFiles::TearDown();
    }

    // Presses the mouse on a small window of this test, the drag's source, then drags the data to the
    // middle of a window and releases it there. The mouse is moved and released by injected input.
    DWORD DragOnto(IDataObject* data, HWND onto) {
        const POINT end = CentreOf(onto);
        // Sharing the program's input state, this thread sees the release wherever the pointer is.
        const DWORD program = GetWindowThreadProcessId(form.form(), nullptr);
        AttachThreadInput(GetCurrentThreadId(), program, TRUE);
        HWND grip = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_BLACKRECT, 0, 0, 24, 24,
                                    nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(grip);
        SetCursorPos(12, 12);
        Button(MOUSEEVENTF_LEFTDOWN);
        MSG message;
        for (DWORD start = GetTickCount(); GetKeyState(VK_LBUTTON) >= 0 && GetTickCount() - start < 2000;) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            Sleep(5);
        }
        std::atomic<bool> ended{false}, stuck{false};
        std::thread mouse([&] {
            Sleep(300);
            for (int step = 1; step <= 10; ++step) {
                SetCursorPos(12 + (end.x - 12) * step / 10, 12 + (end.y - 12) * step / 10);
                Sleep(30);
            }
            Sleep(300);
            Button(MOUSEEVENTF_LEFTUP);
            for (DWORD start = GetTickCount(); !ended && GetTickCount() - start < 5000;) Sleep(10);
            if (!ended) {  // never hang the suite: Esc ends any drag
                stuck = true;
                INPUT escape[2] = {};
                escape[0].type = escape[1].type = INPUT_KEYBOARD;
                escape[0].ki.wVk = escape[1].ki.wVk = VK_ESCAPE;
                escape[1].ki.dwFlags = KEYEVENTF_KEYUP;
                SendInput(2, escape, sizeof escape[0]);
            }
        });
        DWORD effect = DROPEFFECT_NONE;
        DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
        ended = true;
        mouse.join();
        EXPECT_FALSE(stuck) << "the drag did not end when the button was released";
        DestroyWindow(grip);
        AttachThreadInput(GetCurrentThreadId(), program, FALSE);
        form.Settle();
        return effect;
    }

    std::vector<std::wstring> Fields() const {
        std::vector<std::wstring> fields;
        for (int i = 0; i < 6; ++i) fields.push_back(form.Text(kText1Base + i));
        return fields;
    }
};

TEST_F(Drop, FirstFileOfSeveralBecomesTheTarget) {
    const std::wstring first = MakeFile(L"first.exe", 5), second = MakeFile(L"second.exe", 5);
    form.SetText(kText1Base + 2, L"--keep");
    form.SetText(kText2Id, L"K");
    SendMessageW(form.Control(kCombo1Id), CB_SETCURSEL, 1, 0);
    DragData* data = DragData::Files({first, second});
    EXPECT_EQ(DragOnto(data, form.Control(kText1Base + 0)), static_cast<DWORD>(DROPEFFECT_COPY));
    data->Release();
    EXPECT_EQ(Fields(), (std::vector<std::wstring>{first, first + L".lnk", L"--keep", dir, first,
                                                   L"first.exeを開きます。"}));
    EXPECT_EQ(form.Text(kText2Id), L"K");
    EXPECT_EQ(SendMessageW(form.Control(kCombo1Id), CB_GETCURSEL, 0, 0), 1);
}

TEST_F(Drop, FolderIsTakenLikeAFile) {
    CreateDirectoryW((dir + L"Tools").c_str(), nullptr);
    DragData* data = DragData::Files({dir + L"Tools"});
    DragOnto(data, form.Control(kText1Base + 0));
    data->Release();
    EXPECT_EQ(form.Text(kText1Base + 1), dir + L"Tools.lnk");
    EXPECT_EQ(form.Text(kText1Base + 5), L"Toolsを開きます。");
    EXPECT_FALSE(form.Enabled(kCommand3Base + 0));
}

TEST_F(Drop, TextAloneIsIgnored) {
    form.SetText(kText1Base + 0, L"C:\\kept.exe");
    const std::vector<std::wstring> before = Fields();
    DragData* data = DragData::Text(L"C:\\dropped.exe");
    EXPECT_EQ(DragOnto(data, form.Control(kText1Base + 0)), static_cast<DWORD>(DROPEFFECT_NONE));
    data->Release();
    EXPECT_EQ(Fields(), before);
}

TEST_F(Drop, OtherBoxesAreNoDropTargets) {
    const std::wstring file = MakeFile(L"app.exe", 5);
    for (int other : {kText1Base + 1, kText1Base + 5, static_cast<int>(kText2Id)}) {
        const std::vector<std::wstring> before = Fields();
        DragData* data = DragData::Files({file});
        EXPECT_EQ(DragOnto(data, form.Control(other)), static_cast<DWORD>(DROPEFFECT_NONE));
        data->Release();
        EXPECT_EQ(Fields(), before);
    }
}
