// Fuzz target: BuildShortcut with all nine inputs and the system's answers and faults drawn from the
// fuzzer's bytes. Every run must end with result 0 and the files exactly as they were, or with a
// shortcut that the strict reader accepts and no other file changed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "../lnk/fake_system.h"
#include "../lnk/lnk_reader.h"
#include "lnk/shortcut_builder.h"
#include "lnk/text.h"

// Characters the fake code page has, characters it lacks, and the path punctuation that matters.
const char16_t kAlphabet[] = u"ab.XY\\\\\\:/ 09~あソ表é中\0";

static std::u16string Text(FuzzedDataProvider& in, size_t most) {
    std::u16string text(in.ConsumeIntegralInRange<size_t>(0, most), u'a');
    for (char16_t& c : text) c = kAlphabet[in.ConsumeIntegralInRange<size_t>(0, std::size(kAlphabet) - 1)];
    return text;
}

static void Check(bool condition, const char* why) {
    if (!condition) std::fprintf(stderr, "invariant broken: %s\n", why), std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    FakeSystem sys;
    const LnkPlatform& os = FakePlatformOf(sys);
    const ShortcutRequest r{.targetPath = u"C:\\" + Text(in, 40), .linkPath = in.ConsumeBool() ? u"" : u"C:\\" + Text(in, 40),
                            .arguments = Text(in, in.ConsumeBool() ? 40 : 33000), .workingFolder = Text(in, 40),
                            .iconFile = Text(in, 40), .iconIndex = in.ConsumeIntegral<int32_t>(),
                            .hotKeyCode = in.ConsumeIntegral<uint32_t>(), .showCommand = in.ConsumeIntegral<int32_t>(),
                            .comment = Text(in, 60)};

    // The system: every prefix of the target exists (or not), with attributes, sizes and a short form.
    std::u16string prefix;
    for (char16_t c : r.targetPath + u"\\") {
        std::string path;
        if (c == u'\\' && !prefix.empty() && in.ConsumeIntegralInRange(0, 7) != 0 && ToAnsi(os, prefix, &path)) {
            sys.nodes[path] = {in.ConsumeIntegral<uint32_t>(), in.ConsumeIntegral<uint64_t>(),
                               in.ConsumeIntegral<uint64_t>(), 0, 0, 0, in.ConsumeBool() ? u"" : Text(in, 20),
                               in.ConsumeBool() ? u"" : prefix, in.ConsumeBool()};
        }
        prefix.push_back(c);
    }
    sys.driveTypes["C:\\"] = in.ConsumeIntegralInRange(0, 7);
    std::string label, existing;
    if (in.ConsumeBool() && ToAnsi(os, Text(in, 12), &label)) sys.volumes["C:\\"] = {label, in.ConsumeIntegral<uint32_t>()};
    // One fault at most: a second one, in putting the old bytes back after a failed write in place,
    // would leave the shortcut as the disk kept it, which no writer can prevent.
    sys.faultAt[in.ConsumeIntegralInRange(0, kFakeSteps - 1)] = in.ConsumeIntegralInRange(0, 12);
    sys.replaceFailures = in.ConsumeIntegralInRange(0, 30);  // more than 24: written in place
    if (ToAnsi(os, r.linkPath, &existing) && !existing.empty() && in.ConsumeBool()) {
        sys.files[existing] = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 300));
    }
    const auto before = sys.files;

    const int16_t result = BuildShortcut(os, r);

    Check(sys.handles == 0, "a file was left open");
    Check(result == kBuildSucceeded || (result == kBuildFailed && sys.files == before), "a failure changed the files");
    if (result == kBuildFailed) return 0;
    // One file is left (the only one before was the shortcut's): the shortcut, at the path asked for if
    // one was, and it passes the strict reader.
    Check(sys.files.size() == 1, "not one file left");
    const auto& [written, bytes] = *sys.files.begin();
    Check(written.find("~vantorelle-") == std::string::npos && (existing.empty() || written == existing),
          "the file left is not the shortcut");
    ParseLink(bytes);  // the strict reader: a broken rule throws, which ends the run as a crash
    return 0;
}
