#include "glyphs/ansi_characters.h"

namespace {

constexpr char32_t kDefaultCharacter = 0x30FB;

char32_t singleByteCharacter(const CodePage932& codePage, uint8_t byte) {
    switch (byte) {
        case 0x80:
            return 0x0080;
        case 0xA0:
            return 0xF8F0;
        case 0xFD:
        case 0xFE:
        case 0xFF:
            return 0xF8F1 + (byte - 0xFD);
        default:
            break;
    }
    char32_t character = 0;
    return codePage.toUnicode(byte, &character) ? character : kDefaultCharacter;
}

char32_t pairCharacter(const CodePage932& codePage, uint8_t lead, uint8_t trail) {
    char32_t character = 0;
    return codePage.toUnicode(static_cast<uint16_t>(lead << 8 | trail), &character) ? character
                                                                                    : kDefaultCharacter;
}

}  // namespace

bool isWindowsLeadByte(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

char32_t glyphOutlineCharacter(const CodePage932& codePage, uint16_t code) {
    const uint8_t high = static_cast<uint8_t>(code >> 8);
    const uint8_t low = static_cast<uint8_t>(code);
    if (isWindowsLeadByte(high)) return pairCharacter(codePage, high, low);
    return singleByteCharacter(codePage, low);
}

char32_t abcWidthsCharacter(const CodePage932& codePage, uint16_t code) {
    if (code > 0xFF) {
        const uint8_t high = static_cast<uint8_t>(code >> 8);
        if (isWindowsLeadByte(high)) return pairCharacter(codePage, high, static_cast<uint8_t>(code));
        return singleByteCharacter(codePage, high);
    }
    if (isWindowsLeadByte(static_cast<uint8_t>(code))) return 0x1F;
    return singleByteCharacter(codePage, static_cast<uint8_t>(code));
}

std::u32string faceNameCharacters(const CodePage932& codePage, const char* face) {
    constexpr size_t kFaceNameBytes = 31;
    std::u32string name;
    for (size_t i = 0; i < kFaceNameBytes && face[i]; ++i) {
        const uint8_t byte = static_cast<uint8_t>(face[i]);
        if (isWindowsLeadByte(byte) && i + 1 < kFaceNameBytes && face[i + 1]) {
            name += pairCharacter(codePage, byte, static_cast<uint8_t>(face[++i]));
        } else {
            name += singleByteCharacter(codePage, byte);
        }
    }
    return name;
}
