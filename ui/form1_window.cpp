// The window of Form1: its class, its controls built from the layout table, the separator it paints,
// and the dispatch of control events to the handlers.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cwctype>

#include "form1.h"
#include "form1_actions.h"
#include "form1_controls.h"
#include "picture_box.h"

const wchar_t kForm1Class[] = L"VantorelleForm1";
const wchar_t kForm1Title[] = L"Vantorelle";

constexpr DWORD kForm1Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kForm1ExStyle = WS_EX_CONTROLPARENT;
constexpr int kComboListRows = 6;
// What a text box takes, typed or pasted: the most characters a string of a shortcut holds (an edit
// box otherwise stops at its own default, 30,000 on some systems).
constexpr WPARAM kTextBoxLimit = 32767;

Form1* Form1Of(HWND form) {
    return reinterpret_cast<Form1*>(GetWindowLongPtrW(form, GWLP_USERDATA));
}

int TwipsToPixels(const Form1& form, int twips) {
    return MulDiv(twips, form.dpi, 1440);
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

static HFONT CreateDialogFont(const Form1& form) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = -TwipsToPixels(form, 180);  // 9 points, the dialog font's size
    return CreateFontIndirectW(&font);
}

static HMENU CreateMenuPopup() {
    HMENU special = CreatePopupMenu();
    const wchar_t* specialFolders[] = {L"スタートメニュー→プログラム(&P)", L"デスクトップ(&D)", L"スタートアップ(&U)",
                                       L"クイック起動(&Q)", L"『送る』メニュー(&S)"};
    for (int i = 0; i < 5; ++i) AppendMenuW(special, MF_STRING, kMenuSpecialFolderSetBase + i, specialFolders[i]);
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, kMenuFolderSetBase + 0, L"元のファイルと同じ場所(&O)");
    AppendMenuW(popup, MF_STRING, kMenuFolderSetBase + 1, L"ユーザー指定(&U)");
    AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(special), L"特殊フォルダ(&S)");
    return popup;
}

// The place of a control in the layout, in pixels of the client area.
static RECT PlaceOf(const Form1& form, const ControlSpec& item) {
    const int left = TwipsToPixels(form, item.left), top = TwipsToPixels(form, item.top);
    return {left, top, left + TwipsToPixels(form, item.width), top + TwipsToPixels(form, item.height)};
}

// A control in its initial state at its place.
static HWND CreateControl(Form1& form, const ControlSpec& item, const RECT& place, HINSTANCE instance) {
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
                                   place.top, place.right - place.left, height, form.hwnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(form.font), FALSE);
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
static RECT LabelPlaceOf(const Form1& form, const ControlSpec& label, HDC dc) {
    SIZE text = {};
    GetTextExtentPoint32W(dc, label.caption, static_cast<int>(wcslen(label.caption)), &text);
    const RECT place = PlaceOf(form, label);
    RECT grown = {place.left, place.top, std::max(place.right, place.left + text.cx),
                  std::max(place.bottom, place.top + text.cy)};
    for (size_t i = 0; i < kForm1ControlCount; ++i) {
        const RECT other = PlaceOf(form, kForm1Controls[i]);
        RECT both;
        if (&kForm1Controls[i] == &label || !IntersectRect(&both, &grown, &other)) continue;
        if (other.left >= place.right) grown.right = std::max(place.right, std::min(grown.right, other.left));
        if (other.top >= place.bottom) grown.bottom = std::max(place.bottom, std::min(grown.bottom, other.top));
    }
    return grown;
}

// Where Form1 keeps the handle of a control of the table; nullptr for a label, which it does not keep.
static HWND* HandleOf(Form1& form, const ControlSpec& item) {
    const std::wstring name = item.name;
    if (name == L"Text1") return &form.text1[item.index];
    if (name == L"Command1") return &form.command1[item.index];
    if (name == L"Command2") return &form.command2[item.index];
    if (name == L"Command3") return &form.command3[item.index];
    if (name == L"Text2") return &form.text2;
    if (name == L"Combo1") return &form.combo1;
    if (name == L"Picture1") return &form.picture1;
    return nullptr;
}

static void AddToolTips(Form1& form, HINSTANCE instance) {
    HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form.hwnd, nullptr, instance, nullptr);
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, TwipsToPixels(form, 5000));
    for (size_t i = 0; i < kForm1ControlCount; ++i) {
        const ControlSpec& item = kForm1Controls[i];
        if (!item.toolTip) continue;
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = form.hwnd;
        tool.uId = reinterpret_cast<UINT_PTR>(*HandleOf(form, item));
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
static void AnnotateForScreenReaders(Form1& form) {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services)))) {
        return;
    }
    for (size_t i = 0; i < kForm1ControlCount; ++i) {
        const ControlSpec& item = kForm1Controls[i];
        if (item.kind == ControlKind::kButton && SaysNothing(item.caption)) {
            services->SetHwndPropStr(*HandleOf(form, item), OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, item.toolTip);
        }
    }
    VARIANT role;
    VariantInit(&role);
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_GRAPHIC;
    services->SetHwndProp(form.picture1, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_ROLE, role);
    services->Release();
}

// Every control in its initial state, in the table's order; the labels at the size of their captions,
// all measured with one device context.
static void CreateControls(Form1& form, HINSTANCE instance) {
    HDC measure = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(measure, form.font);
    for (size_t i = 0; i < kForm1ControlCount; ++i) {
        const ControlSpec& item = kForm1Controls[i];
        const RECT place = item.kind == ControlKind::kLabel ? LabelPlaceOf(form, item, measure) : PlaceOf(form, item);
        HWND control = CreateControl(form, item, place, instance);
        if (HWND* kept = HandleOf(form, item)) *kept = control;
        if (item.kind == ControlKind::kComboList) FitComboHeight(control, TwipsToPixels(form, item.height));
    }
    SelectObject(measure, previous);
    DeleteDC(measure);
    form.focusedControl = form.text1[0];
    SendMessageW(form.text2, EM_LIMITTEXT, 1, 0);
    HookHotKeyBox(form);
}

static void PaintSeparator(const Form1& form, HDC dc) {
    for (const SeparatorLine& line : kSeparatorLines) {
        RECT band = {TwipsToPixels(form, line.left), TwipsToPixels(form, line.top), TwipsToPixels(form, line.right),
                     TwipsToPixels(form, line.top) + TwipsToPixels(form, line.width)};
        FillRect(dc, &band, GetSysColorBrush(line.colorIndex));
    }
}

// A control event, translated into the handler of its control array.
static void OnCommand(Form1& form, int id, int code) {
    const auto in = [id](int base, int count) { return id >= base && id < base + count; };
    const auto index = [id](int base) { return static_cast<int16_t>(id - base); };
    if (in(kText1Base, kText1Count)) {
        if (code == EN_CHANGE) Text1_Change(form, index(kText1Base));
    } else if (code == BN_CLICKED && in(kCommand1Base, kCommand1Count)) {
        Command1_Click(form, index(kCommand1Base));
    } else if (code == BN_CLICKED && in(kCommand2Base, kCommand2Count)) {
        Command2_Click(form, index(kCommand2Base));
    } else if (code == BN_CLICKED && in(kCommand3Base, kCommand3Count)) {
        Command3_Click(form, index(kCommand3Base));
    } else if (code == 0 && in(kMenuFolderSetBase, kMenuFolderSetCount)) {
        Menu_FolderSet_Click(form, index(kMenuFolderSetBase));
    } else if (code == 0 && in(kMenuSpecialFolderSetBase, kMenuSpecialFolderSetCount)) {
        Menu_SpecialFolder_Set_Click(form, index(kMenuSpecialFolderSetBase));
    }
}

// The window keeps its focus as a dialog box does: leaving the window (for a modal window, a menu or
// another program) remembers the control that has the focus, and coming back gives it the focus again.
static void RememberFocus(Form1& form) {
    HWND focus = GetFocus();
    if (IsChild(form.hwnd, focus)) form.focusedControl = focus;
}

// A control disabled meanwhile cannot take the focus: the next one in Tab order takes it.
static void RestoreFocus(const Form1& form) {
    HWND control = form.focusedControl;
    if (!IsWindowEnabled(control)) control = GetNextDlgTabItem(form.hwnd, control, FALSE);
    SetFocus(control);
}

static LRESULT CALLBACK Form1Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Form1* form = Form1Of(hwnd);
    switch (message) {
    case WM_NCCREATE:
        form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        break;
    case WM_COMMAND:
        if (form) OnCommand(*form, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) RememberFocus(*form);
        else if (!HIWORD(wParam)) RestoreFocus(*form);  // not while minimised
        return 0;
    case WM_SETFOCUS:
        RestoreFocus(*form);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        PaintSeparator(*form, dc);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_DESTROY:
        RevokeTargetBoxDrop(*form);
        DestroyMenu(form->menuPopup);
        DeleteObject(form->font);
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

static void RegisterForm1Class(HINSTANCE instance) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Form1Proc;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), 0));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kForm1Class;
    RegisterClassExW(&wc);
}

HWND CreateForm1(HINSTANCE instance, Form1& form, const std::wstring& argumentText, int showCommand) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterForm1Class(instance);
    RegisterPictureBoxClass(instance);

    HDC screen = GetDC(nullptr);
    form.dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT frame = {0, 0, TwipsToPixels(form, kForm1ClientWidth), TwipsToPixels(form, kForm1ClientHeight)};
    AdjustWindowRectEx(&frame, kForm1Style, FALSE, kForm1ExStyle);
    HWND hwnd = CreateWindowExW(kForm1ExStyle, kForm1Class, kForm1Title, kForm1Style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, &form);
    if (!hwnd) return nullptr;
    form.font = CreateDialogFont(form);
    form.menuPopup = CreateMenuPopup();
    CreateControls(form, instance);
    Form_Load(form, argumentText);
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
    return hwnd;
}

void FinishForm1(HINSTANCE instance, Form1& form) {
    AddToolTips(form, instance);
    RegisterTargetBoxDrop(form);
    AnnotateForScreenReaders(form);
}

int RunForm1(HWND form) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(form, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
