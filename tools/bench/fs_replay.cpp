// The writer's file-system work without Wine: the same eight open-write-flush-close cycles, then the
// read-back and the rename over the shortcut, as plain Linux calls in a folder on the same disk. Shows
// what the disk itself charges for the read-back and rename against the eight flushed blocks.
// Usage: fs_replay FOLDER [N]
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

static double NowMs() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

static double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The block lengths of the writer benchmark's shortcut (400 bytes).
static const int kBlocks[8] = {76, 2, 20, 179, 2, 28, 69, 24};

static bool WriteBlocks(const std::string& path) {
    static const char bytes[512] = {};
    off_t position = 0;
    for (int i = 0; i < 8; ++i) {
        const int file = open(path.c_str(), O_WRONLY | O_CREAT | (i == 0 ? O_TRUNC : 0), 0644);
        if (file < 0) return false;
        const bool ok = pwrite(file, bytes, kBlocks[i], position) == kBlocks[i] && fsync(file) == 0;
        position += kBlocks[i];
        if (close(file) != 0 || !ok) return false;
    }
    return true;
}

static bool ReadBackAndRename(const std::string& temporary, const std::string& link) {
    const int file = open(temporary.c_str(), O_RDONLY);
    if (file < 0) return false;
    std::vector<char> content(64 * 1024);
    const bool ok = read(file, content.data(), content.size()) > 0 && rename(temporary.c_str(), link.c_str()) == 0;
    return close(file) == 0 && ok;
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const int n = argc > 2 ? std::atoi(argv[2]) : 300;
    const std::string folder = argv[1], temporary = folder + "/~replay.tmp", link = folder + "/replay.lnk";
    if (n <= 0 || !WriteBlocks(link)) return 1;
    std::vector<double> blocks, readBack;
    for (int i = 0; i < n; ++i) {
        double start = NowMs();
        if (!WriteBlocks(temporary)) return 1;
        blocks.push_back(NowMs() - start);
        start = NowMs();
        if (!ReadBackAndRename(temporary, link)) return 1;
        readBack.push_back(NowMs() - start);
    }
    unlink(link.c_str());
    const double blockMedian = Median(blocks), readBackMedian = Median(readBack);
    std::printf("without Wine, the same file-system calls: eight flushed blocks %.3f ms, read-back and rename %.3f ms (%.1f%%)\n",
                blockMedian, readBackMedian, 100.0 * readBackMedian / blockMedian);
    return 0;
}
