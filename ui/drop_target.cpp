// Text1(0) as the window's one OLE drop target: a drop that carries a list of files hands the list
// to Text1_OLEDragDrop; anything else is refused with the no-drop cursor.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include "form1.h"
#include "form1_actions.h"

namespace {

FORMATETC FileListFormat() {
    return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool CarriesFiles(IDataObject* data) {
    FORMATETC format = FileListFormat();
    return data && data->QueryGetData(&format) == S_OK;
}

// The COM object that OLE calls during a drag over the box.
struct TargetBoxDrop final : IDropTarget {
    LONG references = 1;
    Form1* form;
    bool acceptable = false;

    explicit TargetBoxDrop(Form1* owner) : form(owner) {}

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
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override {
        *effect = CarriesFiles(data) ? (*effect & DROPEFFECT_COPY) : DROPEFFECT_NONE;
        Text1_OLEDragDrop(*form, 0, data, *effect, static_cast<int16_t>(keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)),
                          static_cast<int16_t>(keys & (MK_SHIFT | MK_CONTROL)), static_cast<float>(point.x),
                          static_cast<float>(point.y));
        return S_OK;
    }
};

}  // namespace

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

void RegisterTargetBoxDrop(Form1& form) {
    auto* target = new TargetBoxDrop(&form);
    RegisterDragDrop(form.text1[0], target);
    target->Release();  // the registration holds its own reference
}

void RevokeTargetBoxDrop(Form1& form) {
    RevokeDragDrop(form.text1[0]);
}
