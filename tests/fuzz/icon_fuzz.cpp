// Fuzz target: the icon check over any bytes, as the file they would be. The sanitizers are the
// oracle: every read it makes must lie inside the bytes it is given. Its seeds are the program's icon
// and a 32- and a 64-bit DLL of two icon groups built from it by MinGW-w64 (windres, then gcc -shared
// -nostdlib -s).
#include <cstddef>

#include "shell/icon_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IconReaderStaysInside(data, size);
    return 0;
}
