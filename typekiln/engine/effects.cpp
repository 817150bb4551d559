#include "effects.h"

#include <algorithm>

#include "page_memory.h"

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

// Slides a window of 2 * radius + 1 positions along one line of `length`
// input positions and hands `store` the number of covered positions under
// it for each of `outLength` output positions; output position i is centred
// on input position i - grow.
template <typename Covered, typename Store>
void slideWindow(int32_t length, int32_t outLength, int32_t grow, int32_t radius, Covered covered,
                 Store store) {
    int32_t count = 0;
    int32_t enter = -grow - radius;
    for (int32_t i = std::max(enter, 0); i < std::min(enter + 2 * radius, length); ++i) count += covered(i);
    enter += 2 * radius;
    for (int32_t out = 0, leave = enter - 2 * radius - 1; out < outLength; ++out, ++enter, ++leave) {
        if (enter >= 0 && enter < length) count += covered(enter);
        if (leave >= 0 && leave < length) count -= covered(leave);
        store(out, count);
    }
}

// Marks every output pixel of a (W + 2 grow) x (H + 2 grow) mask whose
// centre, moved back by (grow, grow), has a covered input pixel within
// `radiusX` columns and `radiusY` rows: a rectangular dilation, done as a
// horizontal and then a vertical running count. `rows` is scratch for
// H x (W + 2 grow) counts.
void markRectangle(const uint32_t* pixels, int32_t width, int32_t height, int32_t grow, int32_t radiusX,
                   int32_t radiusY, uint8_t* mask, int32_t* rows) {
    const int32_t outWidth = width + 2 * grow;
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t* in = pixels + static_cast<size_t>(y) * width;
        int32_t* row = rows + static_cast<size_t>(y) * outWidth;
        slideWindow(
            width, outWidth, grow, radiusX, [in](int32_t x) { return (in[x] >> 24) != 0; },
            [row](int32_t x, int32_t count) { row[x] = count; });
    }
    for (int32_t x = 0; x < outWidth; ++x) {
        slideWindow(
            height, height + 2 * grow, grow, radiusY,
            [=](int32_t y) { return rows[static_cast<size_t>(y) * outWidth + x] != 0; },
            [=](int32_t y, int32_t count) {
                if (count > 0) mask[static_cast<size_t>(y) * outWidth + x] = 1;
            });
    }
}

// The outline is a passes-deep growth, each pass a one-pixel dilation of
// the alphas (which are 0 or 255) that paints every pixel it covers in the
// edge colour. Together the passes dilate by a square of radius `passes`
// (the last of several passes uses the four-neighbour cross, which takes
// the square's corner pixels off). That is done here in one go: the union
// of two rectangular dilations. Returns false when a buffer is not granted.
bool drawOutline(const Surface& original, int32_t passes, uint32_t edgeColour, Surface& outline) {
    const uint32_t* pixels = nullptr;
    int32_t width = 0;
    original.lockPixels(&pixels, &width);
    const int32_t height = original.getHeight();
    const int32_t outWidth = width + 2 * passes;
    const size_t outPixels = static_cast<size_t>(outWidth) * (height + 2 * passes);
    auto* mask = static_cast<uint8_t*>(allocatePages(outPixels));
    auto* rows = static_cast<int32_t*>(
        allocatePages(std::max<size_t>(static_cast<size_t>(height) * outWidth * sizeof(int32_t), 1)));
    const bool drawn = mask && rows && outline.create(outWidth, height + 2 * passes);
    if (drawn) {
        if (passes == 1) {
            markRectangle(pixels, width, height, passes, 1, 1, mask, rows);
        } else {
            markRectangle(pixels, width, height, passes, passes, passes - 1, mask, rows);
            markRectangle(pixels, width, height, passes, passes - 1, passes, mask, rows);
        }
        uint32_t* out = nullptr;
        int32_t pitch = 0;
        outline.lockPixels(&out, &pitch);
        const uint32_t edge = pixelFromPackedColour(edgeColour, 0);
        for (size_t i = 0; i < outPixels; ++i) out[i] = mask[i] ? edge | 0xFF000000u : edge;
        if (passes >= 2) {
            // The last pass's stamps never reach the four corners.
            out[0] = out[outWidth - 1] = out[outPixels - outWidth] = out[outPixels - 1] = 0;
        }
    }
    releasePages(mask);
    releasePages(rows);
    return drawn;
}

}  // namespace

void applyEdge(const GlyphOptions& options, Surface& glyph) {
    if (!options.edgeOn) return;
    const int32_t passes = options.sample * options.edgeSize;
    Surface original;
    original.copyFrom(glyph);
    if (passes > 0 && !drawOutline(original, passes, options.edgeColor, glyph)) {
        glyph.release();
        return;
    }
    // The glyph over its outline, centred.
    glyph.blendRect(passes, passes, original, 0, 0, original.getWidth(), original.getHeight());
}

void applyBevel(const GlyphOptions& options, Surface& glyph) {
    if (!options.bevelOn) return;
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
    if (s <= 1) return;
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
                    if ((sample >> 24) == 0) continue;
                    ++covered;
                    blue += sample & 0xFF;
                    green += (sample >> 8) & 0xFF;
                    red += (sample >> 16) & 0xFF;
                    alpha += sample >> 24;
                }
            }
            if (covered == 0) continue;
            target[static_cast<int64_t>(y) * targetPitch + x] = (alpha / blockSamples) << 24 |
                                                                (red / covered) << 16 |
                                                                (green / covered) << 8 | blue / covered;
        }
    }
    surface.copyFrom(reduced);
}
