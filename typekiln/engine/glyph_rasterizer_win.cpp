#include "glyph_rasterizer_win.h"

#include <algorithm>
#include <new>

#include "effects.h"
#include "page_memory.h"
#include "shift_jis.h"

namespace {

// 16.16 fixed point, as the glyph transform takes it, from a value already
// multiplied by 65536 and truncated.
FIXED toFixed(int32_t value) {
    FIXED fixed;
    fixed.fract = static_cast<WORD>(value & 0xFFFF);
    fixed.value = static_cast<short>(value >> 16);
    return fixed;
}

MAT2 scaleTransform(double scaleX, double scaleY) {
    MAT2 m = {};
    m.eM11 = toFixed(static_cast<int32_t>(scaleX * 65536.0));
    m.eM22 = toFixed(static_cast<int32_t>(scaleY * 65536.0));
    return m;
}

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

HDC deviceContextOf(const GlyphOptions& options) {
    return static_cast<HDC>(options.deviceContext);
}

void releaseGlyphFont(GlyphOptions& options, HWND window) {
    HDC dc = deviceContextOf(options);
    SelectObject(dc, static_cast<HGDIOBJ>(options.previousFont));
    DeleteObject(static_cast<HGDIOBJ>(options.font));
    ReleaseDC(window, dc);
}

}  // namespace

void createGlyphFont(GlyphOptions& options, HWND window) {
    (void)window;  // the device context was taken from it already
    HDC dc = deviceContextOf(options);
    HFONT font = CreateFontA(options.sample * options.size, 0, 0, 0, options.bold ? FW_HEAVY : FW_DONTCARE,
                             options.italic ? TRUE : FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, options.face);
    options.font = font;
    options.previousFont = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    options.textMetrics = toTextMetrics(metrics);
}

DWORD getGlyphBitmap(GlyphOptions& options, HDC dc, UINT code, GLYPHMETRICS* unshrunk, GLYPHMETRICS* shrunk,
                     uint8_t** bitmap) {
    *bitmap = nullptr;
    const MAT2 full = scaleTransform(options.aspectX, options.aspectY);
    GetGlyphOutlineA(dc, code, GGO_BITMAP, unshrunk, 0, nullptr, &full);

    const double shrink = static_cast<double>(options.size - effectMargin(options)) / options.size;
    const MAT2 shrunkTransform = scaleTransform(shrink * static_cast<double>(options.aspectX),
                                                shrink * static_cast<double>(options.aspectY));
    const DWORD size = GetGlyphOutlineA(dc, code, GGO_BITMAP, shrunk, 0, nullptr, &shrunkTransform);
    if (size == 0 || size == GDI_ERROR) return 0;
    *bitmap = static_cast<uint8_t*>(allocatePages(size));
    if (!*bitmap) return size;
    GetGlyphOutlineA(dc, code, GGO_BITMAP, shrunk, size, *bitmap, &shrunkTransform);
    return size;
}

bool expandGlyphBitmap(const GlyphOptions& options, int32_t rows, int32_t columns, Surface& glyph,
                       const uint8_t* bitmap, int32_t pitch) {
    if (!glyph.create(columns, rows)) return columns <= 0 || rows <= 0;
    uint32_t* pixels = nullptr;
    int32_t width = 0;
    glyph.lockPixels(&pixels, &width);
    const uint32_t body = pixelFromPackedColour(options.color, 255);
    // Never read past a row, whatever the pitch GDI's buffer size implies.
    if (columns > pitch * 8) columns = pitch * 8;
    for (int32_t y = 0; y < rows; ++y) {
        const uint8_t* row = bitmap + static_cast<size_t>(y) * pitch;
        uint32_t* target = pixels + static_cast<size_t>(y) * width;
        // Eight pixels a byte; the surface is clear, so empty bytes are skipped.
        for (int32_t x = 0; x < columns; x += 8) {
            const uint8_t bits = row[x / 8];
            if (bits == 0) continue;
            const int32_t count = std::min(columns - x, 8);
            for (int32_t i = 0; i < count; ++i) {
                if (bits & (0x80 >> i)) target[x + i] = body;
            }
        }
    }
    return true;
}

namespace {

// Steps from the ABC widths to the top offset, with the glyph font already
// selected into `dc`. Empty when GDI gives no bitmap: `glyph` and topOffset
// are then untouched and the ABC widths unscaled.
GlyphOutcome drawWithSelectedFont(HDC dc, Surface& glyph, GlyphOptions& options, UINT code) {
    ABC abc = {};
    GetCharABCWidthsA(dc, code, code, &abc);
    options.abc = {abc.abcA, abc.abcB, abc.abcC};

    GLYPHMETRICS unshrunk = {};
    GLYPHMETRICS shrunk = {};
    uint8_t* bitmap = nullptr;
    const DWORD size = getGlyphBitmap(options, dc, code, &unshrunk, &shrunk, &bitmap);
    if (size == 0) return GlyphOutcome::Empty;
    if (!bitmap) return GlyphOutcome::OutOfMemory;

    const double inverse = 1.0 / static_cast<double>(options.aspectX);
    options.abc.abcA = static_cast<int32_t>(options.abc.abcA * inverse);
    options.abc.abcC = static_cast<int32_t>(options.abc.abcC * inverse);
    options.abc.abcB = static_cast<uint32_t>(options.abc.abcB * static_cast<double>(options.aspectX));

    const int32_t rows = static_cast<int32_t>(shrunk.gmBlackBoxY);
    const int32_t pitch = rows > 0 ? static_cast<int32_t>(size / rows) & ~3 : 0;
    const bool expanded =
        expandGlyphBitmap(options, rows, static_cast<int32_t>(shrunk.gmBlackBoxX), glyph, bitmap, pitch);
    releasePages(bitmap);
    if (!expanded) return GlyphOutcome::OutOfMemory;

    options.topOffset = options.textMetrics.tmAscent - unshrunk.gmptGlyphOrigin.y;
    return GlyphOutcome::Drawn;
}

}  // namespace

void showEmptyGlyphMessage(HWND window) {
    MessageBoxA(window, "ERROR Failed GetFontBuffer", "Error", MB_OK | MB_ICONERROR);
}

GlyphOutcome drawGlyphOutline(HWND window, Surface& glyph, GlyphOptions& options, const char* text) {
    options.deviceContext = GetDC(window);
    createGlyphFont(options, window);
    const GlyphOutcome outcome =
        drawWithSelectedFont(deviceContextOf(options), glyph, options, characterCode(text));
    if (outcome == GlyphOutcome::Empty) showEmptyGlyphMessage(window);
    releaseGlyphFont(options, window);
    return outcome;
}

struct GlyphDrawer {
    HDC deviceContext;
    HFONT font;
    HGDIOBJ previousFont;
};

GlyphDrawer* openGlyphDrawer(GlyphOptions& options) {
    auto* drawer = new (std::nothrow) GlyphDrawer{};
    HDC dc = drawer ? CreateCompatibleDC(nullptr) : nullptr;
    if (!dc) {
        delete drawer;
        return nullptr;
    }
    options.deviceContext = dc;
    createGlyphFont(options, nullptr);
    *drawer = {dc, static_cast<HFONT>(options.font), static_cast<HGDIOBJ>(options.previousFont)};
    return drawer;
}

void closeGlyphDrawer(GlyphDrawer* drawer) {
    if (!drawer) return;
    SelectObject(drawer->deviceContext, drawer->previousFont);
    DeleteObject(drawer->font);
    DeleteDC(drawer->deviceContext);
    delete drawer;
}

GlyphOutcome drawGlyphOutlineWith(GlyphDrawer& drawer, Surface& glyph, GlyphOptions& options,
                                  const char* text) {
    options.deviceContext = drawer.deviceContext;
    options.font = drawer.font;
    options.previousFont = drawer.previousFont;
    return drawWithSelectedFont(drawer.deviceContext, glyph, options, characterCode(text));
}

void* openRunDrawer(void*, GlyphOptions& options) {
    return openGlyphDrawer(options);
}

void closeRunDrawer(void* drawer) {
    closeGlyphDrawer(static_cast<GlyphDrawer*>(drawer));
}

GlyphOutcome drawRunGlyph(void* drawer, Surface& glyph, GlyphOptions& options, const char* text) {
    const GlyphOutcome outcome =
        drawGlyphOutlineWith(*static_cast<GlyphDrawer*>(drawer), glyph, options, text);
    if (outcome != GlyphOutcome::Drawn) return outcome;
    return applyEffects(options, glyph) ? GlyphOutcome::Drawn : GlyphOutcome::OutOfMemory;
}

void rasterizeGlyph(HWND window, Surface& glyph, GlyphOptions& options, const char* text) {
    // A glyph that runs out of memory stays empty, as one the font has no image for.
    if (drawGlyphOutline(window, glyph, options, text) == GlyphOutcome::Drawn) applyEffects(options, glyph);
}
