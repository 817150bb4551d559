#include "reference_effects.h"

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
