// The four stages of a Create, one after another: each stops the Create with the rule that refused it.
#include "shortcut_builder.h"

#include "shortcut_facts.h"
#include "shortcut_file.h"
#include "shortcut_layout.h"

Refusal WriteShortcut(const LnkPlatform& os, const ShortcutRequest& request) {
    if (const Refusal refusal = CheckRequest(request); refusal != Refusal::kNone) return refusal;
    ShortcutFacts facts;
    if (const Refusal refusal = GatherFacts(os, request, &facts); refusal != Refusal::kNone) return refusal;
    const ByteBuffer bytes = LayOutShortcut(request, facts);
    return WriteShortcutFile(os, bytes, facts.linkPath, facts.ansiLinkPath) ? Refusal::kNone : Refusal::kWriteFailed;
}

int16_t BuildShortcut(const LnkPlatform& os, const ShortcutRequest& request) {
    return WriteShortcut(os, request) == Refusal::kNone ? kBuildSucceeded : kBuildFailed;
}
