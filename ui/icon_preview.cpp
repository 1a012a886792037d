// The icon preview: counts and draws the icons of the icon file with the ANSI shell calls, once its
// icon directory is known to fit the file.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "form1_actions.h"
#include "lnk/text.h"
#include "picture_box.h"

// The system reads any file that does not start with "MZ" as an icon file and trusts its directory:
// an entry or an image outside the file makes it read outside memory, and under Wine the process dies.
// So the directory's entries, and the image each names, must lie within the file.
static bool IconDirectoryFits(HANDLE file) {
    LARGE_INTEGER length;
    uint8_t header[6] = {};
    DWORD got = 0;
    if (!GetFileSizeEx(file, &length) || !ReadFile(file, header, sizeof header, &got, nullptr)) return false;
    if (got >= 2 && header[0] == 'M' && header[1] == 'Z') return true;  // an executable: the system's own reader
    const uint64_t count = header[4] | header[5] << 8;
    if (got < sizeof header || sizeof header + 16 * count > static_cast<uint64_t>(length.QuadPart)) return false;
    std::vector<uint8_t> entries(16 * count);
    if (!ReadFile(file, entries.data(), static_cast<DWORD>(entries.size()), &got, nullptr) || got != entries.size()) {
        return false;
    }
    const auto u32 = [](const uint8_t* at) {
        return static_cast<uint64_t>(at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24);
    };
    for (const uint8_t* entry = entries.data(); entry != entries.data() + entries.size(); entry += 16) {
        if (u32(entry + 12) + u32(entry + 8) > static_cast<uint64_t>(length.QuadPart)) return false;  // offset + size
    }
    return true;
}

// The icon file as the system finds it (searched for as the system searches), in its ANSI form; "" when
// the name has no exact ANSI form, no file is found, or its icon directory does not fit the file.
static std::string SoundIconFile(const Form1& form) {
    const std::u16string name = TextOf16(form.text1[4]);
    std::string ansi;
    if (name.empty() || !ToAnsi(name, &ansi)) return "";
    // The found path can take more bytes than MAX_PATH in a multi-byte code page: sized by the answer.
    const DWORD size = SearchPathA(nullptr, ansi.c_str(), nullptr, 0, nullptr, nullptr);
    std::string found(size, '\0');
    const DWORD length = size ? SearchPathA(nullptr, ansi.c_str(), nullptr, size, &found[0], nullptr) : 0;
    if (length == 0 || length >= size) return "";
    found.resize(length);
    // Shared as the system's own reader shares it: an icon editor may hold the file open for writing.
    HANDLE file = CreateFileA(found.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    const bool fits = IconDirectoryFits(file);
    CloseHandle(file);
    return fits ? found : "";
}

// ExtractIconA of the icon file; a broken one holds no icons.
static HICON ExtractFromIconFile(const Form1& form, UINT index) {
    const std::string file = SoundIconFile(form);
    return file.empty() ? nullptr : ExtractIconA(nullptr, file.c_str(), index);
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
        const int offset = TwipsToPixels(form, 60);  // 4 pixels at 96 DPI
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
