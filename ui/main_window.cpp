// The main window: its class, its controls built from the layout table, the separator it paints,
// and the dispatch of each control's event to the action of its row.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cwctype>

#include "lnk/text.h"
#include "main_window.h"
#include "window_actions.h"
#include "window_layout.h"
#include "picture_box.h"

const wchar_t kMainWindowClass[] = L"VantorelleMainWindow";
const wchar_t kMainWindowTitle[] = L"Vantorelle";

constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kMainWindowExStyle = WS_EX_CONTROLPARENT;
constexpr int kComboListRows = 6;
// What a text box takes, typed or pasted: as many characters as a string of a shortcut holds bytes (an
// edit box otherwise stops at its own default, 30,000 on some systems).
constexpr WPARAM kTextBoxLimit = kMaxAnsiBytes;

MainWindow* MainWindowOf(HWND window) {
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND Control(const MainWindow& window, int id) {
    return GetDlgItem(window.hwnd, id);
}

int TwipsToPixels(const MainWindow& window, int twips) {
    return MulDiv(twips, window.dpi, 1440);
}

std::wstring TextOf(HWND control) {
    std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
    text.resize(GetWindowTextW(control, &text[0], static_cast<int>(text.size())));
    return text;
}

std::u16string TextOf16(HWND control) {
    const std::wstring text = TextOf(control);
    return std::u16string(text.begin(), text.end());
}

void SetText(HWND control, const std::wstring& text) {
    SetWindowTextW(control, text.c_str());
}

std::wstring ArgumentText(const wchar_t* commandLine) {
    const wchar_t* at = commandLine;
    if (*at == L'"') {
        for (++at; *at && *at != L'"'; ++at) {
        }
        if (*at) ++at;
    } else {
        while (*at && *at != L' ' && *at != L'\t') ++at;
    }
    while (*at == L' ' || *at == L'\t') ++at;
    return at;
}

static HFONT CreateDialogFont(const MainWindow& window) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = -TwipsToPixels(window, 180);  // 9 points, the dialog font's size
    return CreateFontIndirectW(&font);
}

static HMENU CreateDestinationMenu() {
    HMENU special = CreatePopupMenu();
    HMENU menu = CreatePopupMenu();
    for (size_t i = 0; i < kMenuEntryCount; ++i) {
        const MenuEntrySpec& entry = kMenuEntries[i];
        AppendMenuW(entry.action ? menu : special, MF_STRING, entry.id, entry.caption);
    }
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(special), L"特殊フォルダ(&S)");
    return menu;
}

// The place of a control in the layout, in pixels of the client area.
static RECT PlaceOf(const MainWindow& window, const ControlSpec& item) {
    const int left = TwipsToPixels(window, item.left), top = TwipsToPixels(window, item.top);
    return {left, top, left + TwipsToPixels(window, item.width), top + TwipsToPixels(window, item.height)};
}

// A control in its initial state at its place.
static HWND CreateControl(MainWindow& window, const ControlSpec& item, const RECT& place, HINSTANCE instance) {
    const wchar_t* className = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE | (item.disabled ? WS_DISABLED : 0);
    DWORD exStyle = 0;
    int height = place.bottom - place.top;
    switch (item.kind) {
    case ControlKind::kLabel:
        style |= SS_LEFTNOWORDWRAP | SS_NOPREFIX;  // a caption cut at its end, never wrapped away
        break;
    case ControlKind::kTextBox:
        className = L"EDIT";
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case ControlKind::kButton:
        className = L"BUTTON";
        style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
    case ControlKind::kComboList:
        className = L"COMBOBOX";
        style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
        height *= kComboListRows;  // the closed list is sized below
        break;
    case ControlKind::kPicture:
        className = kPictureBoxClass;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    }
    HWND control = CreateWindowExW(exStyle, className, item.caption ? item.caption : L"", style, place.left,
                                   place.top, place.right - place.left, height, window.hwnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(window.font), FALSE);
    if (item.kind == ControlKind::kTextBox) SendMessageW(control, EM_SETLIMITTEXT, kTextBoxLimit, 0);
    return control;
}

// A drop-down list's closed height follows its item height; the item height is moved until the closed
// list has the layout's height (some systems add to the item height they are given).
static void FitComboHeight(HWND combo, int height) {
    int request = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int attempt = 0; attempt < 4; ++attempt) {
        RECT box;
        GetWindowRect(combo, &box);
        const int closed = box.bottom - box.top;
        if (closed == height || request + height - closed <= 0) return;
        request += height - closed;
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), request);
    }
}

// A label's place grown to show its whole caption, measured in dc with the window's font, but only into
// free room: where the font is wider than the layout allows, the caption is cut rather than drawn over
// the next control.
static RECT LabelPlaceOf(const MainWindow& window, const ControlSpec& label, HDC dc) {
    SIZE text = {};
    GetTextExtentPoint32W(dc, label.caption, static_cast<int>(wcslen(label.caption)), &text);
    const RECT place = PlaceOf(window, label);
    RECT grown = {place.left, place.top, std::max(place.right, place.left + text.cx),
                  std::max(place.bottom, place.top + text.cy)};
    for (size_t i = 0; i < kControlCount; ++i) {
        const RECT other = PlaceOf(window, kControls[i]);
        RECT both;
        if (&kControls[i] == &label || !IntersectRect(&both, &grown, &other)) continue;
        if (other.left >= place.right) grown.right = std::max(place.right, std::min(grown.right, other.left));
        if (other.top >= place.bottom) grown.bottom = std::max(place.bottom, std::min(grown.bottom, other.top));
    }
    return grown;
}

static void AddToolTips(MainWindow& window, HINSTANCE instance) {
    HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window.hwnd, nullptr, instance, nullptr);
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, TwipsToPixels(window, 5000));
    for (size_t i = 0; i < kControlCount; ++i) {
        const ControlSpec& item = kControls[i];
        if (!item.toolTip) continue;
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window.hwnd;
        tool.uId = reinterpret_cast<UINT_PTR>(Control(window, item.id));
        tool.lpszText = const_cast<wchar_t*>(item.toolTip);
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// A caption of punctuation alone, such as "...", tells a screen reader nothing.
static bool SaysNothing(const wchar_t* caption) {
    return std::all_of(caption, caption + wcslen(caption), [](wchar_t c) { return iswpunct(c) != 0; });
}

// Through the accessibility layer's dynamic annotation, the buttons whose captions say nothing take the
// name of what they do from their tool tips, and the preview is announced as a picture. Where the layer
// lacks the annotation (Wine answers E_NOTIMPL), the controls keep their default names and roles: harmless,
// so every failure is ignored.
static void AnnotateForScreenReaders(MainWindow& window) {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services)))) {
        return;
    }
    for (size_t i = 0; i < kControlCount; ++i) {
        const ControlSpec& item = kControls[i];
        if (item.kind == ControlKind::kButton && SaysNothing(item.caption)) {
            services->SetHwndPropStr(Control(window, item.id), OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                                     item.toolTip);
        }
    }
    VARIANT role;
    VariantInit(&role);
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_GRAPHIC;
    services->SetHwndProp(Control(window, kIconPreviewId), OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_ROLE, role);
    services->Release();
}

// Every control in its initial state, in the table's order; the labels at the size of their captions,
// all measured with one device context.
static void CreateControls(MainWindow& window, HINSTANCE instance) {
    HDC measure = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(measure, window.font);
    for (size_t i = 0; i < kControlCount; ++i) {
        const ControlSpec& item = kControls[i];
        const RECT place = item.kind == ControlKind::kLabel ? LabelPlaceOf(window, item, measure) : PlaceOf(window, item);
        HWND control = CreateControl(window, item, place, instance);
        if (item.kind == ControlKind::kComboList) FitComboHeight(control, TwipsToPixels(window, item.height));
    }
    SelectObject(measure, previous);
    DeleteDC(measure);
    window.focusedControl = Control(window, kTargetBoxId);
    HookHotKeyBox(window);
}

static void PaintSeparator(const MainWindow& window, HDC dc) {
    for (const SeparatorLine& line : kSeparatorLines) {
        RECT band = {TwipsToPixels(window, line.left), TwipsToPixels(window, line.top), TwipsToPixels(window, line.right),
                     TwipsToPixels(window, line.top) + TwipsToPixels(window, line.width)};
        FillRect(dc, &band, GetSysColorBrush(line.colorIndex));
    }
}

// A control's click or change, or a menu entry's choice, does what its row says.
static void OnCommand(MainWindow& window, int id, int code) {
    for (size_t i = 0; i < kControlCount; ++i) {
        const ControlSpec& item = kControls[i];
        const int event = item.kind == ControlKind::kTextBox ? EN_CHANGE : BN_CLICKED;
        if (item.id == id && item.action && code == event) item.action(window);
    }
    for (size_t i = 0; i < kMenuEntryCount; ++i) {
        const MenuEntrySpec& entry = kMenuEntries[i];
        if (entry.id != id || code != 0) continue;
        if (entry.action) entry.action(window);
        else PlaceShortcutInSpecialFolder(window, entry.specialFolder);
    }
}

// The window keeps its focus as a dialog box does: leaving the window (for a modal window, a menu or
// another program) remembers the control that has the focus, and coming back gives it the focus again.
static void RememberFocus(MainWindow& window) {
    HWND focus = GetFocus();
    if (IsChild(window.hwnd, focus)) window.focusedControl = focus;
}

// A control disabled meanwhile cannot take the focus: the next one in Tab order takes it.
static void RestoreFocus(const MainWindow& window) {
    HWND control = window.focusedControl;
    if (!IsWindowEnabled(control)) control = GetNextDlgTabItem(window.hwnd, control, FALSE);
    SetFocus(control);
}

static LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow* window = MainWindowOf(hwnd);
    switch (message) {
    case WM_NCCREATE:
        window = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
        break;
    case WM_COMMAND:
        if (window) OnCommand(*window, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) RememberFocus(*window);
        else if (!HIWORD(wParam)) RestoreFocus(*window);  // not while minimised
        return 0;
    case WM_SETFOCUS:
        RestoreFocus(*window);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        PaintSeparator(*window, dc);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_DESTROY:
        if (window->dropRegistered) RevokeTargetBoxDrop(*window);
        DestroyMenu(window->destinationMenu);
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:  // after the controls, which use the font until they are gone
        DeleteObject(window->font);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

static void RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), 0));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kMainWindowClass;
    RegisterClassExW(&wc);
}

// The window-state list's entries, each with the show command it stores; the first chosen.
static void FillWindowStateList(const MainWindow& window) {
    // 最小化 stores 2 (SW_SHOWMINIMIZED), which Windows starts minimised and which every shortcut this
    // program has written carries. The format's documentation names 7 for minimised, and readers that
    // follow it take any value but 1, 3 and 7 as normal.
    const struct {
        const wchar_t* text;
        LPARAM showCommand;
    } states[] = {{L"通常のウインドウ", SW_SHOWNORMAL}, {L"最小化", SW_SHOWMINIMIZED}, {L"最大化", SW_SHOWMAXIMIZED}};
    for (const auto& state : states) {
        const LRESULT entry = SendMessageW(Control(window, kWindowStateListId), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(state.text));
        SendMessageW(Control(window, kWindowStateListId), CB_SETITEMDATA, entry, state.showCommand);
    }
    SendMessageW(Control(window, kWindowStateListId), CB_SETCURSEL, 0, 0);
}

// The main window and its controls, filled from the command line's target (its double quotes removed),
// shown and painted.
static HWND CreateMainWindow(HINSTANCE instance, MainWindow& window, const std::wstring& argumentText, int showCommand) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterMainWindowClass(instance);
    RegisterPictureBoxClass(instance);

    HDC screen = GetDC(nullptr);
    window.dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT frame = {0, 0, TwipsToPixels(window, kClientWidth), TwipsToPixels(window, kClientHeight)};
    AdjustWindowRectEx(&frame, kMainWindowStyle, FALSE, kMainWindowExStyle);
    HWND hwnd = CreateWindowExW(kMainWindowExStyle, kMainWindowClass, kMainWindowTitle, kMainWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, &window);
    if (!hwnd) return nullptr;
    window.font = CreateDialogFont(window);
    window.destinationMenu = CreateDestinationMenu();
    CreateControls(window, instance);
    FillWindowStateList(window);
    std::wstring target = argumentText;
    target.erase(std::remove(target.begin(), target.end(), L'"'), target.end());
    if (!target.empty()) ApplyTargetPath(window, target);
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
    return hwnd;
}

// Runs the window's messages until it is closed; Tab moves the focus, Enter and Esc press nothing.
static int RunMessages(HWND window) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

int RunProgram(HINSTANCE instance, const std::wstring& argumentText, int showCommand) {
    MainWindow window;
    const HWND hwnd = CreateMainWindow(instance, window, argumentText, showCommand);
    if (!hwnd) return 1;
    // Drag-and-drop, the screen-reader names and the folder browser need OLE on this thread; nothing on
    // screen does, so it starts once the window is shown. Without it the window works, without drops.
    const bool ole = SUCCEEDED(OleInitialize(nullptr));
    AddToolTips(window, instance);
    window.dropRegistered = ole && RegisterTargetBoxDrop(window);
    AnnotateForScreenReaders(window);
    const int result = RunMessages(hwnd);
    if (ole) OleUninitialize();
    return result;
}

void CloseMainWindow(MainWindow& window) {
    DestroyWindow(window.hwnd);
}
