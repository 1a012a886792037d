// Whether the system's icon reader can be given a file: it reads an icon file's directory, and an
// executable's headers and resource tables, where they point and trusts what it finds. A pointer past
// the end of a cut or broken file makes it read outside memory, and the process dies.
#pragma once

#include <cstdint>

// True when everything the reader reads of the file's icons, by any index, lies within its bytes: the
// directory and images of an icon file (anything that does not start with "MZ"), or the resource
// tables, icon groups and icons of a 32- or 64-bit Windows executable. False for a file where it
// would read outside them, for an executable without icons, and for a 16-bit one.
bool IconReaderStaysInside(const uint8_t* bytes, uint64_t size);
