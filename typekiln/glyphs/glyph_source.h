#pragma once

#include <cstdint>

#include "engine/generation_settings.h"

// What a run asks of the system's rasteriser, and nothing more: the font's
// text metrics, a character's ABC widths, and a character's one-bit glyph
// bitmap under a 2 x 2 transform. GDI answers on Windows; natively FreeType
// answers with GDI's own rules (as Wine's GDI follows them), so that both
// give the same numbers and the same bits.
//
// Characters are code page 932 character codes (characterCode: the single
// byte, or lead byte * 256 + trail byte), converted to Unicode as
// GetGlyphOutlineA converts them: a code the code page leaves unassigned is
// its default character.

// One font of the glyph options (face, cell height sample * size, bold,
// italic), with the system objects that draw it: a device context and a font
// on Windows, a FreeType library and face natively. Used by one thread at a
// time; each drawing thread opens its own.
struct GlyphFont;

// Why no glyph font could be opened: nullptr when one was, else a message
// for the user (Japanese, code page 932).
struct GlyphFontOpening {
    GlyphFont* font;
    const char* problem;
};

// Opens the font of `options`, as CreateFontA would make it: height sample *
// size (the cell height), weight 900 when bold (0 otherwise), italic,
// Shift-JIS character set, TrueType precision, fixed pitch and modern family
// asked, the face by its name. A face the system lacks falls back as GDI's
// font mapper falls back; natively a fallback that cannot draw Japanese is
// refused rather than drawn with. Close what it gives with closeGlyphFont.
GlyphFontOpening openGlyphFont(const GlyphOptions& options);
void closeGlyphFont(GlyphFont* font);

// The font's text metrics, as GetTextMetricsA reports them.
TextMetrics glyphTextMetrics(const GlyphFont& font);

// The character's A, B and C widths at the font's size, as
// GetCharABCWidthsA reports them.
AbcWidths glyphAbcWidths(GlyphFont& font, uint16_t code);

// A 2 x 2 transform in 16.16 fixed point, as MAT2 holds it (m11 and m22 on
// the diagonal; m12 and m21 are 0 for every transform a run makes).
struct GlyphTransform {
    int32_t m11, m12, m21, m22;
};

// Where a glyph's bitmap lies, as GLYPHMETRICS tells it: the black box's
// size in pixels, the position of its top-left corner from the glyph origin
// (y up), and the advance.
struct GlyphBoxMetrics {
    uint32_t blackBoxX, blackBoxY;
    int32_t originX, originY;
    int16_t cellIncX, cellIncY;
};

// The glyph's box under `transform`, without drawing it. Returns the size
// in bytes its bitmap takes (rows of whole 32-bit units), or 0 when the
// glyph has no bitmap (a blank character) or cannot be had.
uint32_t measureGlyphBitmap(GlyphFont& font, uint16_t code, const GlyphTransform& transform,
                            GlyphBoxMetrics* box);

// Draws the glyph under `transform` into `bitmap`, `size` bytes from
// measureGlyphBitmap: one bit a pixel, the most significant bit of each byte
// leftmost, rows top to bottom, each row filled to a multiple of 4 bytes.
// `box` receives what measureGlyphBitmap gave. Returns false when nothing
// could be drawn.
bool drawGlyphBitmap(GlyphFont& font, uint16_t code, const GlyphTransform& transform, GlyphBoxMetrics* box,
                     uint8_t* bitmap, uint32_t size);
