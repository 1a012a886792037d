// The window tests' fixture: a window of the test's own, on a fresh folder of real files; and what more
// than one test needs of it.
#pragma once

#include <shlobj.h>

#include "../win32/win32_test_support.h"
#include "tools/window_driver.h"

// The six text fields, from the target box to the comment box.
inline std::vector<std::wstring> FieldsOf(const RunningWindow& window) {
    std::vector<std::wstring> fields;
    for (int id : {kTargetBoxId, kShortcutBoxId, kArgumentsBoxId, kWorkingFolderBoxId, kIconFileBoxId, kCommentBoxId}) {
        fields.push_back(window.Text(id));
    }
    return fields;
}

// The path of the test program, a file of three icons.
inline std::wstring TestProgramPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// Puts a file list (CF_HDROP: each path ended by a null) or text (CF_UNICODETEXT) on the clipboard.
inline void PutOnClipboard(UINT format, const std::wstring& items) {
    const size_t header = format == CF_HDROP ? sizeof(DROPFILES) : 0, size = header + (items.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* bytes = static_cast<uint8_t*>(GlobalLock(memory));
    if (header) *reinterpret_cast<DROPFILES*>(bytes) = {sizeof(DROPFILES), {}, FALSE, TRUE};
    memcpy(bytes + header, items.c_str(), size - header);
    GlobalUnlock(memory);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(format, memory);
    CloseClipboard();
}

class WindowTest : public RealFiles {
protected:
    RunningWindow window;

    // Presses 作成 and returns the caption of the answer, having checked its text and icon against the
    // caption, and dismisses it.
    std::wstring Create() const {
        window.Click(kCreateButtonId);
        const HWND box = window.WaitForWindow(L"#32770");
        if (!box) return L"no answer";
        const std::wstring caption = WindowText(box);
        const bool done = caption == L"完了";
        EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), done ? L"処理は正常終了しました！" : L"処理は失敗しました！");
        const auto icon = reinterpret_cast<HICON>(SendDlgItemMessageW(box, 0x440, STM_GETICON, 0, 0));  // Wine's icon id
        EXPECT_EQ(icon, LoadIconW(nullptr, done ? IDI_INFORMATION : IDI_WARNING));
        window.EndDialog(box);
        return caption;
    }
};
