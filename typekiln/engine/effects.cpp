#include "effects.h"

#include <algorithm>

#include "effect_masks.h"
#include "sample_reduction.h"

namespace {

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

// The extrusion body alone: pixels a covered layer reaches are opaque in the
// extrusion colour, pixels only uncovered layer pixels reach take that
// colour with alpha 0, pixels no layer reaches stay transparent black.
bool drawExtrusion(const Surface& face, const Extrusion& e, uint32_t colour, Surface& body) {
    Scratch<uint8_t> mask(static_cast<size_t>(e.faceWidth) * e.faceHeight);
    if (!mask.get() || !body.create(e.width, e.height)) return false;
    coverageMask(face, mask.get());
    LayerPainter painter(body, e.n, colour);
    return sweepExtrusion(mask.get(), e, LayerPainter::paint, &painter);
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
    const BevelDirection& d = bevelDirection(options.bevelOn ? code : 0);
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
        LayerPainter painter(result, e.n, options.bevelColor);
        if (!sweepExtrusion(edged, e, LayerPainter::paint, &painter)) return false;
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
    const Extrusion e =
        extrusionOf(bevelDirection(options.bevelDirection), n, glyph.getWidth(), glyph.getHeight());

    Surface body;
    if (n < 0) {
        // No layers at all: only the shrunken canvas and the shifted face.
        body.create(e.width, e.height);
    } else if (!drawExtrusion(glyph, e, options.bevelColor, body)) {
        glyph.release();
        return;
    }
    body.blendRect(e.x0, e.y0, glyph, 0, 0, glyph.getWidth(), glyph.getHeight());
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
