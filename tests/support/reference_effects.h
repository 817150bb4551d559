#pragma once

#include "engine/generation_settings.h"
#include "images/surface.h"

// The glyph effects and the sample reduction done the straightforward way,
// against which the product's one-pass versions are checked:

// the outline as a sequence of one-pixel growth passes, each a copy and nine
// (or, last of several, four) tinted stamps;
void referenceApplyEdge(const GlyphOptions& options, Surface& glyph);

// the extrusion as n + 1 tinted stamps of the glyph, one per layer, with the
// face blended over them;
void referenceApplyBevel(const GlyphOptions& options, Surface& glyph);

// the reduction reading every sample through the bounds-checked getPixel.
void referenceReduceSamples(Surface& surface, const GlyphOptions& options);
