#include "glyphs/glyph_drawing.h"

#include <algorithm>

#include "engine/effects.h"
#include "engine/shift_jis.h"
#include "platform/page_memory.h"

namespace {

// The scales in 16.16 fixed point, each multiplied out in double precision
// and truncated, as the transform takes them.
GlyphTransform scaleTransform(double scaleX, double scaleY) {
    return {static_cast<int32_t>(scaleX * 65536.0), 0, 0, static_cast<int32_t>(scaleY * 65536.0)};
}

// Reads the glyph's one-bit bitmap, shrunk so that the effects grow it back
// to about `size`: `unshrunk` receives the box of the outline at the font's
// scale, `shrunk` that of the bitmap. Returns the bitmap's size in bytes,
// the bitmap in `bitmap`; returns 0 when there is no bitmap, and the size
// with `bitmap` empty when its buffer was not granted.
uint32_t getGlyphBitmap(GlyphFont& font, const GlyphOptions& options, uint16_t code,
                        GlyphBoxMetrics* unshrunk, GlyphBoxMetrics* shrunk, PageBlock<uint8_t>& bitmap) {
    bitmap.reset();
    measureGlyphBitmap(font, code, scaleTransform(options.aspectX, options.aspectY), unshrunk);

    const double shrink = static_cast<double>(options.size - effectMargin(options)) / options.size;
    const GlyphTransform shrunkTransform = scaleTransform(shrink * static_cast<double>(options.aspectX),
                                                          shrink * static_cast<double>(options.aspectY));
    const uint32_t size = measureGlyphBitmap(font, code, shrunkTransform, shrunk);
    if (size == 0) return 0;
    if (!bitmap.allocate(size)) return size;
    if (!drawGlyphBitmap(font, code, shrunkTransform, shrunk, bitmap.get(), size)) {
        bitmap.reset();
        return 0;
    }
    return size;
}

// Makes `glyph` columns x rows, every set bit of the bitmap a pixel in the
// body colour. Rows are `pitch` bytes apart, most significant bit leftmost.
// False when the surface's pixels were not granted.
bool expandGlyphBitmap(const GlyphOptions& options, int32_t rows, int32_t columns, Surface& glyph,
                       const uint8_t* bitmap, int32_t pitch) {
    // A box without pixels makes no surface and needs none.
    if (!glyph.create(columns, rows)) return columns <= 0 || rows <= 0;
    uint32_t* pixels = nullptr;
    int32_t width = 0;
    glyph.lockPixels(&pixels, &width);
    const uint32_t body = pixelFromPackedColour(options.color, 255);
    // Never read past a row, whatever the pitch the buffer's size implies.
    if (columns > pitch * 8) columns = pitch * 8;
    for (int32_t y = 0; y < rows; ++y) {
        const uint8_t* row = bitmap + static_cast<size_t>(y) * pitch;
        uint32_t* target = pixels + static_cast<size_t>(y) * width;
        // Eight pixels a byte; the surface is clear, so empty bytes are skipped.
        for (int32_t x = 0; x < columns; x += 8) {
            const uint8_t bits = row[x / 8];
            if (bits == 0) continue;
            const int32_t count = std::min(columns - x, 8);
            for (int32_t i = 0; i < count; ++i) {
                if (bits & (0x80 >> i)) target[x + i] = body;
            }
        }
    }
    return true;
}

}  // namespace

GlyphOutcome drawGlyphOutline(GlyphFont& font, Surface& glyph, GlyphOptions& options, const char* text) {
    const uint16_t code = characterCode(text);
    options.textMetrics = glyphTextMetrics(font);
    options.abc = glyphAbcWidths(font, code);

    GlyphBoxMetrics unshrunk = {};
    GlyphBoxMetrics shrunk = {};
    PageBlock<uint8_t> bitmap;
    const uint32_t size = getGlyphBitmap(font, options, code, &unshrunk, &shrunk, bitmap);
    if (size == 0) return GlyphOutcome::Empty;
    if (!bitmap) return GlyphOutcome::OutOfMemory;

    const double inverse = 1.0 / static_cast<double>(options.aspectX);
    options.abc.abcA = static_cast<int32_t>(options.abc.abcA * inverse);
    options.abc.abcC = static_cast<int32_t>(options.abc.abcC * inverse);
    options.abc.abcB = static_cast<uint32_t>(options.abc.abcB * static_cast<double>(options.aspectX));

    const int32_t rows = static_cast<int32_t>(shrunk.blackBoxY);
    const int32_t pitch = rows > 0 ? static_cast<int32_t>(size / static_cast<uint32_t>(rows)) & ~3 : 0;
    const bool expanded =
        expandGlyphBitmap(options, rows, static_cast<int32_t>(shrunk.blackBoxX), glyph, bitmap.get(), pitch);
    if (!expanded) return GlyphOutcome::OutOfMemory;

    options.topOffset = options.textMetrics.tmAscent - unshrunk.originY;
    return GlyphOutcome::Drawn;
}

GlyphOutcome drawGlyph(GlyphFont& font, Surface& glyph, GlyphOptions& options, const char* text) {
    const GlyphOutcome outcome = drawGlyphOutline(font, glyph, options, text);
    if (outcome != GlyphOutcome::Drawn) return outcome;
    return applyEffects(options, glyph) ? GlyphOutcome::Drawn : GlyphOutcome::OutOfMemory;
}

GlyphOutcome rasterizeGlyph(Surface& glyph, GlyphOptions& options, const char* text, const char** problem) {
    const GlyphFontOpening opening = openGlyphFont(options);
    *problem = opening.problem;
    if (!opening.font) return GlyphOutcome::Empty;
    const GlyphOutcome outcome = drawGlyph(*opening.font, glyph, options, text);
    closeGlyphFont(opening.font);
    return outcome;
}

void* openRunDrawer(void*, GlyphOptions& options, const char** problem) {
    const GlyphFontOpening opening = openGlyphFont(options);
    *problem = opening.problem;
    return opening.font;
}

void closeRunDrawer(void* drawer) {
    closeGlyphFont(static_cast<GlyphFont*>(drawer));
}

GlyphOutcome drawRunGlyph(void* drawer, Surface& glyph, GlyphOptions& options, const char* text) {
    return drawGlyph(*static_cast<GlyphFont*>(drawer), glyph, options, text);
}
