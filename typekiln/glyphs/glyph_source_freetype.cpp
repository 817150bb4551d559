#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "engine/run_window.h"
#include "glyphs/ansi_characters.h"
#include "glyphs/face_lookup.h"
#include "glyphs/freetype_version.h"
#include "glyphs/gdi_font_rules.h"
#include "glyphs/glyph_source.h"
#include "platform/code_page.h"

namespace {

const char kNoJapaneseFace[] = "日本語を描けるフォントが見つかりません";
const char kVerticalFace[] = "縦書き用のフォント（名前が@で始まるもの）は使えません";
const char kFaceUnreadable[] = "フォントファイルを読めません";

constexpr uint8_t kShiftJisCharset = 128;
constexpr int32_t kHeavyWeight = 900;

}  // namespace

// A FreeType library and face of the font's own, so that drawing threads
// share nothing, and what GDI's rules derive from the face once.
struct GlyphFont {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FontFacts facts = {};
    TextMetrics textMetrics = {};
    CodePage932 codePage;

    // The glyph in the face's slot: loaded for `index` with `flags`, its
    // metrics after any simulated bold. Drawing moves the outline, so a
    // drawn glyph is loaded afresh.
    struct {
        bool valid;
        FT_UInt index;
        FT_Int32 flags;
        FT_Glyph_Metrics metrics;
    } loaded = {};

    ~GlyphFont() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

namespace {

// The face's Unicode map, Microsoft's first, then Macintosh's, ISO's and
// Unicode's own; faces without one keep a Roman or symbol map, or their
// first.
void pickCharmap(FT_Face face) {
    for (FT_Encoding encoding : {FT_ENCODING_UNICODE, FT_ENCODING_APPLE_ROMAN, FT_ENCODING_MS_SYMBOL}) {
        FT_CharMap chosen = nullptr;
        int chosenRank = 0;
        for (FT_Int i = 0; i < face->num_charmaps; ++i) {
            FT_CharMap map = face->charmaps[i];
            if (map->encoding != encoding) continue;
            const int rank = map->platform_id == 3   ? 5
                             : map->platform_id == 1 ? 4
                             : map->platform_id == 2 ? 3
                             : map->platform_id == 0 ? 2
                                                     : 1;
            if (rank > chosenRank) chosen = map, chosenRank = rank;
        }
        if (chosen && FT_Set_Charmap(face, chosen) == 0) return;
    }
    if (!face->charmap && face->num_charmaps > 0) FT_Set_Charmap(face, face->charmaps[0]);
}

bool isIdentity(const GlyphTransform& t) {
    return t.m11 == 1 << 16 && t.m12 == 0 && t.m21 == 0 && t.m22 == 1 << 16;
}

// Thickens the loaded outline for a simulated bold and measures it anew;
// false when the glyph is no outline.
bool emboldenGlyph(FT_GlyphSlot slot, int32_t ppem, FT_Glyph_Metrics* metrics) {
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;
    if (FT_Outline_Embolden(&slot->outline, boldStrength(ppem)) != 0) return false;
    FT_BBox box;
    FT_Outline_Get_CBox(&slot->outline, &box);
    metrics->width = box.xMax - box.xMin;
    metrics->height = box.yMax - box.yMin;
    metrics->horiBearingX = box.xMin;
    metrics->horiBearingY = box.yMax;
    return true;
}

// Puts glyph `index` into the face's slot as loaded with `flags` (again
// without hinting when hinting fails), unless it is there already.
bool loadGlyph(GlyphFont& font, FT_UInt index, FT_Int32 flags) {
    // Without bitmap strikes there is no bitmap to leave out.
    if (!FT_HAS_FIXED_SIZES(font.face)) flags &= ~FT_LOAD_NO_BITMAP;
    if (font.loaded.valid && font.loaded.index == index && font.loaded.flags == flags) return true;
    font.loaded.valid = false;
    FT_Error error = FT_Load_Glyph(font.face, index, flags);
    if (error != 0 && !(flags & FT_LOAD_NO_HINTING))
        error = FT_Load_Glyph(font.face, index, flags | FT_LOAD_NO_HINTING);
    if (error != 0) return false;
    FT_Glyph_Metrics metrics = font.face->glyph->metrics;
    if (font.facts.simulations.bold && !emboldenGlyph(font.face->glyph, font.facts.ppem, &metrics) &&
        metrics.width)
        metrics.width += 64;
    font.loaded = {true, index, flags, metrics};
    return true;
}

FT_UInt glyphIndexOf(const GlyphFont& font, char32_t character) {
    return FT_Get_Char_Index(font.face, character);
}

// What GetGlyphOutline works out for a glyph before it draws: the glyph
// loaded for one-bit drawing under the transform, its pixel box and layout.
struct PlacedGlyph {
    GlyphMatrix matrix;
    FT_BBox box;
    GlyphLayout layout;
};

bool placeGlyph(GlyphFont& font, uint16_t code, const GlyphTransform& transform, PlacedGlyph* placed) {
    placed->matrix =
        glyphMatrixFor(font.facts.simulations.italic, isIdentity(transform) ? nullptr : &transform);
    FT_Int32 flags = FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH | FT_LOAD_TARGET_MONO;
    if (placed->matrix.any) flags |= FT_LOAD_NO_BITMAP;
    if (!loadGlyph(font, glyphIndexOf(font, glyphOutlineCharacter(font.codePage, code)), flags)) return false;
    const FT_Glyph_Metrics metrics = clipToCell(font.loaded.metrics, font.facts);
    placed->box = transformedBox(metrics, placed->matrix);
    placed->layout = glyphLayout(font.facts, metrics, placed->box, placed->matrix);
    return true;
}

struct BitmapSize {
    uint32_t width, height, pitch;
};

BitmapSize bitmapSizeOf(const FT_BBox& box) {
    const auto width = static_cast<uint32_t>((box.xMax - box.xMin) >> 6);
    const auto height = static_cast<uint32_t>((box.yMax - box.yMin) >> 6);
    return {width, height, ((width + 31) >> 5) << 2};
}

// An embedded bitmap copied row by row; a simulated bold smears each row a
// pixel to the right.
void copyEmbeddedBitmap(const FT_Bitmap& source, bool bold, const BitmapSize& size, uint8_t* bitmap) {
    const uint32_t rowBytes = std::min(size.pitch, (source.width + 7) >> 3);
    const uint32_t rows = std::min(size.height, source.rows);
    for (uint32_t y = 0; y < rows; ++y) {
        const uint8_t* from = source.buffer + static_cast<ptrdiff_t>(y) * source.pitch;
        uint8_t* to = bitmap + static_cast<size_t>(y) * size.pitch;
        if (!bold) {
            std::memcpy(to, from, rowBytes);
            continue;
        }
        to[0] = 0;
        for (uint32_t x = 0; x < rowBytes; ++x) {
            to[x] = static_cast<uint8_t>((to[x] & 0x80) | (from[x] >> 1) | from[x]);
            if (x + 1 < size.pitch) to[x + 1] = static_cast<uint8_t>((from[x] & 0x01) << 7);
        }
    }
}

}  // namespace

GlyphFontOpening openGlyphFont(const GlyphOptions& options) {
    auto* font = new (std::nothrow) GlyphFont;
    if (!font || !font->codePage.available()) {
        delete font;
        return {nullptr, kNoMemoryMessage};
    }
    const std::u32string name = faceNameCharacters(font->codePage, options.face);
    const int32_t weight = options.bold ? kHeavyWeight : 0;
    FaceFile file;
    const char* problem = nullptr;
    if (!name.empty() && name[0] == U'@') {
        problem = kVerticalFace;
    } else if (!findFace(name, weight > 550, options.italic != 0, &file)) {
        problem = kNoJapaneseFace;
    } else if (FT_Init_FreeType(&font->library) != 0) {
        font->library = nullptr;
        problem = kNoMemoryMessage;
    } else if (FT_New_Face(font->library, file.path.c_str(), file.index, &font->face) != 0) {
        font->face = nullptr;
        problem = kFaceUnreadable;
    }
    if (problem) {
        delete font;
        return {nullptr, problem};
    }

    const FaceFigures figures = faceFiguresOf(font->face);
    const int32_t ppem = ppemForCellHeight(figures, options.sample * options.size);
    FT_Set_Pixel_Sizes(font->face, 0, static_cast<FT_UInt>(ppem));
    pickCharmap(font->face);
    const Simulations simulations = simulationsFor(file.bold, file.italic, weight, options.italic != 0);
    font->facts = fontFactsOf(figures, ppem, simulations);
    font->textMetrics = textMetricsOf(figures, ppem, simulations, kShiftJisCharset);
    return {font, nullptr};
}

void closeGlyphFont(GlyphFont* font) {
    delete font;
}

TextMetrics glyphTextMetrics(const GlyphFont& font) {
    return font.textMetrics;
}

AbcWidths glyphAbcWidths(GlyphFont& font, uint16_t code) {
    // Measured as hinted for ordinary (not one-bit) drawing.
    const FT_Int32 flags = FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH | FT_LOAD_NO_BITMAP;
    if (!loadGlyph(font, glyphIndexOf(font, abcWidthsCharacter(font.codePage, code)), flags))
        return {0, 0, 0};
    const GlyphMatrix matrix = glyphMatrixFor(font.facts.simulations.italic, nullptr);
    const FT_Glyph_Metrics metrics = clipToCell(font.loaded.metrics, font.facts);
    return glyphLayout(font.facts, metrics, transformedBox(metrics, matrix), matrix).abc;
}

uint32_t measureGlyphBitmap(GlyphFont& font, uint16_t code, const GlyphTransform& transform,
                            GlyphBoxMetrics* box) {
    *box = {};
    PlacedGlyph placed;
    if (!placeGlyph(font, code, transform, &placed)) return 0;
    *box = placed.layout.box;
    const BitmapSize size = bitmapSizeOf(placed.box);
    return size.pitch * size.height;
}

bool drawGlyphBitmap(GlyphFont& font, uint16_t code, const GlyphTransform& transform, GlyphBoxMetrics* box,
                     uint8_t* bitmap, uint32_t size) {
    *box = {};
    PlacedGlyph placed;
    if (!placeGlyph(font, code, transform, &placed)) return false;
    *box = placed.layout.box;
    const BitmapSize bitmapSize = bitmapSizeOf(placed.box);
    const uint32_t needed = bitmapSize.pitch * bitmapSize.height;
    if (needed == 0 || needed > size) return false;

    FT_GlyphSlot slot = font.face->glyph;
    std::memset(bitmap, 0, size);
    if (slot->format == FT_GLYPH_FORMAT_BITMAP) {
        copyEmbeddedBitmap(slot->bitmap, font.facts.simulations.bold, bitmapSize, bitmap);
        return true;
    }
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;
    if (placed.matrix.any) FT_Outline_Transform(&slot->outline, &placed.matrix.matrix);
    FT_Outline_Translate(&slot->outline, -placed.box.xMin, -placed.box.yMin);
    font.loaded.valid = false;
    FT_Bitmap target = {};
    target.width = bitmapSize.width;
    target.rows = bitmapSize.height;
    target.pitch = static_cast<int>(bitmapSize.pitch);
    target.pixel_mode = FT_PIXEL_MODE_MONO;
    target.buffer = bitmap;
    // FreeType sets only the black bits.
    FT_Outline_Get_Bitmap(font.library, &slot->outline, &target);
    return true;
}

std::string freeTypeVersion() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return "FreeType";
    FT_Int major = 0, minor = 0, patch = 0;
    FT_Library_Version(library, &major, &minor, &patch);
    FT_Done_FreeType(library);
    char text[64];
    std::snprintf(text, sizeof text, "FreeType %d.%d.%d", major, minor, patch);
    return text;
}
