#pragma once

#include <windows.h>

#include <cstdint>

#include "generation_settings.h"
#include "run_window.h"
#include "surface.h"

// Draws characters with GDI as one-bit glyph outlines at `sample` times the
// font size. Every call but those with a drawer (below) creates, uses and
// gives back its own font and device context. Results are in sampled pixels: the glyph image, and in the
// working state of `options` the font's metrics, the ABC widths (A and C
// divided by the horizontal scale, B multiplied by it) and topOffset, the
// distance from the top of the font's cell to the glyph's black box.

// The whole glyph: the outline in the body colour (alpha 0 or 255), then the
// edge and the extrusion. `glyph` is the caller's new, empty surface;
// `window` lends its device context and owns the error message. A glyph
// whose buffers are not granted stays empty, without a message.
void rasterizeGlyph(HWND window, Surface& glyph, GlyphOptions& options, const char* text);

// rasterizeGlyph without the effects. When GDI gives no bitmap (an empty
// glyph) it shows "ERROR Failed GetFontBuffer", leaves `glyph` as it was and
// the ABC widths unscaled, and returns Empty; OutOfMemory, without a
// message, when the bitmap or the glyph's buffer is not granted.
GlyphOutcome drawGlyphOutline(HWND window, Surface& glyph, GlyphOptions& options, const char* text);

// The message for a character GDI gives no bitmap for, owned by `window`;
// returns when the user has closed it.
void showEmptyGlyphMessage(HWND window);

// One drawing thread's GDI state for a whole run: a memory device context
// of its own with the glyph font selected. The font depends only on the
// settings, so it is made once, not per glyph. A drawer is used by one
// thread at a time.
struct GlyphDrawer;

// Opens a drawer for glyphs with `options`; the working state of `options`
// receives the drawer's handles and the font's metrics. Returns null when no
// device context is had.
GlyphDrawer* openGlyphDrawer(GlyphOptions& options);
void closeGlyphDrawer(GlyphDrawer* drawer);
// drawGlyphOutline with the drawer's font and nothing shown: Empty, `glyph`
// untouched, when GDI gives no bitmap.
GlyphOutcome drawGlyphOutlineWith(GlyphDrawer& drawer, Surface& glyph, GlyphOptions& options,
                                  const char* text);

// The drawing functions of a run's RunWindow: `window` is the progress
// window, a drawer is a GlyphDrawer, and drawRunGlyph is the outline with
// the edge and the extrusion.
void* openRunDrawer(void* window, GlyphOptions& options);
void closeRunDrawer(void* drawer);
GlyphOutcome drawRunGlyph(void* drawer, Surface& glyph, GlyphOptions& options, const char* text);

// Creates the glyph font at sample * size, selects it into the device
// context held in the working state, and reads its text metrics.
void createGlyphFont(GlyphOptions& options, HWND window);

// Reads the glyph's one-bit bitmap, shrunk so that the effects grow it back
// to about `size`: `unshrunk` receives the metrics of the outline at the
// font's scale, `shrunk` those of the bitmap. Returns the bitmap's size in
// bytes and hands out a buffer from the page allocator (the caller releases
// it), or returns 0 with *bitmap null when there is none. A size with
// *bitmap null means the buffer was not granted.
DWORD getGlyphBitmap(GlyphOptions& options, HDC deviceContext, UINT code, GLYPHMETRICS* unshrunk,
                     GLYPHMETRICS* shrunk, uint8_t** bitmap);

// Makes `glyph` columns x rows, every set bit of the bitmap a pixel in the
// body colour. Rows are `pitch` bytes apart, most significant bit leftmost.
// Returns false when the glyph's buffer is not granted.
bool expandGlyphBitmap(const GlyphOptions& options, int32_t rows, int32_t columns, Surface& glyph,
                       const uint8_t* bitmap, int32_t pitch);
