#include <windows.h>

#include <new>
#include <utility>

#include "engine/run_window.h"
#include "glyphs/glyph_source.h"
#include "win32/owners.h"

// The font lives selected into a memory device context of its own, so that
// each drawing thread has both to itself.
struct GlyphFont {
    GlyphFont(MemoryDc dc, GdiObject<HFONT> chosenFont)
        : deviceContext(std::move(dc)),
          font(std::move(chosenFont)),
          selection(deviceContext.get(), font.get()) {}

    MemoryDc deviceContext;
    GdiObject<HFONT> font;
    SelectedObject selection;  // last: the font is selected out before it and the context go
    TextMetrics textMetrics = {};
};

namespace {


TextMetrics toTextMetrics(const TEXTMETRICA& tm) {
    TextMetrics m;
    m.tmHeight = tm.tmHeight;
    m.tmAscent = tm.tmAscent;
    m.tmDescent = tm.tmDescent;
    m.tmInternalLeading = tm.tmInternalLeading;
    m.tmExternalLeading = tm.tmExternalLeading;
    m.tmAveCharWidth = tm.tmAveCharWidth;
    m.tmMaxCharWidth = tm.tmMaxCharWidth;
    m.tmWeight = tm.tmWeight;
    m.tmOverhang = tm.tmOverhang;
    m.tmDigitizedAspectX = tm.tmDigitizedAspectX;
    m.tmDigitizedAspectY = tm.tmDigitizedAspectY;
    m.tmFirstChar = tm.tmFirstChar;
    m.tmLastChar = tm.tmLastChar;
    m.tmDefaultChar = tm.tmDefaultChar;
    m.tmBreakChar = tm.tmBreakChar;
    m.tmItalic = tm.tmItalic;
    m.tmUnderlined = tm.tmUnderlined;
    m.tmStruckOut = tm.tmStruckOut;
    m.tmPitchAndFamily = tm.tmPitchAndFamily;
    m.tmCharSet = tm.tmCharSet;
    return m;
}

// 16.16 fixed point, as the glyph transform takes it.
FIXED toFixed(int32_t value) {
    FIXED fixed;
    fixed.fract = static_cast<WORD>(value & 0xFFFF);
    fixed.value = static_cast<short>(value >> 16);
    return fixed;
}

MAT2 toMat2(const GlyphTransform& t) {
    return {toFixed(t.m11), toFixed(t.m12), toFixed(t.m21), toFixed(t.m22)};
}

GlyphBoxMetrics toBoxMetrics(const GLYPHMETRICS& gm) {
    return {gm.gmBlackBoxX,       gm.gmBlackBoxY, gm.gmptGlyphOrigin.x,
            gm.gmptGlyphOrigin.y, gm.gmCellIncX,  gm.gmCellIncY};
}

}  // namespace

GlyphFontOpening openGlyphFont(const GlyphOptions& options) {
    MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return {nullptr, kNoMemoryMessage};
    // The mapper picks a font whatever the arguments; it is not tested.
    GdiObject<HFONT> font(CreateFontA(options.sample * options.size, 0, 0, 0,
                                      options.bold ? FW_HEAVY : FW_DONTCARE, options.italic ? TRUE : FALSE,
                                      FALSE, FALSE, SHIFTJIS_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      PROOF_QUALITY, FIXED_PITCH | FF_MODERN, options.face));
    auto* glyphFont = new (std::nothrow) GlyphFont(std::move(dc), std::move(font));
    if (!glyphFont) return {nullptr, kNoMemoryMessage};
    TEXTMETRICA metrics = {};
    GetTextMetricsA(glyphFont->deviceContext.get(), &metrics);
    glyphFont->textMetrics = toTextMetrics(metrics);
    return {glyphFont, nullptr};
}

void closeGlyphFont(GlyphFont* font) {
    delete font;
}

TextMetrics glyphTextMetrics(const GlyphFont& font) {
    return font.textMetrics;
}

AbcWidths glyphAbcWidths(GlyphFont& font, uint16_t code) {
    // The call measures every character the code's bytes convert to, and
    // two bytes can be two characters (a lead byte before a NUL, 0xFD41):
    // room for both, the first is the code's.
    ABC abc[2] = {};
    GetCharABCWidthsA(font.deviceContext.get(), code, code, abc);
    return {abc[0].abcA, abc[0].abcB, abc[0].abcC};
}

uint32_t measureGlyphBitmap(GlyphFont& font, uint16_t code, const GlyphTransform& transform,
                            GlyphBoxMetrics* box) {
    const MAT2 matrix = toMat2(transform);
    GLYPHMETRICS gm = {};
    const DWORD size = GetGlyphOutlineA(font.deviceContext.get(), code, GGO_BITMAP, &gm, 0, nullptr, &matrix);
    *box = toBoxMetrics(gm);
    return size == GDI_ERROR ? 0 : size;
}

bool drawGlyphBitmap(GlyphFont& font, uint16_t code, const GlyphTransform& transform, GlyphBoxMetrics* box,
                     uint8_t* bitmap, uint32_t size) {
    const MAT2 matrix = toMat2(transform);
    GLYPHMETRICS gm = {};
    const DWORD result =
        GetGlyphOutlineA(font.deviceContext.get(), code, GGO_BITMAP, &gm, size, bitmap, &matrix);
    *box = toBoxMetrics(gm);
    return result != GDI_ERROR;
}
