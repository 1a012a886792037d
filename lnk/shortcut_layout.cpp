// Lays out the file's sections one after another; each section is built whole by its own function.
#include "shortcut_layout.h"

#include "link_header.h"
#include "shortcut_request.h"
#include "shortcut_facts.h"

ByteBuffer LayOutShortcut(const ShortcutRequest& request, const ShortcutFacts& facts) {
    ShellLinkHeader header;
    header.linkFlags = kHasLinkTargetIdList | kHasLinkInfo | StringDataFlags(facts.strings);
    header.fileAttributes = facts.targetAttributes;
    header.creationTime = header.accessTime = header.writeTime = facts.targetWriteTime;
    header.fileSize = static_cast<uint32_t>(facts.targetSize);  // sizes of 4 GiB and more keep their low 32 bits
    header.iconIndex = request.iconIndex;
    header.showCommand = request.showCommand;
    header.hotKey = HotKeyOf(request.hotKeyCode);
    ByteBuffer bytes = HeaderBytes(header);
    for (const ByteBuffer& section : {IdListBytes(facts.entries), LinkInfoBytes(facts.volume, facts.target),
                                      StringDataBytes(facts.strings)}) {
        bytes.insert(bytes.end(), section.begin(), section.end());
    }
    return bytes;
}
