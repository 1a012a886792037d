// Writes beside, reads back, compares, then replaces in one step; in place when another program holds
// the shortcut open.
#include "shortcut_file.h"

#include "platform.h"
#include "text.h"

constexpr uint32_t kTemporaryNameAttempts = 100;
// Another program that has the shortcut open for a moment (Explorer reading it, a virus scanner)
// makes the replace fail; it is tried again for up to a quarter of a second.
constexpr int kReplaceAttempts = 25;
constexpr uint32_t kReplacePauseMs = 10;

static std::u16string Decimal(uint32_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value);
    return digits;
}

// The temporary file beside a shortcut path for a given process and attempt, such as
// "C:\Links\~vantorelle-1234-1.tmp".
static std::u16string TemporaryPathBeside(const std::u16string& linkPath, uint32_t processId, uint32_t attempt) {
    const std::u16string folder = linkPath.substr(0, FileNameStart(linkPath));
    return folder + u"~vantorelle-" + Decimal(processId) + u"-" + Decimal(attempt) + u".tmp";
}

// Makes a new temporary file in the shortcut's folder, under the first free name.
static LnkFile CreateTemporaryBeside(const LnkPlatform& os, const std::u16string& linkPath, std::string* ansiTemporary) {
    const uint32_t processId = os.processId();
    for (uint32_t attempt = 1; attempt <= kTemporaryNameAttempts; ++attempt) {
        if (!ToAnsi(os, TemporaryPathBeside(linkPath, processId, attempt), ansiTemporary)) return nullptr;
        bool taken = false;
        LnkFile file = os.createNewFile(*ansiTemporary, &taken);
        if (file || !taken) return file;
    }
    return nullptr;
}

// Writes bytes at the file pointer; false unless every one was written.
static bool WriteWhole(const LnkPlatform& os, LnkFile file, const std::vector<uint8_t>& bytes) {
    uint32_t written = 0;
    const auto size = static_cast<uint32_t>(bytes.size());
    return os.writeFile(file, bytes.data(), size, &written) && written == size;
}

// Renames, trying again while another program holds the shortcut open.
static bool RenameWithRetries(const LnkPlatform& os, LnkFile file, const std::string& path) {
    for (int attempt = 1; attempt < kReplaceAttempts; ++attempt) {
        if (os.renameOpenFile(file, path)) return true;
        os.pause(kReplacePauseMs);
    }
    return os.renameOpenFile(file, path);
}

// Writes bytes as the whole content of a file opened in place, flushes them and reads them back.
static bool PutContent(const LnkPlatform& os, LnkFile file, const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> back;
    return os.seekFile(file, 0) && WriteWhole(os, file, bytes) && os.setFileEnd(file, static_cast<uint32_t>(bytes.size())) &&
           os.flushFile(file) && os.readAll(file, &back) && back == bytes;
}

// The shortcut is held open by another program that lets others read and write it, but not replace
// it: the checked bytes are written into it, through a handle shared with that program. If they cannot
// be written and read back whole, the old bytes are put back. Once they are flushed and read back, a
// failed close loses nothing: the shortcut holds them.
static bool ReplaceInPlace(const LnkPlatform& os, const std::vector<uint8_t>& content, const std::string& path) {
    LnkFile file = os.openInPlace(path);
    if (!file) return false;
    std::vector<uint8_t> old;
    bool ok = os.readAll(file, &old);
    if (ok && !PutContent(os, file, content)) {
        PutContent(os, file, old);
        ok = false;
    }
    os.closeFile(file);
    return ok;
}

// The bytes go in one write into a new file beside the shortcut, through one handle that no other
// program can write: flushed so that they are on the disk before the rename, read back and compared,
// then renamed over the shortcut. When the shortcut cannot be replaced, the checked bytes are written
// into it in place instead.
bool WriteShortcutFile(const LnkPlatform& os, const ByteBuffer& bytes, const std::u16string& linkPath,
                       const std::string& ansiLinkPath) {
    std::string temporary;
    LnkFile file = CreateTemporaryBeside(os, linkPath, &temporary);
    if (!file) return false;
    std::vector<uint8_t> content;
    const bool checked = WriteWhole(os, file, bytes) && os.flushFile(file) && os.readAll(file, &content) && content == bytes;
    const bool renamed = checked && RenameWithRetries(os, file, ansiLinkPath);
    os.closeFile(file);  // flushed and read back: nothing is lost if the close fails
    if (renamed) return true;
    os.deleteFile(temporary);
    return checked && ReplaceInPlace(os, content, ansiLinkPath);
}
