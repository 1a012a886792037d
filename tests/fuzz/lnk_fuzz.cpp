// Fuzz target: BuildShortcut with all nine inputs and the system's answers and faults drawn from the
// fuzzer's bytes. Every run must end with result 0 and the files exactly as they were, or with a
// shortcut that the strict reader accepts and no other file changed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstdio>

#include "../lnk/fake_system.h"
#include "../lnk/lnk_reader.h"
#include "lnk/shortcut_builder.h"

namespace {

// Characters the fake code page has, characters it lacks, and the path punctuation that matters.
const char16_t kAlphabet[] = u"ab.XY\\\\\\:/ 09~あソ表é中\0";

std::u16string Text(FuzzedDataProvider& in, size_t most) {
    std::u16string text;
    const size_t length = in.ConsumeIntegralInRange<size_t>(0, most);
    for (size_t i = 0; i < length && in.remaining_bytes() > 0; ++i) {
        text.push_back(kAlphabet[in.ConsumeIntegralInRange<size_t>(0, sizeof kAlphabet / sizeof kAlphabet[0] - 1)]);
    }
    return text;
}

// Mostly a plausible path on a drive, sometimes anything.
std::u16string Path(FuzzedDataProvider& in) {
    if (in.ConsumeIntegralInRange<int>(0, 9) == 0) return Text(in, 40);
    std::u16string path = u"C:\\";
    const int parts = in.ConsumeIntegralInRange<int>(0, 4);
    for (int i = 0; i < parts; ++i) path += Text(in, 12) + (i + 1 < parts ? u"\\" : u"");
    return path;
}

bool AnsiOf(const std::u16string& text, std::string* ansi) {
    try {
        *ansi = FakeAnsi(text);
        return true;
    } catch (...) {
        return false;
    }
}

void Fail(const char* why) {
    std::fprintf(stderr, "invariant broken: %s\n", why);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    FakeSystem sys;
    FakeSystemScope scope(sys);

    ShortcutRequest r;
    r.targetPath = Path(in);
    r.linkPath = in.ConsumeBool() ? u"" : Path(in);
    r.arguments = Text(in, in.ConsumeBool() ? 40 : 33000);
    r.workingFolder = Text(in, 40);
    r.iconFile = Text(in, 40);
    r.iconIndex = in.ConsumeIntegral<int32_t>();
    r.hotKeyCode = in.ConsumeIntegral<uint32_t>();
    r.showCommand = in.ConsumeIntegral<int32_t>();
    r.comment = Text(in, 60);

    // The system: every prefix of the target exists (or not), with attributes, sizes and a short form.
    std::u16string prefix;
    for (char16_t c : r.targetPath + u"\\") {
        if (c == u'\\' && !prefix.empty() && in.ConsumeIntegralInRange<int>(0, 7) != 0) {
            std::string ansi, shortAnsi;
            const std::u16string shortForm = in.ConsumeBool() ? prefix : Text(in, 20);
            if (AnsiOf(prefix, &ansi) && AnsiOf(shortForm, &shortAnsi)) {
                FakeNode node;
                node.attributes = in.ConsumeIntegral<uint32_t>();
                node.size = in.ConsumeIntegral<uint64_t>();
                node.writeTime = in.ConsumeIntegral<uint64_t>();
                node.shortPath = in.ConsumeBool() ? "" : shortAnsi;
                sys.nodes[ansi] = node;
            }
        }
        prefix.push_back(c);
    }
    sys.driveTypes["C:\\"] = in.ConsumeIntegralInRange<uint32_t>(0, 7);
    if (in.ConsumeBool()) {
        std::string label;
        AnsiOf(Text(in, 12), &label);
        sys.volumes["C:\\"] = {in.ConsumeIntegralInRange<int>(0, 5) == 0, label, in.ConsumeIntegral<uint32_t>()};
    }
    sys.failOpenAt = in.ConsumeIntegralInRange<int>(0, 12);
    sys.failSeekAt = in.ConsumeIntegralInRange<int>(0, 12);
    sys.failWriteAt = in.ConsumeIntegralInRange<int>(0, 12);
    sys.shortWriteAt = in.ConsumeIntegralInRange<int>(0, 12);
    sys.failFlushAt = in.ConsumeIntegralInRange<int>(0, 12);
    sys.failCloseAt = in.ConsumeIntegralInRange<int>(0, 12);
    sys.alterWriteAt = in.ConsumeIntegralInRange<int>(0, 12);
    sys.failReadBack = in.ConsumeIntegralInRange<int>(0, 9) == 0;
    sys.replaceFailures = in.ConsumeIntegralInRange<int>(0, 30);  // more than 25: written in place
    sys.heldExclusively = in.ConsumeIntegralInRange<int>(0, 3) == 0;
    sys.failInPlaceWriteAt = in.ConsumeIntegralInRange<int>(0, 2);
    std::string existingLink;
    if (!r.linkPath.empty() && AnsiOf(r.linkPath, &existingLink) && in.ConsumeBool()) {
        sys.files[existingLink] = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 300));
    }
    const auto filesBefore = sys.files;

    const int16_t result = BuildShortcut(r);

    if (result == kBuildFailed) {
        if (sys.files != filesBefore) Fail("a failed build changed the files");
        return 0;
    }
    if (result != kBuildSucceeded) Fail("a result other than -1 or 0");
    // Exactly one file is new or changed: the shortcut, and it passes the strict reader.
    std::string written;
    for (const auto& [path, bytes] : sys.files) {
        auto before = filesBefore.find(path);
        if (before != filesBefore.end() && before->second == bytes) continue;
        if (!written.empty()) Fail("more than one file was changed");
        written = path;
    }
    if (written.empty()) Fail("success without a file");
    if (written.find(".tmp") != std::string::npos && written.find("~vantorelle-") != std::string::npos) {
        Fail("the temporary file is what remained");
    }
    ParsedLink link;
    std::string error;
    if (!ParseLink(sys.files[written], &link, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        Fail("the written file breaks the format's rules");
    }
    return 0;
}
