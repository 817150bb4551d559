#include "engine/effects.h"

#include <algorithm>

#include "engine/effect_masks.h"
#include "engine/sample_reduction.h"
#include "platform/page_memory.h"

namespace {

// `colour` wherever the mask is set.
void overlayWhere(uint32_t* __restrict target, const uint8_t* __restrict mask, int32_t length,
                  uint32_t colour) {
    for (int32_t x = 0; x < length; ++x) target[x] = mask[x] ? colour : target[x];
}

// The four corner pixels of an image become transparent black.
void clearCorners(uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) {
    pixels[0] = pixels[width - 1] = 0;
    pixels[static_cast<size_t>(height - 1) * pitch] =
        pixels[static_cast<size_t>(height - 1) * pitch + width - 1] = 0;
}

void paintLayers(uint32_t* __restrict target, const int32_t* __restrict distance, int32_t length,
                 int32_t depth, uint32_t covered, uint32_t touched) {
    for (int32_t x = 0; x < length; ++x) target[x] = distance[x] <= depth ? covered : touched;
}

// Paints the rows of an extrusion sweep into an image: opaque in the
// extrusion colour where a covered layer pixel reaches, that colour with
// alpha 0 where only uncovered layer pixels do.
struct LayerPainter {
    uint32_t* pixels;
    int32_t pitch;
    int32_t depth;
    uint32_t covered, touched;

    LayerPainter(Surface& image, int32_t depth, uint32_t colour)
        : depth(depth),
          covered(pixelFromPackedColour(colour, 255)),
          touched(pixelFromPackedColour(colour, 0)) {
        image.lockPixels(&pixels, &pitch);
    }

    static void paint(void* context, int32_t y, const int32_t* distance, int32_t left, int32_t right) {
        const LayerPainter& p = *static_cast<const LayerPainter*>(context);
        paintLayers(p.pixels + static_cast<size_t>(y) * p.pitch + left, distance + left, right - left,
                    p.depth, p.covered, p.touched);
    }
};

// An outline of `passes` growth steps (0: none), then the extrusion when
// `bevel` is set (of sample * bevelSize pixels, 0 or more), in one pass over
// the finished image; passes or bevel must be set. The outline covers the
// glyph, and the outlined glyph is opaque wherever the outline is, so laying
// it over the extrusion leaves the extrusion only where the outline is not.
// Every pixel is thus the glyph blended over the outline where the outline
// covers, else the extrusion, or where no layer reaches the colour the
// outline leaves on its transparent pixels. Returns false when a buffer is
// not granted.
bool drawEffects(const GlyphOptions& options, int32_t passes, bool bevel, Surface& glyph) {
    const int32_t w = glyph.getWidth();
    const int32_t h = glyph.getHeight();
    const int32_t ew = w + 2 * passes;  // the outlined glyph
    const int32_t eh = h + 2 * passes;
    const BevelDirection& d = bevelDirection(bevel ? options.bevelDirection : 0);
    const Extrusion e = extrusionOf(d, bevel ? options.sample * options.bevelSize : 0, ew, eh);

    // What the outlined glyph covers: the outline, or without one the glyph.
    Scratch<uint8_t> edged(static_cast<size_t>(ew) * eh);
    Surface result;
    if (!edged.get() || !result.create(e.width, e.height)) return false;
    if (passes > 0) {
        if (!outlineMask(glyph, passes, edged.get())) return false;
    } else {
        coverageMask(glyph, edged.get());
    }

    uint32_t* out = nullptr;
    int32_t pitch = 0;
    result.lockPixels(&out, &pitch);
    if (bevel) {
        LayerPainter painter(result, e.n, options.bevelColor);
        if (!sweepExtrusion(edged.get(), e, LayerPainter::paint, &painter)) return false;
    } else {
        // The outline alone is the image: the edge colour with alpha 0, but
        // the four corners of a several-step outline, which the last step's
        // stamps never reach: transparent black.
        std::fill(out, out + static_cast<size_t>(eh) * pitch, pixelFromPackedColour(options.edgeColor, 0));
        if (passes >= 2) clearCorners(out, ew, eh, pitch);
    }
    if (passes > 0) {
        const uint32_t opaqueEdge = pixelFromPackedColour(options.edgeColor, 255);
        // Columns of the outlined glyph that land on the image.
        const int32_t from = std::max(0, -e.x0);
        const int32_t to = std::min(ew, e.width - e.x0);
        for (int32_t y = std::max(0, -e.y0); y < std::min(eh, e.height - e.y0) && from < to; ++y) {
            overlayWhere(out + static_cast<size_t>(e.y0 + y) * pitch + e.x0 + from,
                         edged.get() + static_cast<size_t>(y) * ew + from, to - from, opaqueEdge);
        }
    }
    result.blendRect(e.x0 + passes, e.y0 + passes, glyph, 0, 0, w, h);
    glyph.swap(result);
    return true;
}

// An effect that could not be drawn leaves no half-made glyph behind.
bool abandon(Surface& glyph) {
    glyph.release();
    return false;
}

}  // namespace

bool applyEdge(const GlyphOptions& options, Surface& glyph) {
    if (!options.edgeOn) return true;
    const int32_t passes = options.sample * options.edgeSize;
    if (passes > 0) return drawEffects(options, passes, false, glyph) || abandon(glyph);
    // No outline: the glyph laid over a copy of itself, centred.
    Surface under;
    if (!under.copyFrom(glyph)) return abandon(glyph);
    under.blendRect(passes, passes, glyph, 0, 0, glyph.getWidth(), glyph.getHeight());
    glyph.swap(under);
    return true;
}

bool applyBevel(const GlyphOptions& options, Surface& glyph) {
    if (!options.bevelOn) return true;
    const int32_t n = options.sample * options.bevelSize;
    if (n >= 0) return drawEffects(options, 0, true, glyph) || abandon(glyph);
    // No layers at all: only the shrunken canvas and the shifted face.
    const Extrusion e =
        extrusionOf(bevelDirection(options.bevelDirection), n, glyph.getWidth(), glyph.getHeight());
    Surface body;
    if (!body.create(e.width, e.height)) return abandon(glyph);
    body.blendRect(e.x0, e.y0, glyph, 0, 0, glyph.getWidth(), glyph.getHeight());
    glyph.swap(body);
    return true;
}

bool applyEffects(const GlyphOptions& options, Surface& glyph) {
    const int32_t passes = options.edgeOn ? options.sample * options.edgeSize : 0;
    const int32_t depth = options.bevelOn ? options.sample * options.bevelSize : 0;
    // An edge without an outline lays the glyph over itself (which makes
    // every covered pixel opaque), and a negative depth only shifts it:
    // those take the two effects one after the other.
    if ((options.edgeOn && passes <= 0) || depth < 0)
        return applyEdge(options, glyph) && applyBevel(options, glyph);
    const bool bevel = options.bevelOn != 0;
    if (!passes && !bevel) return true;
    return drawEffects(options, passes, bevel, glyph) || abandon(glyph);
}

void reduceSamples(Surface& surface, const GlyphOptions& options) {
    const int32_t s = options.sample;
    if (s <= 1) return;
    Surface reduced;
    if (!reduceSurface(surface, s, reduced)) {
        surface.release();
        return;
    }
    surface.swap(reduced);
}
