#include "tests/support/reference_effects.h"

void referenceApplyEdge(const GlyphOptions& options, Surface& glyph) {
    if (!options.edgeOn) return;
    const int32_t passes = options.sample * options.edgeSize;
    Surface original;
    original.copyFrom(glyph);
    Surface previous;
    for (int32_t pass = 0; pass < passes; ++pass) {
        previous.copyFrom(glyph);
        const int32_t w = previous.getWidth();
        const int32_t h = previous.getHeight();
        glyph.create(w + 2, h + 2);
        if (passes >= 2 && pass == passes - 1) {
            const int offsets[4][2] = {{0, 1}, {1, 0}, {1, 2}, {2, 1}};
            for (const auto& o : offsets)
                glyph.stampRect(o[0], o[1], previous, 0, 0, w, h, options.edgeColor);
        } else {
            for (int x = 0; x <= 2; ++x)
                for (int y = 0; y <= 2; ++y) glyph.stampRect(x, y, previous, 0, 0, w, h, options.edgeColor);
        }
    }
    glyph.blendRect(passes, passes, original, 0, 0, original.getWidth(), original.getHeight());
}

void referenceApplyBevel(const GlyphOptions& options, Surface& glyph) {
    if (!options.bevelOn) return;
    // Growth, start flags and step of each keypad code; unknown codes extrude in place.
    const int table[10][6] = {{0, 0, 0, 0, 0, 0},   {1, 1, 0, 1, 1, -1}, {0, 1, 0, 1, 0, -1},
                              {1, 1, 1, 1, -1, -1}, {1, 0, 0, 0, 1, 0},  {0, 0, 0, 0, 0, 0},
                              {1, 0, 1, 0, -1, 0},  {1, 1, 0, 0, 1, 1},  {0, 1, 0, 0, 0, 1},
                              {1, 1, 1, 0, -1, 1}};
    const int code = options.bevelDirection >= 0 && options.bevelDirection <= 9 ? options.bevelDirection : 0;
    const int* d = table[code];
    const int32_t n = options.sample * options.bevelSize;
    Surface face;
    face.copyFrom(glyph);
    const int32_t w = face.getWidth();
    const int32_t h = face.getHeight();
    glyph.create(w + d[0] * n, h + d[1] * n);
    const int32_t x0 = d[2] ? n - 1 : 0;
    const int32_t y0 = d[3] ? n - 1 : 0;
    for (int32_t k = 0; k <= n; ++k)
        glyph.stampRect(x0 + k * d[4], y0 + k * d[5], face, 0, 0, w, h, options.bevelColor);
    glyph.blendRect(x0, y0, face, 0, 0, w, h);
}

void referenceReduceSamples(Surface& surface, const GlyphOptions& options) {
    const int32_t s = options.sample;
    if (s <= 1) return;
    Surface source;
    source.copyFrom(surface);
    surface.create((source.getWidth() + s - 1) / s, (source.getHeight() + s - 1) / s);
    for (int32_t y = 0; y < surface.getHeight(); ++y) {
        for (int32_t x = 0; x < surface.getWidth(); ++x) {
            uint32_t covered = 0, red = 0, green = 0, blue = 0, alpha = 0;
            for (int32_t j = 0; j < s; ++j) {
                for (int32_t i = 0; i < s; ++i) {
                    uint32_t p;
                    source.getPixel(x * s + i, y * s + j, &p);
                    if ((p >> 24) == 0) continue;
                    ++covered;
                    blue += p & 0xFF;
                    green += (p >> 8) & 0xFF;
                    red += (p >> 16) & 0xFF;
                    alpha += p >> 24;
                }
            }
            if (covered == 0) continue;
            surface.setPixel(
                x, y,
                (alpha / (s * s)) << 24 | (red / covered) << 16 | (green / covered) << 8 | blue / covered);
        }
    }
}
