// The icon check against files of known layout, natively: an icon file of two images, and 32- and
// 64-bit programs whose one section holds a resource tree of two icons and two groups (one naming both,
// one the first). Each kind of damage, with whether the file may go to the system's reader; and every
// cut of each file.
#include <gtest/gtest.h>

#include "shell/icon_file_check.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& bytes, size_t at, uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<uint8_t>(value >> 8 * i);
}

// An icon file: its directory of two entries, each image 40 bytes, the last ending the file.
Bytes IconFile() {
    Bytes bytes(6 + 2 * 16 + 2 * 40);
    Put(bytes, 2, 1, 2);  // type: icon
    Put(bytes, 4, 2, 2);
    for (uint32_t i = 0; i < 2; ++i) Put(bytes, 6 + 16 * i + 8, 40, 4), Put(bytes, 6 + 16 * i + 12, 38 + 40 * i, 4);
    return bytes;
}

// Where a program's parts lie: the headers at 0x40, the resource tree at 0x200, loaded at kAddress in
// the second of two sections (the first holds nothing in the file).
constexpr size_t kHeaders = 0x40, kOptional = kHeaders + 24, kRoot = 0x200;
constexpr uint32_t kAddress = 0x12000;
// Below the root: the directories of icons and of icon groups (ids 1, 2 each), a language each, the data
// entries (the icons', then the groups'), and the data: two icons of 40 bytes, then the two groups, which
// end the file: the first names both icons (34 bytes), the second the first icon (20 bytes).
constexpr size_t kIcons = 32, kGroups = 64, kLanguages = 96, kDataEntries = 192, kIconData = 256, kGroup = 336,
                 kSecondGroup = kGroup + 34, kGroupsEnd = kSecondGroup + 20;

struct Program {
    Bytes bytes;
    size_t directories, rsrc;  // the data directories, the resource section's entry
};

Program ProgramFile(bool wide) {
    const size_t directories = kOptional + (wide ? 112 : 96);
    Program program{Bytes(kRoot + kGroupsEnd), directories, directories + 16 * 8 + 40};
    Bytes& b = program.bytes;
    b[0] = 'M', b[1] = 'Z', b[kHeaders] = 'P', b[kHeaders + 1] = 'E';
    Put(b, 0x3C, kHeaders, 4);
    Put(b, kHeaders + 6, 2, 2);                                     // two sections
    Put(b, kHeaders + 20, program.rsrc - 40 - kOptional, 2);        // SizeOfOptionalHeader
    Put(b, kOptional, wide ? 0x20B : 0x10B, 2);
    Put(b, kOptional + 60, kRoot, 4);                               // SizeOfHeaders
    Put(b, directories - 4, 16, 4);                                 // NumberOfRvaAndSizes
    Put(b, directories + 16, kAddress, 4);                          // the resource directory
    Put(b, program.rsrc + 12, kAddress, 4);                         // ".rsrc": address, raw size, place
    Put(b, program.rsrc + 16, static_cast<uint32_t>(b.size() - kRoot), 4);
    Put(b, program.rsrc + 20, kRoot, 4);
    const auto directory = [&](size_t at, std::vector<std::pair<uint32_t, uint32_t>> entries) {
        Put(b, kRoot + at + 14, static_cast<uint32_t>(entries.size()), 2);
        for (size_t i = 0; i < entries.size(); ++i) {
            Put(b, kRoot + at + 16 + 8 * i, entries[i].first, 4);
            Put(b, kRoot + at + 20 + 8 * i, entries[i].second, 4);
        }
    };
    constexpr uint32_t kBelow = 0x80000000;
    directory(0, {{3, kBelow | kIcons}, {14, kBelow | kGroups}});
    directory(kIcons, {{1, kBelow | kLanguages}, {2, kBelow | (kLanguages + 24)}});
    directory(kGroups, {{1, kBelow | (kLanguages + 48)}, {2, kBelow | (kLanguages + 72)}});
    for (uint32_t i = 0; i < 4; ++i) {
        directory(kLanguages + 24 * i, {{0x411, static_cast<uint32_t>(kDataEntries + 16 * i)}});
        Put(b, kRoot + kDataEntries + 16 * i, kAddress + (i < 2 ? kIconData + 40 * i : i == 2 ? kGroup : kSecondGroup), 4);
        Put(b, kRoot + kDataEntries + 16 * i + 4, i < 2 ? 40 : i == 2 ? 34 : 20, 4);
    }
    // Groups of type 1 and their count of icons; each 14-byte entry ends in its icon's id.
    Put(b, kRoot + kGroup + 2, 1, 2), Put(b, kRoot + kGroup + 4, 2, 2), Put(b, kRoot + kGroup + 18, 1, 2);
    Put(b, kRoot + kGroup + 32, 2, 2);
    Put(b, kRoot + kSecondGroup + 2, 1, 2), Put(b, kRoot + kSecondGroup + 4, 1, 2), Put(b, kRoot + kSecondGroup + 18, 1, 2);
    return program;
}

bool Check(const Bytes& bytes) { return IconReaderStaysInside(bytes.data(), bytes.size()); }

// Cut anywhere, a file's reads reach past its end until it is whole.
void ExpectOnlyWholeHoldsIcons(const Bytes& whole) {
    for (size_t length = 0; length <= whole.size(); ++length) {
        const Bytes cut(whole.begin(), whole.begin() + length);
        EXPECT_EQ(Check(cut), length == whole.size()) << "cut at " << length << " of " << whole.size();
    }
}

// Each row: where a patch goes in the whole file, its value and width in bytes, and the answer.
struct Damage { const char* damage; size_t at; uint32_t value; int width; bool holdsIcons; };

void ExpectAnswers(const Bytes& whole, std::initializer_list<Damage> rows, const char* kind) {
    for (const Damage& row : rows) {
        Bytes bytes = whole;
        Put(bytes, row.at, row.value, row.width);
        EXPECT_EQ(Check(bytes), row.holdsIcons) << row.damage << ", " << kind;
    }
    ExpectOnlyWholeHoldsIcons(whole);
}

}  // namespace

TEST(IconFileCheck, IconFileDamage) {
    ExpectAnswers(IconFile(), {
        {"none", 0, 0, 1, true},
        {"an image far past the end", 6 + 12, 0xFFFFFFF0, 4, false},
        {"an image longer than the file", 6 + 8, 100000, 4, false},
        {"a directory longer than the file", 4, 0xFFFF, 2, false},
        {"\"MZ\" first: a program without headers", 0, 'M' | 'Z' << 8, 2, false},
    }, "icon file");
}

TEST(IconFileCheck, ProgramDamage) {
    // The place of a data entry's address and size (0, 1: the icons; 2, 3: the groups), of a directory's
    // count of ids, and of an entry's id (what it points to follows at + 4).
    const auto data = [](size_t i) { return kRoot + kDataEntries + 16 * i; };
    const auto count = [](size_t directory) { return kRoot + directory + 14; };
    const auto id = [](size_t directory, size_t i) { return kRoot + directory + 16 + 8 * i; };
    constexpr uint32_t kEnd = kAddress + kGroupsEnd;  // the address just past the section
    for (bool wide : {false, true}) {
        const Program p = ProgramFile(wide);
        ExpectAnswers(p.bytes, {
            {"none", 0, 'M', 1, true},
            {"a 16-bit program", kHeaders, 'N', 1, false},
            {"headers past the end", 0x3C, 0xFFFFFF00, 4, false},
            {"an unknown optional header", kOptional, 0x107, 2, false},
            {"no resource directory", p.directories - 4, 2, 4, false},
            {"a section table longer than the file", kHeaders + 6, 0xFFFF, 2, false},
            {"no resources", p.directories + 16, 0, 4, false},
            {"resources in no section", p.directories + 16, 0x9000, 4, false},
            // The reader adds a section's address and size in 32 bits: one that wraps covers nothing.
            {"a section ending past 4 GiB", p.rsrc + 16, 0xFFFFF800, 4, false},
            // An address within the headers is a place in the file: here past its end.
            {"headers reaching over the resources", kOptional + 60, kAddress + 1, 4, false},
            {"headers ending where the resources begin", kOptional + 60, kAddress, 4, true},
            {"no icon groups", id(0, 1), 15, 2, false},
            {"a group directory longer than the file", count(kGroups), 0xFFFF, 2, false},
            {"a group's language past the end", id(kGroups, 0) + 4, 0x80FFFF00, 4, false},
            {"a group's data entry past the end", id(kLanguages + 48, 0) + 4, 0xFFFF00, 4, false},
            {"a group just past its section (not read)", data(2), kEnd, 4, true},
            {"the last group longer than the file", kRoot + kSecondGroup + 4, 2, 2, false},
            {"a group at the very end", data(3), kEnd - 5, 4, false},
            {"no icon directory (the reader stops)", id(0, 0), 2, 2, true},
            {"an icon directory longer than the file", count(kIcons), 0xFFFF, 2, false},
            {"an icon a group names but the file lacks", kRoot + kSecondGroup + 18, 9, 2, true},
            {"an icon's data entry past the end", id(kLanguages + 24, 0) + 4, 0xFFFF00, 4, false},
            {"an icon in no section (not read)", data(1), 0x9000, 4, true},
            {"an icon longer than the file", data(1) + 4, 200, 4, false},
        }, wide ? "64-bit" : "32-bit");
    }
}
