// Chooses between the platform's own calls and a replacement put in place by a test.
#include "platform.h"

static const LnkPlatform* replacement = nullptr;

const LnkPlatform& LnkSystem() {
    return replacement ? *replacement : DefaultLnkPlatform();
}

void ReplaceLnkPlatform(const LnkPlatform* platform) {
    replacement = platform;
}
