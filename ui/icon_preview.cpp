// The icon preview: counts and draws the icons of the icon file with the ANSI shell calls.
#include <windows.h>
#include <shellapi.h>

#include "form1_actions.h"
#include "lnk/text.h"
#include "picture_box.h"

// ExtractIconA of the icon file; the name must have an exact ANSI form, or no icon is read.
static HICON ExtractFromIconFile(const Form1& form, UINT index) {
    const std::u16string file = TextOf16(form.text1[4]);
    std::string ansi;
    if (file.empty() || !ToAnsi(file, &ansi)) return nullptr;
    return ExtractIconA(nullptr, ansi.c_str(), index);
}

static int32_t IconCount(const Form1& form) {
    return static_cast<int32_t>(reinterpret_cast<INT_PTR>(ExtractFromIconFile(form, static_cast<UINT>(-1))));
}

static void EnableIconButtons(const Form1& form, BOOL enable) {
    EnableWindow(form.command3[0], enable);
    EnableWindow(form.command3[1], enable);
}

// Draws the chosen icon at (4, 4) into the cleared preview.
static void ShowChosenIcon(const Form1& form) {
    HICON icon = ExtractFromIconFile(form, static_cast<UINT>(form.CurrentIconIndex));
    PictureClear(form.picture1);
    // ExtractIcon answers 1 for a file that is no icon container: not a handle to draw.
    if (reinterpret_cast<INT_PTR>(icon) > 1) {
        const int offset = MulDiv(4, form.dpi, 96);
        DrawIcon(PictureDC(form.picture1), offset, offset, icon);
        DestroyIcon(icon);
    }
    PictureRefresh(form.picture1);
}

void ShowIconsOfIconFile(Form1& form) {
    const int32_t count = IconCount(form);
    if (count > 0) {
        EnableIconButtons(form, TRUE);
        form.LastIconIndex = count - 1;
        form.CurrentIconIndex = 0;
        StepIcon(form, -1);
    } else {
        PictureClear(form.picture1);
        PictureRefresh(form.picture1);
        EnableIconButtons(form, FALSE);
    }
}

void StepIcon(Form1& form, int step) {
    const int32_t next = form.CurrentIconIndex + step;
    form.CurrentIconIndex = next < 0 ? 0 : next > form.LastIconIndex ? form.LastIconIndex : next;
    ShowChosenIcon(form);
}
