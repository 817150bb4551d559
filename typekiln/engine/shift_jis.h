#pragma once

#include <cstddef>
#include <cstdint>

// Byte-level rules of code page 932 (Shift-JIS) text.

// A lead byte (0x81-0x9F, 0xE0-0xFE) starts a double-byte character; every
// other byte is a character of its own.
constexpr bool isLeadByte(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFE);
}

// The 16-bit code of the character at `bytes`: lead byte * 256 + trail byte
// for a double-byte character, else the single byte. The second byte is read
// only after a lead byte.
uint16_t characterCode(const char* bytes);

// The position of the last backslash of `text` that is a path separator, not
// the trail byte of a double-byte character (as in 表, 0x95 0x5C); nullptr
// when there is none.
const char* findLastSeparator(const char* text);

// Copies `length` bytes of `source` into `destination` (room for `size`
// bytes, terminator included), cutting before the first character that does
// not fit whole. Returns false when something was cut.
bool copyText(char* destination, size_t size, const char* source, size_t length);
