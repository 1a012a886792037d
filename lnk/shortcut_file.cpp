// Writes beside, reads back, compares, then replaces in one step; in place when another program holds
// the shortcut open.
#include "shortcut_file.h"

#include <algorithm>

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
    const size_t slash = linkPath.find_last_of(u"\\/:");
    const std::u16string folder = slash == std::u16string::npos ? u"" : linkPath.substr(0, slash + 1);
    return folder + u"~vantorelle-" + Decimal(processId) + u"-" + Decimal(attempt) + u".tmp";
}

// Makes a new temporary file in the shortcut's folder, under the first free name.
static LnkFile CreateTemporaryBeside(const std::u16string& linkPath, std::string* ansiTemporary) {
    const LnkPlatform& os = LnkSystem();
    const uint32_t processId = os.processId();
    for (uint32_t attempt = 1; attempt <= kTemporaryNameAttempts; ++attempt) {
        if (!ToAnsi(TemporaryPathBeside(linkPath, processId, attempt), ansiTemporary)) return nullptr;
        bool taken = false;
        LnkFile file = os.createNewFile(*ansiTemporary, &taken);
        if (file || !taken) return file;
    }
    return nullptr;
}

// Writes bytes at the file pointer; false unless every one was written.
static bool WriteWhole(LnkFile file, const std::vector<uint8_t>& bytes) {
    uint32_t written = 0;
    const auto size = static_cast<uint32_t>(bytes.size());
    return LnkSystem().writeFile(file, bytes.data(), size, &written) && written == size;
}

// The content read back holds exactly the blocks, one after another.
static bool HoldsExactly(const std::vector<uint8_t>& content, const std::vector<ByteBuffer>& blocks) {
    size_t at = 0;
    for (const ByteBuffer& block : blocks) {
        if (content.size() - at < block.size() || !std::equal(block.begin(), block.end(), content.begin() + at)) {
            return false;
        }
        at += block.size();
    }
    return at == content.size();
}

// Renames, trying again while another program holds the shortcut open.
static bool RenameWithRetries(LnkFile file, const std::string& path) {
    const LnkPlatform& os = LnkSystem();
    for (int attempt = 1; attempt < kReplaceAttempts; ++attempt) {
        if (os.renameOpenFile(file, path)) return true;
        os.pause(kReplacePauseMs);
    }
    return os.renameOpenFile(file, path);
}

// Writes bytes as the whole content of a file opened in place, flushes them and reads them back.
static bool PutContent(LnkFile file, const std::vector<uint8_t>& bytes) {
    const LnkPlatform& os = LnkSystem();
    std::vector<uint8_t> back;
    return os.seekFile(file, 0) && WriteWhole(file, bytes) && os.setFileEnd(file, static_cast<uint32_t>(bytes.size())) &&
           os.flushFile(file) && os.readAll(file, &back) && back == bytes;
}

// The shortcut is held open by another program that lets others read and write it, but not replace
// it: the checked bytes are written into it, through a handle shared with that program. If they cannot
// be written and read back whole, the old bytes are put back. Once they are flushed and read back, a
// failed close loses nothing: the shortcut holds them.
static bool ReplaceInPlace(const std::vector<uint8_t>& content, const std::string& path) {
    const LnkPlatform& os = LnkSystem();
    LnkFile file = os.openInPlace(path);
    if (!file) return false;
    std::vector<uint8_t> old;
    bool ok = os.readAll(file, &old);
    if (ok && !PutContent(file, content)) {
        PutContent(file, old);
        ok = false;
    }
    os.closeFile(file);
    return ok;
}

// The blocks go one after another into a new file beside the shortcut, through one handle that no
// other program can write: flushed once so that they are on the disk before the rename, read back and
// compared, then renamed over the shortcut. When the shortcut cannot be replaced, the checked bytes
// are written into it in place instead.
bool WriteShortcutFile(const ShortcutBlocks& shortcut) {
    const LnkPlatform& os = LnkSystem();
    std::string temporary;
    LnkFile file = CreateTemporaryBeside(shortcut.linkPath, &temporary);
    if (!file) return false;
    bool written = true;
    for (const ByteBuffer& block : shortcut.blocks) written = written && WriteWhole(file, block);
    std::vector<uint8_t> content;
    const bool checked = written && os.flushFile(file) && os.readAll(file, &content) && HoldsExactly(content, shortcut.blocks);
    const bool renamed = checked && RenameWithRetries(file, shortcut.ansiLinkPath);
    os.closeFile(file);  // flushed and read back: nothing is lost if the close fails
    if (renamed) return true;
    os.deleteFile(temporary);
    return checked && ReplaceInPlace(content, shortcut.ansiLinkPath);
}
