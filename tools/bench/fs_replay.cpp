// The writer's file-system work without Wine, as plain Linux calls in a folder on the same disk: its
// sequence (one handle: eight writes, one flush, the read-back, the rename, the close) beside the
// previous one (eight open-write-flush-close cycles, then a second open to read back and rename).
// Shows what the disk itself charges for each, without Wine's cost per call.
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

static const char kBytes[512] = {};

static bool WriteBlocks(const std::string& path) {
    off_t position = 0;
    for (int i = 0; i < 8; ++i) {
        const int file = open(path.c_str(), O_WRONLY | O_CREAT | (i == 0 ? O_TRUNC : 0), 0644);
        if (file < 0) return false;
        const bool ok = pwrite(file, kBytes, kBlocks[i], position) == kBlocks[i] && fsync(file) == 0;
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

static bool PreviousSequence(const std::string& temporary, const std::string& link) {
    return WriteBlocks(temporary) && ReadBackAndRename(temporary, link);
}

static bool OneHandle(const std::string& temporary, const std::string& link) {
    const int file = open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL, 0644);
    if (file < 0) return false;
    bool ok = true;
    for (int i = 0; i < 8; ++i) ok = ok && write(file, kBytes, kBlocks[i]) == kBlocks[i];
    std::vector<char> content(64 * 1024);
    ok = ok && fsync(file) == 0 && pread(file, content.data(), content.size(), 0) > 0 &&
         rename(temporary.c_str(), link.c_str()) == 0;
    return close(file) == 0 && ok;
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const int n = argc > 2 ? std::atoi(argv[2]) : 300;
    const std::string folder = argv[1], temporary = folder + "/~replay.tmp", link = folder + "/replay.lnk";
    if (n <= 0 || !WriteBlocks(link)) return 1;
    std::vector<double> times[2];
    for (int i = 0; i < 2 * n; ++i) {  // alternately
        const double start = NowMs();
        if (!(i % 2 ? PreviousSequence(temporary, link) : OneHandle(temporary, link))) return 1;
        times[i % 2].push_back(NowMs() - start);
    }
    unlink(link.c_str());
    const double ours = Median(times[0]), previous = Median(times[1]);
    std::printf("without Wine, the same file calls: one handle %.3f ms, previous sequence %.3f ms (%.2f)\n", ours,
                previous, ours / previous);
    return 0;
}
