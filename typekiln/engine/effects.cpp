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

// A scratch block from the page allocator, given back on destruction.
template <typename T>
class Scratch {
public:
    explicit Scratch(size_t count)
        : block(static_cast<T*>(allocatePages(std::max<size_t>(count, 1) * sizeof(T)))) {}
    ~Scratch() { releasePages(block); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    T* get() const { return block; }

private:
    T* block;
};

// 1 for every covered pixel of `surface`, 0 elsewhere; rows `width` bytes apart.
void coverageMask(const Surface& surface, uint8_t* __restrict mask) {
    const uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    surface.lockPixels(&pixels, &pitch);
    const size_t count = static_cast<size_t>(surface.getWidth()) * surface.getHeight();
    for (size_t i = 0; i < count; ++i) mask[i] = pixels[i] > 0x00FFFFFFu;  // alpha not 0
}

// Row loops over separate buffers, written so that the compiler can turn
// them into vector code (a byte row could otherwise alias the counts).
void addRow(int32_t* __restrict count, const uint8_t* __restrict row, int32_t length) {
    for (int32_t x = 0; x < length; ++x) count[x] += row[x];
}

void subtractRow(int32_t* __restrict count, const uint8_t* __restrict row, int32_t length) {
    for (int32_t x = 0; x < length; ++x) count[x] -= row[x];
}

// 1 where either count is non-zero, else 0.
void markRow(uint8_t* __restrict mask, const int32_t* first, const int32_t* second, int32_t length) {
    for (int32_t x = 0; x < length; ++x) mask[x] = (first[x] | second[x]) != 0;
}

// `colour` wherever the mask is set.
void overlayWhere(uint32_t* __restrict target, const uint8_t* __restrict mask, int32_t length,
                  uint32_t colour) {
    for (int32_t x = 0; x < length; ++x) target[x] = mask[x] ? colour : target[x];
}

// The source's opaque pixels over the target (a solid source: 0 or 255).
void overlayPixels(uint32_t* __restrict target, const uint32_t* __restrict source, int32_t length) {
    for (int32_t x = 0; x < length; ++x) target[x] = (source[x] >> 24) != 0 ? source[x] : target[x];
}

// The four corner pixels of an image become transparent black.
void clearCorners(uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) {
    pixels[0] = pixels[width - 1] = 0;
    pixels[static_cast<size_t>(height - 1) * pitch] =
        pixels[static_cast<size_t>(height - 1) * pitch + width - 1] = 0;
}

// Calls fill(begin, end) for every run of covered pixels in a row.
template <typename Fill>
void forEachRun(const uint32_t* row, int32_t width, Fill fill) {
    for (int32_t x = 0; x < width;) {
        while (x < width && !opaque(row[x])) ++x;
        const int32_t begin = x;
        while (x < width && opaque(row[x])) ++x;
        if (begin < x) fill(begin, x);
    }
}

// One rectangle of the outline's shape: an output pixel is covered when a
// covered source pixel lies within radiusX columns and radiusY rows of it.
// `rows` holds each source row dilated by radiusX (in output columns), and
// `count` per output column how many of the rows within radiusY are set.
struct OutlineRectangle {
    int32_t radiusX, radiusY;
    uint8_t* rows;
    int32_t* count;
};

// Where the outline of `passes` one-pixel growth steps covers: 1 in `mask`
// ((width + 2 passes) x (height + 2 passes) bytes), else 0. Each step is a
// 3 x 3 dilation but the last of several, which only reaches the four direct
// neighbours. Their union is a square of radius `passes` without its four
// corner pixels, that is two rectangles (one pass is the whole 3 x 3
// square). Each rectangle is a dilation of the rows by spans, then a
// running count down the columns.
bool outlineMask(const Surface& glyph, int32_t passes, uint8_t* mask) {
    const int32_t width = glyph.getWidth();
    const int32_t height = glyph.getHeight();
    const int32_t outWidth = width + 2 * passes;
    const int32_t outHeight = height + 2 * passes;
    const int rectangles = passes == 1 ? 1 : 2;
    const size_t rowBytes = static_cast<size_t>(height) * outWidth;
    Scratch<uint8_t> rows(rectangles * rowBytes);
    Scratch<int32_t> counts(rectangles * static_cast<size_t>(outWidth));
    if (!rows.get() || !counts.get()) return false;

    OutlineRectangle shape[2] = {{passes, passes - 1, rows.get(), counts.get()},
                                 {passes - 1, passes, rows.get() + rowBytes, counts.get() + outWidth}};
    if (passes == 1) shape[0].radiusY = 1;
    const uint32_t* pixels = nullptr;
    int32_t glyphPitch = 0;
    glyph.lockPixels(&pixels, &glyphPitch);
    for (int32_t y = 0; y < height; ++y) {
        // Source column x is output column x + passes.
        forEachRun(pixels + static_cast<size_t>(y) * glyphPitch, width, [&](int32_t begin, int32_t end) {
            for (int r = 0; r < rectangles; ++r) {
                uint8_t* dilated = shape[r].rows + static_cast<size_t>(y) * outWidth;
                std::fill(dilated + begin + passes - shape[r].radiusX,
                          dilated + end + passes + shape[r].radiusX, 1);
            }
        });
    }
    const int32_t* first = shape[0].count;
    const int32_t* second = shape[rectangles - 1].count;
    for (int32_t y = 0; y < outHeight; ++y) {
        // Output row y is centred on source row y - passes: a rectangle
        // counts source rows y - passes - radiusY to y - passes + radiusY.
        for (int r = 0; r < rectangles; ++r) {
            const OutlineRectangle& rect = shape[r];
            const int32_t entering = y - passes + rect.radiusY;
            const int32_t leaving = y - passes - rect.radiusY - 1;
            if (entering >= 0 && entering < height)
                addRow(rect.count, rect.rows + static_cast<size_t>(entering) * outWidth, outWidth);
            if (leaving >= 0 && leaving < height)
                subtractRow(rect.count, rect.rows + static_cast<size_t>(leaving) * outWidth, outWidth);
        }
        markRow(mask + static_cast<size_t>(y) * outWidth, first, second, outWidth);
    }
    return true;
}

// The outline painted: covered pixels opaque in the edge colour, the rest
// the edge colour with alpha 0, but the four corners of a several-step
// outline, which the last step's stamps never reach: transparent black.
bool drawOutline(const Surface& glyph, int32_t passes, uint32_t edgeColour, Surface& outline) {
    const int32_t outWidth = glyph.getWidth() + 2 * passes;
    const int32_t outHeight = glyph.getHeight() + 2 * passes;
    Scratch<uint8_t> mask(static_cast<size_t>(outWidth) * outHeight);
    if (!mask.get() || !outlineMask(glyph, passes, mask.get()) || !outline.create(outWidth, outHeight))
        return false;
    uint32_t* out = nullptr;
    int32_t pitch = 0;
    outline.lockPixels(&out, &pitch);
    const uint32_t transparentEdge = pixelFromPackedColour(edgeColour, 0);
    const uint32_t opaqueEdge = pixelFromPackedColour(edgeColour, 255);
    for (int32_t y = 0; y < outHeight; ++y) {
        uint32_t* target = out + static_cast<size_t>(y) * pitch;
        std::fill(target, target + outWidth, transparentEdge);
        overlayWhere(target, mask.get() + static_cast<size_t>(y) * outWidth, outWidth, opaqueEdge);
    }
    if (passes >= 2) clearCorners(out, outWidth, outHeight, pitch);
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

// Distances one step further from the row before, 0 on covered pixels.
void stepBack(int32_t* __restrict current, const uint8_t* __restrict row, const int32_t* __restrict previous,
              int32_t length, int32_t cap) {
    for (int32_t x = 0; x < length; ++x) current[x] = row[x] ? 0 : std::min(previous[x] + 1, cap);
}

void paintLayers(uint32_t* __restrict target, const int32_t* __restrict distance, int32_t length,
                 int32_t depth, uint32_t covered, uint32_t touched) {
    for (int32_t x = 0; x < length; ++x) target[x] = distance[x] <= depth ? covered : touched;
}

// Where an extrusion sits: the grown image's size and the face's start.
struct Extrusion {
    const BevelDirection& d;
    int32_t n;                      // depth, sampled pixels, 0 or more
    int32_t faceWidth, faceHeight;  // what is extruded
    int32_t width, height;          // the grown image
    int32_t x0, y0;                 // the face's place in it
};

Extrusion extrusionOf(const BevelDirection& d, int32_t n, int32_t faceWidth, int32_t faceHeight) {
    return {d,
            n,
            faceWidth,
            faceHeight,
            faceWidth + d.growWidth * n,
            faceHeight + d.growHeight * n,
            startOffset(d.startX, n),
            startOffset(d.startY, n)};
}

// The face (`mask`, faceWidth x faceHeight bytes) swept n pixels along
// (dx, dy). For every row of the grown image that some layer reaches,
// paint(y, distance, left, right) gets the columns left .. right - 1 that
// the layers cover, and per column how many steps back along the direction
// the nearest covered face pixel lies (more than n: none). Along a row the
// distance is carried from pixel to pixel; otherwise from the row one step
// back, which the order of the rows has always done already.
template <typename Paint>
bool sweep(const uint8_t* mask, const Extrusion& e, Paint paint) {
    const BevelDirection& d = e.d;
    Scratch<uint8_t> source(e.width);
    Scratch<int32_t> distances(2 * static_cast<size_t>(e.width));
    if (!source.get() || !distances.get()) return false;
    const int32_t cap = e.n + 1;
    int32_t* previous = distances.get();
    int32_t* current = previous + e.width;
    std::fill(previous, previous + e.width, cap);
    uint8_t* row = source.get();
    for (int32_t i = 0; i < e.height; ++i) {
        const int32_t y = d.dy < 0 ? e.height - 1 - i : i;
        // The face's row that layer 0 puts on this row, in output columns.
        std::fill(row, row + e.width, 0);
        const int32_t faceRow = y - e.y0;
        if (faceRow >= 0 && faceRow < e.faceHeight) {
            const uint8_t* faceMask = mask + static_cast<size_t>(faceRow) * e.faceWidth;
            const int32_t from = std::max(0, -e.x0);
            const int32_t to = std::min(e.faceWidth, e.width - e.x0);
            if (from < to) std::copy(faceMask + from, faceMask + to, row + e.x0 + from);
        }
        if (d.dy == 0 && d.dx != 0) {
            // Along the row itself, from the side the extrusion trails away from.
            int32_t run = cap;
            for (int32_t j = 0; j < e.width; ++j) {
                const int32_t x = d.dx < 0 ? e.width - 1 - j : j;
                run = row[x] ? 0 : std::min(run + 1, cap);
                current[x] = run;
            }
        } else {
            // One step back is column x - dx of the previous row; codes 0
            // and 5 never move, so only their own pixel counts.
            const int32_t back = d.dy == 0 ? 0 : d.dx;
            const int32_t lo = std::max(0, back);
            const int32_t hi = std::min(e.width, e.width + back);
            for (int32_t x = 0; x < lo; ++x) current[x] = row[x] ? 0 : cap;
            for (int32_t x = hi; x < e.width; ++x) current[x] = row[x] ? 0 : cap;
            if (d.dy == 0) {
                for (int32_t x = lo; x < hi; ++x) current[x] = row[x] ? 0 : cap;
            } else {
                stepBack(current + lo, row + lo, previous + lo - back, hi - lo, cap);
            }
        }
        // The layers that reach this row cover one span of columns.
        const LayerRange layers = layersReaching(y, e.y0, d.dy, e.faceHeight, e.n);
        if (layers.first <= layers.last) {
            const int32_t left = std::max(0, e.x0 + std::min(layers.first * d.dx, layers.last * d.dx));
            const int32_t right =
                std::min(e.width, e.x0 + std::max(layers.first * d.dx, layers.last * d.dx) + e.faceWidth);
            if (left < right) paint(y, current, left, right);
        }
        std::swap(previous, current);
    }
    return true;
}

// The extrusion body alone: pixels a covered layer reaches are opaque in the
// extrusion colour, pixels only uncovered layer pixels reach take that
// colour with alpha 0, pixels no layer reaches stay transparent black.
bool drawExtrusion(const Surface& face, const Extrusion& e, uint32_t colour, Surface& body) {
    Scratch<uint8_t> mask(static_cast<size_t>(e.faceWidth) * e.faceHeight);
    if (!mask.get() || !body.create(e.width, e.height)) return false;
    coverageMask(face, mask.get());
    uint32_t* out = nullptr;
    int32_t pitch = 0;
    body.lockPixels(&out, &pitch);
    const uint32_t touched = pixelFromPackedColour(colour, 0);
    const uint32_t covered = pixelFromPackedColour(colour, 255);
    return sweep(mask.get(), e, [&](int32_t y, const int32_t* distance, int32_t left, int32_t right) {
        paintLayers(out + static_cast<size_t>(y) * pitch + left, distance + left, right - left, e.n, covered,
                    touched);
    });
}

// Whether every pixel of the glyph is fully transparent or fully opaque.
bool isSolid(const Surface& glyph) {
    const uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    glyph.lockPixels(&pixels, &pitch);
    const size_t count = static_cast<size_t>(glyph.getWidth()) * glyph.getHeight();
    bool solid = true;
    for (size_t i = 0; i < count; ++i) solid &= (pixels[i] >> 24) == 0 || (pixels[i] >> 24) == 255;
    return solid;
}

// Edge, then extrusion, of a solid glyph, in one pass over the finished
// image. Laying an opaque pixel over another gives the upper one exactly,
// so every pixel is the topmost opaque one of glyph, outline and
// extrusion; where none is, the colour the outline or the extrusion leaves
// on its transparent pixels. Returns false when a buffer is not granted.
bool drawEffects(const GlyphOptions& options, Surface& glyph) {
    const int32_t w = glyph.getWidth();
    const int32_t h = glyph.getHeight();
    const int32_t passes = options.edgeOn ? options.sample * options.edgeSize : 0;
    const int32_t ew = w + 2 * passes;  // the outlined glyph
    const int32_t eh = h + 2 * passes;
    const int code = options.bevelDirection;
    const BevelDirection& d = kBevelDirections[options.bevelOn && code >= 0 && code <= 9 ? code : 0];
    const Extrusion e = extrusionOf(d, options.bevelOn ? options.sample * options.bevelSize : 0, ew, eh);

    // What is opaque after the edge: the outline, which covers the glyph too.
    Scratch<uint8_t> glyphMask(static_cast<size_t>(w) * h);
    Scratch<uint8_t> outline(passes > 0 ? static_cast<size_t>(ew) * eh : 1);
    Surface result;
    if (!glyphMask.get() || !outline.get() || !result.create(e.width, e.height)) return false;
    coverageMask(glyph, glyphMask.get());
    if (passes > 0 && !outlineMask(glyph, passes, outline.get())) return false;
    const uint8_t* edged = passes > 0 ? outline.get() : glyphMask.get();

    uint32_t* out = nullptr;
    int32_t pitch = 0;
    result.lockPixels(&out, &pitch);
    const uint32_t* pixels = nullptr;
    int32_t glyphPitch = 0;
    glyph.lockPixels(&pixels, &glyphPitch);
    if (options.bevelOn) {
        const uint32_t touched = pixelFromPackedColour(options.bevelColor, 0);
        const uint32_t covered = pixelFromPackedColour(options.bevelColor, 255);
        const bool swept =
            sweep(edged, e, [&](int32_t y, const int32_t* distance, int32_t left, int32_t right) {
                paintLayers(out + static_cast<size_t>(y) * pitch + left, distance + left, right - left, e.n,
                            covered, touched);
            });
        if (!swept) return false;
    } else if (passes > 0) {
        const uint32_t transparentEdge = pixelFromPackedColour(options.edgeColor, 0);
        for (int32_t y = 0; y < eh; ++y)
            std::fill(out + static_cast<size_t>(y) * pitch, out + static_cast<size_t>(y) * pitch + ew,
                      transparentEdge);
        if (passes >= 2) clearCorners(out, ew, eh, pitch);
    } else {
        return true;  // an edge of 0 lays the glyph over itself: nothing changes
    }
    // The outlined glyph over the extrusion: first the outline, then the glyph.
    const uint32_t opaqueEdge = pixelFromPackedColour(options.edgeColor, 255);
    for (int32_t y = 0; y < eh; ++y) {
        const int32_t outY = e.y0 + y;
        if (outY < 0 || outY >= e.height) continue;
        // Columns of the outlined glyph that land on the image.
        const int32_t from = std::max(0, -e.x0);
        const int32_t to = std::min(ew, e.width - e.x0);
        if (from >= to) continue;
        uint32_t* target = out + static_cast<size_t>(outY) * pitch;
        if (passes > 0) {
            overlayWhere(target + e.x0 + from, outline.get() + static_cast<size_t>(y) * ew + from, to - from,
                         opaqueEdge);
        }
        const int32_t glyphY = y - passes;
        if (glyphY < 0 || glyphY >= h) continue;
        const int32_t glyphFrom = std::max(from - passes, 0);
        const int32_t glyphTo = std::min(to - passes, w);
        if (glyphFrom < glyphTo) {
            overlayPixels(target + e.x0 + passes + glyphFrom,
                          pixels + static_cast<size_t>(glyphY) * glyphPitch + glyphFrom, glyphTo - glyphFrom);
        }
    }
    glyph.swap(result);
    return true;
}

}  // namespace

void applyEdge(const GlyphOptions& options, Surface& glyph) {
    if (!options.edgeOn) return;
    const int32_t passes = options.sample * options.edgeSize;
    Surface outline;
    if (passes > 0) {
        if (!drawOutline(glyph, passes, options.edgeColor, outline)) {
            glyph.release();
            return;
        }
    } else if (!outline.copyFrom(glyph)) {
        glyph.release();
        return;
    }
    // The glyph over its outline, centred.
    outline.blendRect(passes, passes, glyph, 0, 0, glyph.getWidth(), glyph.getHeight());
    glyph.swap(outline);
}

void applyBevel(const GlyphOptions& options, Surface& glyph) {
    if (!options.bevelOn) return;
    const int32_t n = options.sample * options.bevelSize;
    const int code = options.bevelDirection;
    const BevelDirection& d = kBevelDirections[code >= 0 && code <= 9 ? code : 0];

    Surface body;
    if (n < 0) {
        // No layers at all: only the shrunken canvas and the shifted face.
        body.create(glyph.getWidth() + d.growWidth * n, glyph.getHeight() + d.growHeight * n);
    } else if (!drawExtrusion(glyph, extrusionOf(d, n, glyph.getWidth(), glyph.getHeight()),
                              options.bevelColor, body)) {
        glyph.release();
        return;
    }
    body.blendRect(startOffset(d.startX, n), startOffset(d.startY, n), glyph, 0, 0, glyph.getWidth(),
                   glyph.getHeight());
    glyph.swap(body);
}

void applyEffects(const GlyphOptions& options, Surface& glyph) {
    const bool straight =
        (options.edgeOn && options.edgeSize < 0) || (options.bevelOn && options.bevelSize < 0);
    if (!options.edgeOn && !options.bevelOn) return;
    if (straight || glyph.getWidth() == 0 || !isSolid(glyph)) {
        applyEdge(options, glyph);
        applyBevel(options, glyph);
        return;
    }
    if (!drawEffects(options, glyph)) glyph.release();
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
