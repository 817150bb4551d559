#include "engine/effect_masks.h"

#include <algorithm>
#include <iterator>

#include "engine/choice_lists.h"

#include "platform/page_memory.h"

namespace {

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

// Every direction the dialog offers moves the layers, and no two entries
// share a code.
constexpr bool offersDistinctMovingDirections() {
    bool offered[std::size(kBevelDirections)] = {};
    for (const BevelDirectionChoice& choice : bevelDirectionCodes) {
        if (choice.code < 0 || choice.code >= static_cast<int32_t>(std::size(kBevelDirections))) return false;
        const BevelDirection& d = kBevelDirections[choice.code];
        if ((d.dx == 0 && d.dy == 0) || offered[choice.code]) return false;
        offered[choice.code] = true;
    }
    return true;
}
static_assert(offersDistinctMovingDirections(),
              "bevelDirectionCodes lists the moving keypad codes once each");

int32_t startOffset(int flag, int32_t n) {
    return flag ? n - 1 : 0;
}

bool opaque(uint32_t pixel) {
    return (pixel >> 24) != 0;
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

}  // namespace

const BevelDirection& bevelDirection(int code) {
    return kBevelDirections[code >= 0 && code <= 9 ? code : 0];
}

void coverageMask(const Surface& surface, uint8_t* __restrict mask) {
    const uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    surface.lockPixels(&pixels, &pitch);
    const size_t count = static_cast<size_t>(surface.getWidth()) * surface.getHeight();
    for (size_t i = 0; i < count; ++i) mask[i] = pixels[i] > 0x00FFFFFFu;  // alpha not 0
}

// The union of the steps is a square of radius `passes` without its four
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

// Along a row the distance is carried from pixel to pixel; otherwise from
// the row one step back, which the order of the rows has always done.
bool sweepExtrusion(const uint8_t* mask, const Extrusion& e, SweptRow paint, void* context) {
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
            if (left < right) paint(context, y, current, left, right);
        }
        std::swap(previous, current);
    }
    return true;
}
