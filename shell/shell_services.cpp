// Special folders and the common file dialogs. The dialogs and the shell queries use
// the wide calls, so that their Japanese titles show on any system.
#include "shell_services.h"

#include <cderr.h>
#include <commdlg.h>
#include <shlobj.h>
#include <shlwapi.h>

// The dialogs' file name buffers, as the program has always had them: a path chosen longer than 255
// characters gives no file.
constexpr DWORD kFileBufferChars = 256;
// The longest path the system has, in characters with its NUL.
constexpr DWORD kLongestPath = 32768;

std::wstring GetSpecialFolderPath(int32_t csidl) {
    PIDLIST_ABSOLUTE list = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, csidl, &list) != S_OK) return L"";
    wchar_t buffer[MAX_PATH] = {};
    const BOOL found = SHGetPathFromIDListW(list, buffer);
    ILFree(list);
    if (!found) return L"";
    std::wstring path = buffer;
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path;
}

// The name of the last item of a list, as its folder parses it: the folder's own name in a path.
static std::wstring LastItemName(PCIDLIST_ABSOLUTE list) {
    IShellFolder* parent = nullptr;
    PCUITEMID_CHILD last = nullptr;
    if (FAILED(SHBindToParent(list, IID_IShellFolder, reinterpret_cast<void**>(&parent), &last))) return L"";
    STRRET name;
    wchar_t text[MAX_PATH] = {};
    const bool named = SUCCEEDED(parent->GetDisplayNameOf(last, SHGDN_INFOLDER | SHGDN_FORPARSING, &name)) &&
                       SUCCEEDED(StrRetToBufW(&name, last, text, MAX_PATH));
    parent->Release();
    return named ? text : L"";
}

std::wstring FolderPathOf(PCIDLIST_ABSOLUTE list) {
    std::wstring path(kLongestPath, L'\0');
    if (!SHGetPathFromIDListEx(list, &path[0], kLongestPath, GPFIDL_DEFAULT)) return L"";
    path.resize(wcslen(path.c_str()));
    if (path.size() < MAX_PATH - 1) return path;  // shorter than where a path is cut: whole
    // A path cut short ends in part of a name, or in another folder's: the whole one ends in the folder's own.
    const std::wstring own = LastItemName(list);
    const size_t name = path.size() - own.size();
    const bool whole = !own.empty() && own.size() < path.size() && path.compare(name, own.size(), own) == 0 &&
                       path[name - 1] == L'\\';
    return whole ? path : L"";
}

std::wstring JoinFilter(std::initializer_list<const wchar_t*> parts) {
    std::wstring filter;
    for (const wchar_t* part : parts) {
        if (!filter.empty()) filter += L'\0';
        filter += part;
    }
    return filter;
}

static OPENFILENAMEW FileDialogRecord(HWND owner, const std::wstring& title, const std::wstring& filterZ,
                                      const wchar_t* initialFolder, std::wstring& file, std::wstring& fileTitle) {
    OPENFILENAMEW record = {};
    record.lStructSize = sizeof record;
    record.hwndOwner = owner;
    record.hInstance = GetModuleHandleW(nullptr);
    record.lpstrFilter = filterZ.c_str();
    record.lpstrFile = &file[0];
    record.nMaxFile = kFileBufferChars;
    record.lpstrFileTitle = &fileTitle[0];
    record.nMaxFileTitle = kFileBufferChars;
    record.lpstrInitialDir = initialFolder;
    record.lpstrTitle = title.c_str();
    return record;
}

// The text up to its first NUL.
static std::wstring UpToNul(const std::wstring& buffer) {
    return buffer.substr(0, buffer.find(L'\0'));
}

std::wstring ShowOpenDialog(HWND owner, const std::wstring& title, const std::wstring& filter,
                            const wchar_t* initialFolder) {
    const std::wstring filterZ = filter + std::wstring(2, L'\0');
    std::wstring file(kFileBufferChars + 1, L'\0'), fileTitle(kFileBufferChars + 1, L'\0');
    OPENFILENAMEW record = FileDialogRecord(owner, title, filterZ, initialFolder, file, fileTitle);
    record.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&record)) return L"";
    return UpToNul(file);
}

std::wstring ShowSaveDialog(HWND owner, const std::wstring& title, const std::wstring& filter,
                            const wchar_t* initialFolder, const std::wstring& proposedName, int32_t& filterIndex) {
    const std::wstring filterZ = filter + std::wstring(2, L'\0');
    // A name the name box cannot hold, or that the dialog refuses to open with (it then does not open at
    // all), is not proposed: the dialog opens with an empty name box instead.
    std::wstring proposal = proposedName.size() < kFileBufferChars ? proposedName : L"";
    for (;;) {
        std::wstring file = proposal + std::wstring(kFileBufferChars + 1 - proposal.size(), L'\0');
        std::wstring fileTitle(kFileBufferChars + 1, L'\0');
        OPENFILENAMEW record = FileDialogRecord(owner, title, filterZ, initialFolder, file, fileTitle);
        record.nFilterIndex = filterIndex + 1;
        record.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (GetSaveFileNameW(&record)) {
            filterIndex = static_cast<int32_t>(record.nFilterIndex) - 1;
            return UpToNul(file);
        }
        if (proposal.empty() || CommDlgExtendedError() != FNERR_INVALIDFILENAME) return L"";
        proposal.clear();
    }
}
