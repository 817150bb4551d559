#pragma once

#include "engine/generation_settings.h"
#include "images/surface.h"

// The glyph effects and the supersampling reduction. All of them work in
// sampled pixels on a glyph (not empty) whose alpha is 0 or 255 everywhere
// and replace the surface in place (re-created at its new size). The
// effects return false when a buffer is not granted, leaving `glyph` empty;
// they return true when their flag is clear.

// Outline ("エッジ") of edgeSize output pixels in edgeColor: the glyph grows
// by sample * edgeSize pixels on every side, and is laid back over its
// outline. The last of several growth steps cuts the corners. Every pixel
// of the grown image takes the edge colour (transparent ones too), but for
// the four corners of a multi-step outline, which stay transparent black.
// Does nothing when edgeOn is clear.
bool applyEdge(const GlyphOptions& options, Surface& glyph);

// Extrusion ("押し出し") of bevelSize output pixels in bevelColor, toward the
// numeric-keypad direction bevelDirection; the face is laid over the swept
// body. Codes 0 and 5 extrude in place, and so does any code outside 0 to 9
// (a run refuses such codes before it starts). Does nothing when bevelOn is
// clear.
bool applyBevel(const GlyphOptions& options, Surface& glyph);

// applyEdge, then applyBevel, as the rasteriser ends every glyph, with the
// same pixels; an edge of 1 or more and an extrusion of 0 or more are drawn
// in one pass over the finished image.
bool applyEffects(const GlyphOptions& options, Surface& glyph);

// Reduces an image drawn at `sample` times the output resolution by
// averaging sample x sample blocks: colour is the plain mean of the covered
// samples, alpha the coverage of the whole block (samples beyond the image
// count as transparent). Does nothing when sample is 1 or less; leaves the
// surface empty when a buffer is not granted.
void reduceSamples(Surface& surface, const GlyphOptions& options);
