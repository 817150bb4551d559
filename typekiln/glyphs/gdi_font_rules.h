#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>

#include "engine/generation_settings.h"
#include "glyphs/glyph_source.h"

// GDI's font arithmetic over FreeType's numbers, as Wine's GDI does it: how
// a cell height becomes a pixel size, what the text metrics say, where a
// glyph's box lies under a transform, and its advance and ABC widths. Plain
// functions over plain numbers (and FreeType's fixed-point helpers, whose
// rounding is part of the result), fed by faceFiguresOf from a face.

// A face's numbers that the rules read, from its tables.
struct FaceFigures {
    uint16_t unitsPerEm;
    // OS/2
    uint16_t os2Version;
    int16_t averageWidth;  // xAvgCharWidth
    uint16_t weightClass;
    uint16_t winAscent;
    uint16_t winDescent;
    uint16_t firstCharIndex;
    uint16_t lastCharIndex;
    uint8_t panose[10];
    // hhea
    int16_t ascender;
    int16_t descender;
    int16_t lineGap;
    // head: the horizontal extent of the face's bounding box
    int32_t boxXMin;
    int32_t boxXMax;
    bool fixedWidth;          // the post table says every glyph has one advance
    bool boldStyle;           // the face is a bold style
    bool italicStyle;         // the face is an italic style
    bool symbolCharmap;       // the face has a symbol character map
    bool postscriptOutlines;  // CFF outlines rather than TrueType ones
};

// A face's figures, read from its tables; the face must have OS/2 and hhea
// tables (face lookup admits no other).
FaceFigures faceFiguresOf(FT_Face face);

// The pixels per em of a positive cell height (winAscent + winDescent
// scaled to it), one less when rounding would overshoot the height; a
// negative height is the em itself, 0 counts as 16. No VDMX table is read.
int32_t ppemForCellHeight(const FaceFigures& face, int32_t height);

// The simulations GDI adds to a face that lacks the asked style: bold when
// the weight asked exceeds 550, italic when italic is asked.
struct Simulations {
    bool bold;
    bool italic;
};
Simulations simulationsFor(bool faceIsBold, bool faceIsItalic, int32_t weight, bool italic);

// What the font a glyph is drawn with carries into the glyph rules.
struct FontFacts {
    int32_t ppem;
    uint16_t unitsPerEm;
    int16_t averageWidth;  // xAvgCharWidth, in font units
    bool fixedPitch;       // the text metrics' pitch bit (inverted) is clear
    int32_t ascent;        // tmAscent and tmDescent, before any simulation
    int32_t descent;
    Simulations simulations;
};

// The text metrics of the face at `ppem`, as GetTextMetricsA reports them
// (character fields cut to bytes), and the facts the glyph rules need.
TextMetrics textMetricsOf(const FaceFigures& face, int32_t ppem, Simulations simulations, uint8_t charset);
FontFacts fontFactsOf(const FaceFigures& face, int32_t ppem, Simulations simulations);

// The transform a glyph is laid out with: the simulated italic's slant,
// then the caller's transform (none when it is the identity). `any` is
// false when there is neither.
struct GlyphMatrix {
    FT_Matrix matrix;
    bool any;
};
GlyphMatrix glyphMatrixFor(bool slant, const GlyphTransform* transform);

// The loaded glyph's metrics cut to the font's ascent and descent, as GDI
// cuts glyphs that reach beyond them.
FT_Glyph_Metrics clipToCell(FT_Glyph_Metrics metrics, const FontFacts& font);

// The pixel box of the glyph under the transform: corners transformed,
// then floored and ceiled to whole pixels (26.6 units).
FT_BBox transformedBox(const FT_Glyph_Metrics& metrics, const GlyphMatrix& transform);

// The black box, origin and advance of a glyph with `box`, and its ABC
// widths, as GetGlyphOutline and GetCharABCWidths report them. A full-width
// glyph of a fixed-pitch font advances exactly twice the average width.
struct GlyphLayout {
    GlyphBoxMetrics box;
    AbcWidths abc;
};
GlyphLayout glyphLayout(const FontFacts& font, const FT_Glyph_Metrics& metrics, const FT_BBox& box,
                        const GlyphMatrix& transform);

// How strongly a simulated bold thickens outlines: a 24th of the em.
FT_Pos boldStrength(int32_t ppem);
