// The calls on a system without Win32: every one fails, so nothing is written by accident.
// Tests of the portable core put their own table in place.
#include "platform.h"

static bool NoToAnsi(const std::u16string&, std::string*) { return false; }
static bool NoFromAnsi(const std::string&, std::u16string*) { return false; }
static uint32_t NoShortPathName(const std::string&, char*, uint32_t) { return 0; }
static uint32_t NoFileAttributes(const std::string&) { return 0xFFFFFFFFu; }
static bool NoFileSizeAndTime(const std::string&, uint64_t*, uint64_t*, uint64_t*) { return false; }
static bool NoFileIdentity(const std::string&, FileIdentity*) { return false; }
static bool NoFinalPath(const std::string&, std::u16string*) { return false; }
static uint32_t NoDriveType(const std::string&) { return 0; }
static bool NoVolumeInformation(const std::string&, char*, uint32_t, uint32_t*) { return false; }
static LnkFile NoCreateNewFile(const std::string&, bool* taken) { *taken = false; return nullptr; }
static bool NoSeekFile(LnkFile, uint32_t) { return false; }
static bool NoWriteFile(LnkFile, const uint8_t*, uint32_t, uint32_t* written) { *written = 0; return false; }
static bool NoFileCall(LnkFile) { return false; }
static bool NoDeleteFile(const std::string&) { return false; }
static bool NoReadAll(LnkFile, std::vector<uint8_t>*) { return false; }
static bool NoRenameOpenFile(LnkFile, const std::string&) { return false; }
static LnkFile NoOpenInPlace(const std::string&) { return nullptr; }
static bool NoSetFileEnd(LnkFile, uint32_t) { return false; }
static uint32_t NoProcessId() { return 0; }
static void NoPause(uint32_t) {}

const LnkPlatform& DefaultLnkPlatform() {
    static const LnkPlatform none = {
        .toAnsi = NoToAnsi,
        .fromAnsi = NoFromAnsi,
        .shortPathName = NoShortPathName,
        .fileAttributes = NoFileAttributes,
        .fileSizeAndTime = NoFileSizeAndTime,
        .fileIdentity = NoFileIdentity,
        .finalPath = NoFinalPath,
        .driveType = NoDriveType,
        .volumeInformation = NoVolumeInformation,
        .createNewFile = NoCreateNewFile,
        .seekFile = NoSeekFile,
        .writeFile = NoWriteFile,
        .flushFile = NoFileCall,
        .closeFile = NoFileCall,
        .deleteFile = NoDeleteFile,
        .readAll = NoReadAll,
        .renameOpenFile = NoRenameOpenFile,
        .openInPlace = NoOpenInPlace,
        .setFileEnd = NoSetFileEnd,
        .processId = NoProcessId,
        .pause = NoPause,
    };
    return none;
}
