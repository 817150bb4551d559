#include "effects.h"

namespace {

// How an extrusion of depth n (sampled pixels) grows the image and where its
// layers go: the image grows by n in each direction whose flag is set, the
// face starts at n - 1 on each axis whose start flag is set (else at 0), and
// each further layer lies one step (dx, dy) away from the face.
struct BevelDirection {
    int growWidth, growHeight;
    int startX, startY;
    int dx, dy;
};

// Indexed by the numeric-keypad code. Where the face moves toward the right
// or the bottom it starts at n - 1, one pixel short of the far side, so the
// farthest layer loses its first column or row and the last column or row
// of the image stays transparent.
constexpr BevelDirection kBevelDirections[10] = {
    {0, 0, 0, 0, 0, 0},    // 0: in place
    {1, 1, 0, 1, 1, -1},   // 1: face lower left, trails up and right
    {0, 1, 0, 1, 0, -1},   // 2: face at the bottom, trails up
    {1, 1, 1, 1, -1, -1},  // 3: face lower right, trails up and left
    {1, 0, 0, 0, 1, 0},    // 4: face left, trails right
    {0, 0, 0, 0, 0, 0},    // 5: in place
    {1, 0, 1, 0, -1, 0},   // 6: face right, trails left
    {1, 1, 0, 0, 1, 1},    // 7: face upper left, trails down and right
    {0, 1, 0, 0, 0, 1},    // 8: face at the top, trails down
    {1, 1, 1, 0, -1, 1},   // 9: face upper right, trails down and left
};

int32_t startOffset(int flag, int32_t n) {
    return flag ? n - 1 : 0;
}

}  // namespace

void applyEdge(const GlyphOptions& options, Surface& glyph) {
    if (!options.edgeOn)
        return;
    const int32_t passes = options.sample * options.edgeSize;
    const uint32_t colour = options.edgeColor;

    Surface original;
    original.copyFrom(glyph);
    Surface previous;
    for (int32_t pass = 0; pass < passes; ++pass) {
        previous.copyFrom(glyph);
        const int32_t w = previous.getWidth();
        const int32_t h = previous.getHeight();
        glyph.create(w + 2, h + 2);
        if (passes >= 2 && pass == passes - 1) {
            // The last of several passes grows by the four direct neighbours
            // only, which rounds the outline's corners.
            static constexpr int kCross[4][2] = {{0, 1}, {1, 0}, {1, 2}, {2, 1}};
            for (const auto& offset : kCross)
                glyph.stampRect(offset[0], offset[1], previous, 0, 0, w, h, colour);
        } else {
            for (int x = 0; x <= 2; ++x)
                for (int y = 0; y <= 2; ++y)
                    glyph.stampRect(x, y, previous, 0, 0, w, h, colour);
        }
    }
    glyph.blendRect(passes, passes, original, 0, 0, original.getWidth(), original.getHeight());
}

void applyBevel(const GlyphOptions& options, Surface& glyph) {
    if (!options.bevelOn)
        return;
    const int32_t n = options.sample * options.bevelSize;
    const int code = options.bevelDirection;
    const BevelDirection& d = kBevelDirections[code >= 0 && code <= 9 ? code : 0];

    Surface face;
    face.copyFrom(glyph);
    const int32_t w = face.getWidth();
    const int32_t h = face.getHeight();
    glyph.create(w + d.growWidth * n, h + d.growHeight * n);
    const int32_t x0 = startOffset(d.startX, n);
    const int32_t y0 = startOffset(d.startY, n);
    for (int32_t k = 0; k <= n; ++k)
        glyph.stampRect(x0 + k * d.dx, y0 + k * d.dy, face, 0, 0, w, h, options.bevelColor);
    glyph.blendRect(x0, y0, face, 0, 0, w, h);
}

void reduceSamples(Surface& surface, const GlyphOptions& options) {
    const int32_t s = options.sample;
    if (s <= 1)
        return;
    const int32_t width = surface.getWidth();
    const int32_t height = surface.getHeight();
    Surface reduced;
    if (!reduced.create((width + s - 1) / s, (height + s - 1) / s)) {
        surface.release();
        return;
    }
    const uint32_t* source = nullptr;
    int32_t pitch = 0;
    surface.lockPixels(&source, &pitch);
    uint32_t* target = nullptr;
    int32_t targetPitch = 0;
    reduced.lockPixels(&target, &targetPitch);

    const int32_t blockSamples = s * s;
    for (int32_t y = 0; y < reduced.getHeight(); ++y) {
        for (int32_t x = 0; x < reduced.getWidth(); ++x) {
            int32_t covered = 0;
            uint32_t red = 0, green = 0, blue = 0, alpha = 0;
            // Samples beyond the source's last row or column are transparent.
            for (int32_t j = y * s; j < y * s + s && j < height; ++j) {
                const uint32_t* row = source + static_cast<int64_t>(j) * pitch;
                for (int32_t i = x * s; i < x * s + s && i < width; ++i) {
                    uint32_t sample = row[i];
                    if ((sample >> 24) == 0)
                        continue;
                    ++covered;
                    blue += sample & 0xFF;
                    green += (sample >> 8) & 0xFF;
                    red += (sample >> 16) & 0xFF;
                    alpha += sample >> 24;
                }
            }
            if (covered == 0)
                continue;
            target[static_cast<int64_t>(y) * targetPitch + x] = (alpha / blockSamples) << 24 |
                                                                (red / covered) << 16 |
                                                                (green / covered) << 8 | blue / covered;
        }
    }
    surface.copyFrom(reduced);
}
