// The hotkey box: every character key replaces its content with the key it names, or empties it.
#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#include "main_window.h"
#include "window_actions.h"

wchar_t HotKeyCharacter(wchar_t key) {
    if (key >= L'a' && key <= L'z') return static_cast<wchar_t>(key - L'a' + L'A');
    const bool digit = key >= L'0' && key <= L'9', letter = key >= L'A' && key <= L'Z';
    return digit || letter ? key : 0;
}

// The first character of the text on the clipboard; 0 when it holds no text.
static wchar_t FirstClipboardCharacter(HWND owner) {
    if (!OpenClipboard(owner)) return 0;
    wchar_t first = 0;
    if (HANDLE text = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(text))) {
            first = characters[0];
            GlobalUnlock(text);
        }
    }
    CloseClipboard();
    return first;
}

// What a character typed or pasted shows in the box: the key it names, or nothing.
static void ShowHotKey(HWND box, wchar_t key) {
    const wchar_t shown = HotKeyCharacter(key);
    SetText(box, shown ? std::wstring(1, shown) : std::wstring());
}

// Character keys are shown as the key they name, Enter and Esc included, which the box would otherwise
// leave to the window; the character itself is never inserted by the box. A paste, from the context menu
// or with Shift+Insert, is taken as the typing of the clipboard's first character.
static LRESULT CALLBACK HotKeyBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    const bool shiftInsert = message == WM_KEYDOWN && wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0;
    if (message == WM_PASTE || shiftInsert) {
        const wchar_t first = FirstClipboardCharacter(box);
        if (first != 0) ShowHotKey(box, first);
        return 0;
    }
    if (message == WM_GETDLGCODE && lParam) {
        const MSG* key = reinterpret_cast<const MSG*>(lParam);
        if (key->message == WM_KEYDOWN && (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE)) {
            return DefSubclassProc(box, message, wParam, lParam) | DLGC_WANTMESSAGE;
        }
    }
    if (message == WM_CHAR) {
        ShowHotKey(box, static_cast<wchar_t>(wParam));
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(box, HotKeyBoxProc, 0);
    return DefSubclassProc(box, message, wParam, lParam);
}

void HookHotKeyBox(const MainWindow& window) {
    const HWND box = Control(window, kHotKeyBoxId);
    ImmAssociateContext(box, nullptr);  // one key, not composed text
    SetWindowSubclass(box, HotKeyBoxProc, 0, 0);
}
