#include "engine/character_list.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kEndOfText = 0x1A;

// Reads a file byte by byte with the C runtime's text-mode translation on
// every platform, so that a list loads to the same entries everywhere.
struct TextReader {
    FILE* file;
    bool ended = false;

    // The next byte, or EOF at the end of the text or on a read error.
    int next() {
        if (ended) return EOF;
        int c = std::getc(file);
        if (c == '\r') {
            int following = std::getc(file);
            if (following == '\n') return '\n';
            if (following != EOF) std::ungetc(following, file);
        } else if (c == kEndOfText || c == EOF) {
            ended = true;
            return EOF;
        }
        return c;
    }
};

bool isBlank(uint16_t code) {
    return code == 0x8140 || code == 0x000D || code == 0x000A || code == 0x0009 || code == 0x0008 ||
           code == 0x0020;
}

}  // namespace

bool CharacterList::load(const char* path) {
    std::memset(table, 0, sizeof table);
    std::memset(present, 0, sizeof present);
    entryCount = 0;

    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    TextReader reader{file};
    for (int c = reader.next(); c != EOF; c = reader.next()) {
        if (isLeadByte(static_cast<uint8_t>(c))) {
            int trail = reader.next();
            if (trail == EOF) break;
            const char pair[2] = {static_cast<char>(c), static_cast<char>(trail)};
            add(pair);
        } else if (c >= 0x20) {
            const char single[1] = {static_cast<char>(c)};
            add(single);
        }
    }
    std::fclose(file);

    std::sort(table, table + entryCount,
              [](const CharacterEntry& a, const CharacterEntry& b) { return a.code < b.code; });
    return true;
}

void CharacterList::add(const char* bytes) {
    if (entryCount >= kMaxCharacters) return;
    const uint16_t code = characterCode(bytes);
    if (isBlank(code)) return;
    uint8_t& bits = present[code / 8];
    const uint8_t bit = static_cast<uint8_t>(1u << (code % 8));
    if (bits & bit) return;
    bits |= bit;

    CharacterEntry& entry = table[entryCount++];
    std::memset(&entry, 0, sizeof entry);
    entry.text[0] = bytes[0];
    if (isLeadByte(static_cast<uint8_t>(bytes[0]))) entry.text[1] = bytes[1];
    entry.code = code;
}
