// Writes beside, reads back, compares, then replaces in one step; in place when another program holds
// the shortcut open.
#include "shortcut_file.h"

#include <algorithm>

#include "output_file.h"
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

// A temporary path in the shortcut's folder that names no existing file.
static bool ChooseTemporaryPath(const std::u16string& linkPath, std::string* ansiTemporary) {
    const LnkPlatform& os = LnkSystem();
    const uint32_t processId = os.processId();
    for (uint32_t attempt = 1; attempt <= kTemporaryNameAttempts; ++attempt) {
        if (!ToAnsi(TemporaryPathBeside(linkPath, processId, attempt), ansiTemporary)) return false;
        if (os.fileAttributes(*ansiTemporary) == kNoAttributes) return true;
    }
    return false;
}

bool WriteBlocks(const std::string& path, const std::vector<ByteBuffer>& blocks) {
    int32_t position = kCreateFile;
    for (const ByteBuffer& block : blocks) {
        const int32_t written = WriteBytesAt(path, block.data(), static_cast<uint32_t>(block.size()), 0, position);
        if (written != ByteCount(block)) return false;
        position = (position == kCreateFile ? 0 : position) + written;
    }
    return true;
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
    const auto size = static_cast<uint32_t>(bytes.size());
    uint32_t written = 0;
    std::vector<uint8_t> back;
    return os.seekFile(file, 0) && os.writeFile(file, bytes.data(), size, &written) && written == size &&
           os.setFileEnd(file, size) && os.flushFile(file) && os.readAll(file, &back) && back == bytes;
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

// Opens the temporary file so that no one can change it, checks it against the blocks and renames it
// over the shortcut, or, when the shortcut cannot be replaced, writes its bytes into the shortcut.
// renamed tells whether the temporary file has become the shortcut.
static bool CheckAndReplace(const std::string& temporary, const ShortcutBlocks& shortcut, bool* renamed) {
    const LnkPlatform& os = LnkSystem();
    LnkFile file = os.openForRename(temporary);
    if (!file) return false;
    std::vector<uint8_t> content;
    const bool checked = os.readAll(file, &content) && HoldsExactly(content, shortcut.blocks);
    *renamed = checked && RenameWithRetries(file, shortcut.ansiLinkPath);
    os.closeFile(file);  // a read handle: nothing is lost if its close fails
    return *renamed || (checked && ReplaceInPlace(content, shortcut.ansiLinkPath));
}

bool WriteShortcutFile(const ShortcutBlocks& shortcut) {
    const LnkPlatform& os = LnkSystem();
    const uint32_t existing = os.fileAttributes(shortcut.ansiLinkPath);
    const uint32_t neverReplaced = kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeDirectory;
    if (existing != kNoAttributes && (existing & neverReplaced)) return false;

    std::string temporary;
    if (!ChooseTemporaryPath(shortcut.linkPath, &temporary)) return false;
    bool renamed = false;
    const bool ok = WriteBlocks(temporary, shortcut.blocks) && CheckAndReplace(temporary, shortcut, &renamed);
    if (!renamed) os.deleteFile(temporary);
    return ok;
}
