// The bytes of a shortcut, laid out from the request and the system's facts: no system is asked.
#pragma once

#include "byte_buffer.h"

struct ShortcutFacts;
struct ShortcutRequest;

// The whole file: the header, the item-ID list, the LinkInfo and the strings, in file order.
ByteBuffer LayOutShortcut(const ShortcutRequest& request, const ShortcutFacts& facts);
