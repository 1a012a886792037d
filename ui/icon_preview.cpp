// The icon preview: counts and draws the icons of the icon file with the ANSI shell calls, once the
// system's reader is known to read only inside the file.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "window_actions.h"
#include "shell/icon_file_check.h"
#include "lnk/platform.h"
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
    const std::u16string name = TextOf16(Control(window, kIconFileBoxId));
    std::string ansi;
    if (name.empty() || !ToAnsi(DefaultLnkPlatform(), name, &ansi)) return "";
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

static void EnableIconButtons(const MainWindow& window, BOOL enable) {
    EnableWindow(Control(window, kPreviousIconButtonId), enable);
    EnableWindow(Control(window, kNextIconButtonId), enable);
}

// Draws the chosen icon of a checked icon file ("": none) at (4, 4) into the cleared preview.
static void ShowChosenIcon(const MainWindow& window, const std::string& file) {
    HICON icon = file.empty() ? nullptr : ExtractIconA(nullptr, file.c_str(), static_cast<UINT>(window.chosenIcon));
    PictureClear(Control(window, kIconPreviewId));
    // ExtractIcon answers 1 for a file that is no icon container: not a handle to draw.
    if (reinterpret_cast<INT_PTR>(icon) > 1) {
        const int offset = TwipsToPixels(window, 60);  // 4 pixels at 96 DPI
        DrawIcon(PictureDC(Control(window, kIconPreviewId)), offset, offset, icon);
        DestroyIcon(icon);
    }
    PictureRefresh(Control(window, kIconPreviewId));
}

// The file is checked once per change; a file without icons shows none and keeps the chosen icon.
void ShowIconsOfIconFile(MainWindow& window) {
    const std::string file = SoundIconFile(window);
    const auto count = file.empty() ? 0 : reinterpret_cast<INT_PTR>(ExtractIconA(nullptr, file.c_str(), static_cast<UINT>(-1)));
    EnableIconButtons(window, count > 0);
    if (count > 0) {
        window.lastIcon = static_cast<int32_t>(count - 1);
        window.chosenIcon = 0;
    }
    ShowChosenIcon(window, count > 0 ? file : "");
}

// Moves the chosen icon by step within the icon file, without wrapping; the file is checked again, as
// it may have changed since it was shown.
static void StepIcon(MainWindow& window, int step) {
    const int32_t next = window.chosenIcon + step;
    window.chosenIcon = next < 0 ? 0 : next > window.lastIcon ? window.lastIcon : next;
    ShowChosenIcon(window, SoundIconFile(window));
}

void ShowPreviousIcon(MainWindow& window) {
    StepIcon(window, -1);
}

void ShowNextIcon(MainWindow& window) {
    StepIcon(window, +1);
}
