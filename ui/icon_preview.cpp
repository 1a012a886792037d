// The icon preview: counts and draws the icons of the icon file with the ANSI shell calls, once the
// system's reader is known to read only inside the file.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "window_actions.h"
#include "shell/icon_file_check.h"
#include "lnk/text.h"
#include "picture_box.h"

// Maps the file as the system's reader maps it and follows the reader through it.
static bool IconReaderStaysInsideFile(HANDLE file) {
    LARGE_INTEGER length;
    if (!GetFileSizeEx(file, &length) || length.QuadPart == 0) return false;  // an empty file cannot be mapped
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping) return false;
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    CloseHandle(mapping);
    if (!view) return false;
    const bool inside = IconReaderStaysInside(static_cast<const uint8_t*>(view), static_cast<uint64_t>(length.QuadPart));
    UnmapViewOfFile(view);
    return inside;
}

// The icon file as the system finds it (searched for as the system searches), in its ANSI form; "" when
// the name has no exact ANSI form, no file is found, or the system's reader would read outside it.
static std::string SoundIconFile(const MainWindow& window) {
    const std::u16string name = TextOf16(window.iconFileBox);
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
    const bool fits = IconReaderStaysInsideFile(file);
    CloseHandle(file);
    return fits ? found : "";
}

// ExtractIconA of the icon file; a broken one holds no icons.
static HICON ExtractFromIconFile(const MainWindow& window, UINT index) {
    const std::string file = SoundIconFile(window);
    return file.empty() ? nullptr : ExtractIconA(nullptr, file.c_str(), index);
}

static int32_t IconCount(const MainWindow& window) {
    return static_cast<int32_t>(reinterpret_cast<INT_PTR>(ExtractFromIconFile(window, static_cast<UINT>(-1))));
}

static void EnableIconButtons(const MainWindow& window, BOOL enable) {
    EnableWindow(window.previousIconButton, enable);
    EnableWindow(window.nextIconButton, enable);
}

// Draws the chosen icon at (4, 4) into the cleared preview.
static void ShowChosenIcon(const MainWindow& window) {
    HICON icon = ExtractFromIconFile(window, static_cast<UINT>(window.CurrentIconIndex));
    PictureClear(window.iconPreview);
    // ExtractIcon answers 1 for a file that is no icon container: not a handle to draw.
    if (reinterpret_cast<INT_PTR>(icon) > 1) {
        const int offset = TwipsToPixels(window, 60);  // 4 pixels at 96 DPI
        DrawIcon(PictureDC(window.iconPreview), offset, offset, icon);
        DestroyIcon(icon);
    }
    PictureRefresh(window.iconPreview);
}

void ShowIconsOfIconFile(MainWindow& window) {
    const int32_t count = IconCount(window);
    if (count > 0) {
        EnableIconButtons(window, TRUE);
        window.LastIconIndex = count - 1;
        window.CurrentIconIndex = 0;
        StepIcon(window, -1);
    } else {
        PictureClear(window.iconPreview);
        PictureRefresh(window.iconPreview);
        EnableIconButtons(window, FALSE);
    }
}

void StepIcon(MainWindow& window, int step) {
    const int32_t next = window.CurrentIconIndex + step;
    window.CurrentIconIndex = next < 0 ? 0 : next > window.LastIconIndex ? window.LastIconIndex : next;
    ShowChosenIcon(window);
}
