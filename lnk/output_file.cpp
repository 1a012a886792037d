// The positioned writer: one open-write-flush-close cycle per block.
#include "output_file.h"

#include "platform.h"

int32_t WriteBytesAt(const std::string& path, const uint8_t* bytes, uint32_t count, uint32_t offset, int32_t position) {
    const LnkPlatform& os = LnkSystem();
    LnkFile file = os.openFile(path, position == kCreateFile);
    if (!file) return -1;

    // A seek that fails must not let the block land at the start of the file.
    uint32_t written = 0;
    bool ok = position <= 0 || os.seekFile(file, static_cast<uint32_t>(position));
    ok = ok && os.writeFile(file, bytes + offset, count, &written);
    ok = os.flushFile(file) && ok;
    ok = os.closeFile(file) && ok;
    return ok ? static_cast<int32_t>(written) : 0;
}
