// Follows the system's icon reader through a file, as it finds its way, and checks every read it makes
// against the file's end: an icon file's directory and images; a Windows executable's headers, section
// table and resource tree down to the icon groups and the icons they name.
#include "icon_file_check.h"

#include <vector>

namespace {

// The file's bytes, read little-endian only where a range has been found inside them.
struct FileBytes {
    const uint8_t* data;
    uint64_t size;

    bool Has(uint64_t at, uint64_t length) const { return at <= size && length <= size - at; }
    uint32_t U16(uint64_t at) const { return data[at] | data[at + 1] << 8; }
    uint32_t U32(uint64_t at) const { return U16(at) | U16(at + 2) << 16; }
};

constexpr uint64_t kNothing = ~uint64_t{0};

// An icon group, as the reader's choice of an icon reads it: a 6-byte header, then 14 bytes per icon
// ending in the icon's id. Adds the ids to icons; false when the group runs past the file's end.
bool ReadIconGroup(const FileBytes& file, uint64_t at, std::vector<uint32_t>* icons) {
    if (!file.Has(at, 6) || !file.Has(at + 6, 14 * uint64_t{file.U16(at + 4)})) return false;
    for (uint64_t entry = at + 6, end = at + 6 + 14 * uint64_t{file.U16(at + 4)}; entry < end; entry += 14) {
        icons->push_back(file.U16(entry + 12));
    }
    return true;
}

// An icon file: its directory of 16-byte entries, and the image each names.
bool IconFileStaysInside(const FileBytes& file) {
    if (!file.Has(0, 6)) return false;
    const uint64_t count = file.U16(4);
    if (!file.Has(6, 16 * count)) return false;
    for (uint64_t entry = 6; entry < 6 + 16 * count; entry += 16) {
        if (!file.Has(file.U32(entry + 12), file.U32(entry + 8))) return false;  // offset, size
    }
    return true;
}

// A Windows executable (PE), mapped as a plain file: addresses inside it are found through its section
// table, as the reader finds them.
class PeFile {
public:
    PeFile(const FileBytes& file, uint64_t headers) : file_(file), headers_(headers) {}

    bool StaysInside() {
        const uint64_t optional = headers_ + 24;
        if (!file_.Has(headers_ + 4, 20) || !file_.Has(optional, 2)) return false;
        // The data directories begin at 96 in a 32-bit optional header, at 112 in a 64-bit one.
        const uint32_t magic = file_.U16(optional);
        const uint64_t directories = magic == 0x10B ? 96 : magic == 0x20B ? 112 : 0;
        constexpr uint64_t kResources = 2;
        if (!directories || !file_.Has(optional, directories + 8 * (kResources + 1))) return false;
        if (file_.U32(optional + directories - 4) <= kResources) return false;  // NumberOfRvaAndSizes
        sections_ = optional + file_.U16(headers_ + 20);                       // + SizeOfOptionalHeader
        sectionCount_ = file_.U16(headers_ + 6);
        if (!file_.Has(sections_, 40 * sectionCount_)) return false;
        const uint32_t rootAddress = file_.U32(optional + directories + 8 * kResources);
        if (rootAddress == 0) return false;
        // A resource tree within the headers is read where it lies in the file.
        root_ = rootAddress < file_.U32(optional + 60) ? rootAddress : FileOffset(rootAddress);  // SizeOfHeaders
        if (root_ == kNothing) return false;

        constexpr uint32_t kIconGroups = 14, kIcons = 3;
        const uint64_t groups = FindById(root_, kIconGroups);
        if (groups == kNothing || !DirectoryFits(groups)) return false;
        std::vector<uint32_t> icons;
        for (uint64_t i = 0; i < EntryCount(groups); ++i) {
            const uint64_t data = DataEntry(Below(groups + 16 + 8 * i));
            if (data == kNothing) return false;
            const uint64_t group = FileOffset(file_.U32(data));
            if (group != kNothing && !ReadIconGroup(file_, group, &icons)) return false;  // else: not read
        }
        const uint64_t iconDirectory = FindById(root_, kIcons);
        if (iconDirectory == kNothing) return true;  // the reader stops there
        if (!DirectoryFits(iconDirectory)) return false;
        for (uint32_t id : icons) {
            const uint64_t found = FindById(iconDirectory, id);
            if (found == kNothing) continue;  // an icon the group names but the file lacks: skipped
            const uint64_t data = DataEntry(found);
            if (data == kNothing) return false;
            const uint64_t icon = FileOffset(file_.U32(data));
            if (icon != kNothing && !file_.Has(icon, file_.U32(data + 4))) return false;
        }
        return true;
    }

private:
    // Where an address of the loaded image lies in the file: in the first section whose raw data
    // covers it (the reader adds in 32 bits, as here); kNothing when none does.
    uint64_t FileOffset(uint32_t address) const {
        for (uint64_t section = sections_; section < sections_ + 40 * sectionCount_; section += 40) {
            const uint32_t start = file_.U32(section + 12), rawSize = file_.U32(section + 16);
            if (start <= address && static_cast<uint32_t>(start + rawSize) > address) {
                return file_.U32(section + 20) + uint64_t{address - start};  // PointerToRawData
            }
        }
        return kNothing;
    }
    // A resource directory: named entries, then entries by id, 8 bytes each after a 16-byte header.
    uint64_t EntryCount(uint64_t directory) const {
        return uint64_t{file_.U16(directory + 12)} + file_.U16(directory + 14);
    }
    bool DirectoryFits(uint64_t directory) const {
        return file_.Has(directory, 16) && file_.Has(directory + 16, 8 * EntryCount(directory));
    }
    // What an entry points to, below the root.
    uint64_t Below(uint64_t entry) const { return root_ + (file_.U32(entry + 4) & 0x7FFFFFFF); }
    // The entry of an id, found by the reader's binary search over the entries by id.
    uint64_t FindById(uint64_t directory, uint32_t id) const {
        if (!DirectoryFits(directory)) return kNothing;
        int64_t low = file_.U16(directory + 12), high = low + file_.U16(directory + 14) - 1;
        while (low <= high) {
            const int64_t middle = (low + high) / 2;
            const uint32_t found = file_.U16(directory + 16 + 8 * middle);
            if (found == id) return Below(directory + 16 + 8 * middle);
            if (found > id) high = middle - 1;
            else low = middle + 1;
        }
        return kNothing;
    }
    // The data entry (address, size) under a name: the reader takes the first language, counted or not.
    uint64_t DataEntry(uint64_t name) const {
        if (!file_.Has(name + 16, 8)) return kNothing;
        const uint64_t data = Below(name + 16);
        return file_.Has(data, 8) ? data : kNothing;
    }

    const FileBytes& file_;
    uint64_t headers_, sections_ = 0, sectionCount_ = 0, root_ = 0;
};

}  // namespace

bool IconReaderStaysInside(const uint8_t* bytes, uint64_t size) {
    const FileBytes file{bytes, size};
    if (!file.Has(0, 2) || file.U16(0) != 0x5A4D) return IconFileStaysInside(file);  // "MZ"
    if (!file.Has(0, 64)) return false;
    const uint64_t headers = file.U32(0x3C);  // e_lfanew
    if (!file.Has(headers, 4)) return false;
    // A 16-bit program ("NE") is not followed: it is taken as holding no icons.
    return file.U32(headers) == 0x00004550 && PeFile(file, headers).StaysInside();  // "PE\0\0"
}
