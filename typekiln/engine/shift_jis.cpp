#include "engine/shift_jis.h"

#include <cstring>

uint16_t characterCode(const char* bytes) {
    uint8_t first = static_cast<uint8_t>(bytes[0]);
    if (!isLeadByte(first)) return first;
    return static_cast<uint16_t>(first << 8 | static_cast<uint8_t>(bytes[1]));
}

const char* findLastSeparator(const char* text) {
    const char* last = nullptr;
    for (const char* p = text; *p; ++p) {
        if (isLeadByte(static_cast<uint8_t>(*p))) {
            if (!p[1]) break;
            ++p;
        } else if (*p == '\\') {
            last = p;
        }
    }
    return last;
}

bool copyText(char* destination, size_t size, const char* source, size_t length) {
    if (size == 0) return length == 0;
    size_t kept = 0;
    while (kept < length) {
        size_t step = isLeadByte(static_cast<uint8_t>(source[kept])) && kept + 1 < length ? 2 : 1;
        if (kept + step > size - 1) break;
        kept += step;
    }
    std::memcpy(destination, source, kept);
    destination[kept] = '\0';
    return kept == length;
}
