#include "effects.h"

#include <algorithm>

#include "page_memory.h"
#include "sample_reduction.h"

// Both effects are computed in one pass over the grown image, whatever their
// size: each output pixel asks how far away the nearest opaque source pixel
// is (along a row, a column or the extrusion's direction), and those
// distances are carried from one pixel or row to the next. The results are
// the pixels that the growth passes and the stacked layers would give.

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

bool opaque(uint32_t pixel) {
    return (pixel >> 24) != 0;
}

// Scratch rows of int32 from the page allocator, given back on destruction.
class ScratchRows {
public:
    ScratchRows(int32_t count, int32_t length)
        : block(static_cast<int32_t*>(
              allocatePages(static_cast<size_t>(count) * std::max(length, 1) * sizeof(int32_t)))),
          length(std::max(length, 1)) {}
    ~ScratchRows() { releasePages(block); }
    ScratchRows(const ScratchRows&) = delete;
    ScratchRows& operator=(const ScratchRows&) = delete;

    bool granted() const { return block != nullptr; }
    int32_t* row(int32_t index) { return block + static_cast<size_t>(index) * length; }

private:
    int32_t* block;
    int32_t length;
};

// For every output column X of one source row, the distance in columns to
// the nearest opaque pixel, the source column of X being X - grow; capped at
// `cap`. Two sweeps, one from each side.
void rowDistances(const uint32_t* row, int32_t width, int32_t grow, int32_t cap, int32_t* distance,
                  int32_t outWidth) {
    int32_t run = cap;
    for (int32_t x = 0; x < outWidth; ++x) {
        const int32_t source = x - grow;
        run = source >= 0 && source < width && opaque(row[source]) ? 0 : std::min(run + 1, cap);
        distance[x] = run;
    }
    run = cap;
    for (int32_t x = outWidth - 1; x >= 0; --x) {
        const int32_t source = x - grow;
        run = source >= 0 && source < width && opaque(row[source]) ? 0 : std::min(run + 1, cap);
        distance[x] = std::min(distance[x], run);
    }
}

// One rectangle of the outline's shape: an output pixel is covered when an
// opaque source pixel lies within `radiusX` columns and `radiusY` rows of it.
// Rows are swept top to bottom; `since` counts, per column, the rows since
// the last one that had an opaque pixel within radiusX. A rectangle of
// radiusY = grow - 1 looks one row less far ahead, so it is read before the
// current row enters its count.
struct OutlineRectangle {
    int32_t radiusX, radiusY;
    int32_t* since;
};

// The outline: `passes` one-pixel growth steps, each a 3 x 3 dilation but
// the last of several, which only reaches the four direct neighbours. Their
// union is a square of radius `passes` without its four corner pixels, that
// is two rectangles; one pass is the whole 3 x 3 square.
bool drawOutline(const Surface& original, int32_t passes, uint32_t edgeColour, Surface& outline) {
    const uint32_t* pixels = nullptr;
    int32_t width = 0;
    original.lockPixels(&pixels, &width);
    const int32_t height = original.getHeight();
    const int32_t outWidth = width + 2 * passes;
    const int32_t outHeight = height + 2 * passes;
    ScratchRows scratch(3, outWidth);
    if (!scratch.granted() || !outline.create(outWidth, outHeight)) return false;

    OutlineRectangle shape[2] = {{passes, passes - 1, scratch.row(0)}, {passes - 1, passes, scratch.row(1)}};
    const int rectangles = passes == 1 ? 1 : 2;
    if (passes == 1) shape[0].radiusY = 1;
    int32_t* distance = scratch.row(2);
    const int32_t cap = passes + 1;
    const int32_t never = 2 * passes + 1;  // rows since: more than any window
    for (int r = 0; r < rectangles; ++r) std::fill(shape[r].since, shape[r].since + outWidth, never);

    uint32_t* out = nullptr;
    int32_t pitch = 0;
    outline.lockPixels(&out, &pitch);
    const uint32_t transparentEdge = pixelFromPackedColour(edgeColour, 0);
    const uint32_t opaqueEdge = pixelFromPackedColour(edgeColour, 255);
    for (int32_t y = 0; y < outHeight; ++y) {
        // Output row y is centred on source row y - passes; the sweep has
        // just reached source row y.
        if (y < height) {
            rowDistances(pixels + static_cast<size_t>(y) * width, width, passes, cap, distance, outWidth);
        } else {
            std::fill(distance, distance + outWidth, cap);
        }
        uint32_t* target = out + static_cast<size_t>(y) * pitch;
        for (int32_t x = 0; x < outWidth; ++x) target[x] = transparentEdge;
        for (int r = 0; r < rectangles; ++r) {
            OutlineRectangle& rect = shape[r];
            const bool lagging = rect.radiusY < passes;
            const int32_t window = 2 * rect.radiusY;
            for (int32_t x = 0; x < outWidth; ++x) {
                const int32_t before = rect.since[x];
                const int32_t now = distance[x] <= rect.radiusX ? 0 : std::min(before + 1, never);
                rect.since[x] = now;
                if ((lagging ? before : now) <= window) target[x] = opaqueEdge;
            }
        }
    }
    if (passes >= 2) {
        // The last pass's stamps never reach the four corners.
        out[0] = out[outWidth - 1] = 0;
        out[static_cast<size_t>(outHeight - 1) * pitch] = out[static_cast<size_t>(outHeight) * pitch - 1] = 0;
    }
    return true;
}

// Which layers k (0 <= k <= n) of an extrusion, placed at start + k * step
// along one axis with `length` pixels each, reach position p: a range, empty
// when first > last.
struct LayerRange {
    int32_t first, last;
};

LayerRange layersReaching(int32_t p, int32_t start, int32_t step, int32_t length, int32_t n) {
    if (step == 0) return start <= p && p < start + length ? LayerRange{0, n} : LayerRange{1, 0};
    // start + k * step <= p < start + k * step + length
    if (step > 0) return {std::max(p - start - length + 1, 0), std::min(p - start, n)};
    return {std::max(start - p, 0), std::min(start + length - 1 - p, n)};
}

// The extrusion body: the face swept n pixels along (dx, dy). `distance`
// carries, per output column, how many steps back along the direction the
// nearest opaque face pixel lies (capped at n + 1); rows are visited so that
// the row one step back has always been done already. Pixels that some layer
// covers but no opaque one does take the extrusion colour with alpha 0;
// pixels no layer reaches stay transparent black.
bool drawExtrusion(const Surface& face, const BevelDirection& d, int32_t n, uint32_t colour, Surface& body) {
    const int32_t w = face.getWidth();
    const int32_t h = face.getHeight();
    const int32_t outWidth = w + d.growWidth * n;
    const int32_t outHeight = h + d.growHeight * n;
    const int32_t x0 = startOffset(d.startX, n);
    const int32_t y0 = startOffset(d.startY, n);
    ScratchRows scratch(2, outWidth);
    if (!scratch.granted() || !body.create(outWidth, outHeight)) return false;
    const uint32_t* pixels = nullptr;
    int32_t facePitch = 0;
    face.lockPixels(&pixels, &facePitch);
    uint32_t* out = nullptr;
    int32_t pitch = 0;
    body.lockPixels(&out, &pitch);

    const int32_t cap = n + 1;
    int32_t* previous = scratch.row(0);
    int32_t* current = scratch.row(1);
    std::fill(previous, previous + outWidth, cap);
    const bool moves = d.dx != 0 || d.dy != 0;
    const uint32_t touched = pixelFromPackedColour(colour, 0);
    const uint32_t covered = pixelFromPackedColour(colour, 255);
    for (int32_t i = 0; i < outHeight; ++i) {
        const int32_t y = d.dy < 0 ? outHeight - 1 - i : i;
        const int32_t sourceY = y - y0;
        const uint32_t* sourceRow =
            sourceY >= 0 && sourceY < h ? pixels + static_cast<size_t>(sourceY) * facePitch : nullptr;
        auto opaqueAt = [&](int32_t x) {
            const int32_t sourceX = x - x0;
            return sourceRow && sourceX >= 0 && sourceX < w && opaque(sourceRow[sourceX]);
        };
        if (!moves) {
            for (int32_t x = 0; x < outWidth; ++x) current[x] = opaqueAt(x) ? 0 : cap;
        } else if (d.dy == 0) {
            // Along the row itself, from the side the extrusion trails away from.
            int32_t run = cap;
            for (int32_t j = 0; j < outWidth; ++j) {
                const int32_t x = d.dx < 0 ? outWidth - 1 - j : j;
                run = opaqueAt(x) ? 0 : std::min(run + 1, cap);
                current[x] = run;
            }
        } else {
            for (int32_t x = 0; x < outWidth; ++x) {
                const int32_t back = x - d.dx;
                const int32_t behind = back >= 0 && back < outWidth ? previous[back] : cap;
                current[x] = opaqueAt(x) ? 0 : std::min(behind + 1, cap);
            }
        }

        uint32_t* target = out + static_cast<size_t>(y) * pitch;
        const LayerRange rows = layersReaching(y, y0, d.dy, h, n);
        for (int32_t x = 0; x < outWidth; ++x) {
            const LayerRange columns = layersReaching(x, x0, d.dx, w, n);
            if (std::max(rows.first, columns.first) > std::min(rows.last, columns.last)) continue;
            target[x] = current[x] <= n ? covered : touched;
        }
        std::swap(previous, current);
    }
    return true;
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
    const int32_t x0 = startOffset(d.startX, n);
    const int32_t y0 = startOffset(d.startY, n);
    if (n < 0) {
        // No layers at all: only the shrunken canvas and the shifted face.
        glyph.create(face.getWidth() + d.growWidth * n, face.getHeight() + d.growHeight * n);
    } else if (!drawExtrusion(face, d, n, options.bevelColor, glyph)) {
        glyph.release();
        return;
    }
    glyph.blendRect(x0, y0, face, 0, 0, face.getWidth(), face.getHeight());
}

void reduceSamples(Surface& surface, const GlyphOptions& options) {
    const int32_t s = options.sample;
    if (s <= 1) return;
    Surface reduced;
    if (!reduceSurface(surface, s, reduced)) {
        surface.release();
        return;
    }
    surface.copyFrom(reduced);
}
