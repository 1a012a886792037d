// The target box as the window's one OLE drop target: a drop that carries a list of files makes its
// first file the target; anything else is refused with the no-drop cursor, and a drop without a file
// list changes nothing.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include "main_window.h"
#include "window_actions.h"

namespace {

FORMATETC FileListFormat() {
    return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool CarriesFiles(IDataObject* data) {
    FORMATETC format = FileListFormat();
    return data && data->QueryGetData(&format) == S_OK;
}

// The first file of a drop's file list; "" without one.
std::wstring FirstDroppedFile(IDataObject* data) {
    FORMATETC format = FileListFormat();
    STGMEDIUM medium = {};
    if (!data || data->GetData(&format, &medium) != S_OK) return L"";
    std::wstring path;
    const auto drop = static_cast<HDROP>(medium.hGlobal);  // the memory handle itself: the call locks it
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        path.resize(DragQueryFileW(drop, 0, nullptr, 0) + 1);
        path.resize(DragQueryFileW(drop, 0, &path[0], static_cast<UINT>(path.size())));
    }
    ReleaseStgMedium(&medium);
    return path;
}

// The COM object that OLE calls during a drag over the box.
struct TargetBoxDrop final : IDropTarget {
    LONG references = 1;
    MainWindow* window;
    bool acceptable = false;

    explicit TargetBoxDrop(MainWindow* owner) : window(owner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IDropTarget) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references);
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        acceptable = CarriesFiles(data);
        *effect = acceptable ? (*effect & DROPEFFECT_COPY) : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect = acceptable ? (*effect & DROPEFFECT_COPY) : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        *effect = CarriesFiles(data) ? (*effect & DROPEFFECT_COPY) : DROPEFFECT_NONE;
        const std::wstring path = FirstDroppedFile(data);
        if (!path.empty()) ApplyTargetPath(*window, path);
        return S_OK;
    }
};

}  // namespace

bool RegisterTargetBoxDrop(MainWindow& window) {
    auto* target = new TargetBoxDrop(&window);
    const bool registered = RegisterDragDrop(Control(window, kTargetBoxId), target) == S_OK;
    target->Release();  // the registration holds its own reference
    return registered;
}

void RevokeTargetBoxDrop(MainWindow& window) {
    RevokeDragDrop(Control(window, kTargetBoxId));
}
