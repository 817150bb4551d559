#pragma once

#include <cstdint>

#include "engine/generation_settings.h"
#include "engine/run_window.h"
#include "glyphs/glyph_source.h"
#include "images/surface.h"

// Glyph images from the system's rasteriser (glyph_source.h): one-bit
// glyph outlines at `sample` times the font size, expanded into surfaces and
// grown by the effects. Results are in sampled pixels: the glyph image, and
// in the working state of `options` the font's metrics, the ABC widths (A
// and C divided by the horizontal scale, B multiplied by it) and topOffset,
// the distance from the top of the font's cell to the glyph's black box.

// The whole glyph of `text` (a character's bytes) drawn with `font`: the
// outline in the body colour (alpha 0 or 255), then the edge and the
// extrusion. `glyph` is the caller's new, empty surface. Empty when the font
// gives no bitmap for the character (a blank one): `glyph` is left as it
// was, the ABC widths unscaled, topOffset untouched. OutOfMemory when a
// buffer was not granted: `glyph` is empty and the working state means
// nothing.
GlyphOutcome drawGlyph(GlyphFont& font, Surface& glyph, GlyphOptions& options, const char* text);

// drawGlyph without the effects.
GlyphOutcome drawGlyphOutline(GlyphFont& font, Surface& glyph, GlyphOptions& options, const char* text);

// drawGlyph with a font of its own, opened for `options` and closed again,
// as the preview draws its one character. When no font opens, *problem
// holds the reason (a message for the user) and the glyph stays as it was;
// otherwise *problem is null.
GlyphOutcome rasterizeGlyph(Surface& glyph, GlyphOptions& options, const char* text, const char** problem);

// The drawing functions of a run's RunWindow: a drawer is a GlyphFont of its
// own for each drawing thread (the window's handle is not needed), and
// drawRunGlyph is drawGlyph.
void* openRunDrawer(void* handle, GlyphOptions& options, const char** problem);
void closeRunDrawer(void* drawer);
GlyphOutcome drawRunGlyph(void* drawer, Surface& glyph, GlyphOptions& options, const char* text);
