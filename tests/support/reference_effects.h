#pragma once

#include "generation_settings.h"
#include "surface.h"

// The outline effect as a sequence of one-pixel growth passes, each a copy
// and nine (or, last of several, four) tinted stamps: the straightforward
// way, against which the product's single dilation is checked.
void referenceApplyEdge(const GlyphOptions& options, Surface& glyph);
