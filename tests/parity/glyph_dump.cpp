// Prints what the glyph source of this build says of every code page 932
// character code, a line a code, so that the Windows build (GDI under Wine)
// and the native one (FreeType under GDI's rules) can be compared line by
// line (tests/parity/compare-glyphs.sh):
//
//   glyph_dump <face> <height> <bold> <italic> <m11> <m22>
//
// <face> is the face name's code page 932 bytes in hexadecimal, so that
// neither build's argument conversion comes between; <height> the cell
// height; <bold> and <italic> 0 or 1; <m11> and <m22> the transform's
// diagonal in 16.16 fixed point. The codes are every single byte, and every
// lead byte with every trail byte. The first line holds the text metrics;
// every other line a code, its ABC widths, its box and bitmap size under the
// transform, and a hash of the bitmap's bytes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/shift_jis.h"
#include "glyphs/glyph_source.h"

namespace {

bool decodeHex(const char* hex, char* out, size_t room) {
    const size_t length = std::strlen(hex);
    if (length % 2 != 0 || length / 2 >= room) return false;
    for (size_t i = 0; i < length; i += 2) {
        const char pair[3] = {hex[i], hex[i + 1], '\0'};
        out[i / 2] = static_cast<char>(std::strtoul(pair, nullptr, 16));
    }
    out[length / 2] = '\0';
    return true;
}

uint64_t fnv1a(const uint8_t* bytes, size_t size) {
    uint64_t hash = 0xCBF29CE484222325u;
    for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 0x100000001B3u;
    return hash;
}

void printTextMetrics(const TextMetrics& m) {
    std::printf("tm %d %d %d %d %d %d %d %d %d %d %d %u %u %u %u %u %u %u %u %u\n", m.tmHeight, m.tmAscent,
                m.tmDescent, m.tmInternalLeading, m.tmExternalLeading, m.tmAveCharWidth, m.tmMaxCharWidth,
                m.tmWeight, m.tmOverhang, m.tmDigitizedAspectX, m.tmDigitizedAspectY, m.tmFirstChar,
                m.tmLastChar, m.tmDefaultChar, m.tmBreakChar, m.tmItalic, m.tmUnderlined, m.tmStruckOut,
                m.tmPitchAndFamily, m.tmCharSet);
}

void printGlyph(GlyphFont& font, uint16_t code, const GlyphTransform& transform) {
    const AbcWidths abc = glyphAbcWidths(font, code);
    GlyphBoxMetrics box = {};
    const uint32_t size = measureGlyphBitmap(font, code, transform, &box);
    uint64_t hash = 0;
    if (size > 0) {
        std::vector<uint8_t> bitmap(size);
        GlyphBoxMetrics drawn = {};
        hash = drawGlyphBitmap(font, code, transform, &drawn, bitmap.data(), size)
                   ? fnv1a(bitmap.data(), size)
                   : 1;
    }
    std::printf("%04X %d %u %d | %u %u %d %d %d %d %u | %016llx\n", code, abc.abcA, abc.abcB, abc.abcC,
                box.blackBoxX, box.blackBoxY, box.originX, box.originY, box.cellIncX, box.cellIncY, size,
                static_cast<unsigned long long>(hash));
}

}  // namespace

int main(int argc, char** argv) {
    GlyphOptions options;
    setStartupGlyphOptions(options);
    if (argc != 7 || !decodeHex(argv[1], options.face, sizeof options.face)) {
        std::fprintf(stderr, "usage: glyph_dump <face in hex> <height> <bold> <italic> <m11> <m22>\n");
        return 2;
    }
    options.size = std::atoi(argv[2]);
    options.bold = std::atoi(argv[3]);
    options.italic = std::atoi(argv[4]);
    const GlyphTransform transform = {std::atoi(argv[5]), 0, 0, std::atoi(argv[6])};
    const GlyphFontOpening opening = openGlyphFont(options);
    if (!opening.font) {
        std::fprintf(stderr, "glyph_dump: no font\n");
        return 1;
    }
    printTextMetrics(glyphTextMetrics(*opening.font));
    for (unsigned first = 0; first < 0x100; ++first) {
        if (!isLeadByte(static_cast<uint8_t>(first))) {
            printGlyph(*opening.font, static_cast<uint16_t>(first), transform);
            continue;
        }
        for (unsigned trail = 0; trail < 0x100; ++trail)
            printGlyph(*opening.font, static_cast<uint16_t>(first << 8 | trail), transform);
    }
    closeGlyphFont(opening.font);
    return 0;
}
