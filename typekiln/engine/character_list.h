#pragma once

#include <cstdint>

#include "engine/shift_jis.h"

constexpr int32_t kMaxCharacters = 65536;

// One distinct character: its bytes as they stood in the file (one byte, or
// lead and trail byte) followed by zero bytes, and its code.
struct CharacterEntry {
    char text[4];
    uint16_t code;
};

// The characters a font is made for: every distinct printable character of
// a Shift-JIS text file, in ascending order of code. The table is fixed, so
// loading never allocates; the program keeps one list.
class CharacterList {
public:
    // Replaces the list with the characters of the file at `path`. Spaces,
    // full-width spaces and control bytes are left out, and so is a lead
    // byte with nothing after it. The file is read the way the Windows C
    // runtime reads text: CR LF counts as LF (it can be a trail byte), and a
    // byte 0x1A ends the text. A read error ends the load with what was read
    // so far. Returns false, leaving the list empty, when the file cannot be
    // opened.
    bool load(const char* path);

    // Appends the character at `bytes` unless it is a blank (space, tab,
    // CR, LF, backspace, full-width space), already present, or the list is
    // full. Does not sort.
    void add(const char* bytes);

    const CharacterEntry* entries() const { return table; }
    int32_t count() const { return entryCount; }

private:
    CharacterEntry table[kMaxCharacters] = {};
    int32_t entryCount = 0;
    uint8_t present[kMaxCharacters / 8] = {};  // one bit per code, for the duplicate test
};
