#include "glyphs/gdi_font_rules.h"

#include FT_GLYPH_H
#include FT_TRIGONOMETRY_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// GDI's text-metric constants.
constexpr uint8_t kPitchVariable = 0x01;  // TMPF_FIXED_PITCH: set for proportional fonts
constexpr uint8_t kPitchVector = 0x02;
constexpr uint8_t kPitchTrueType = 0x04;
constexpr uint8_t kPitchDevice = 0x08;
constexpr uint8_t kFamilyRoman = 0x10;
constexpr uint8_t kFamilySwiss = 0x20;
constexpr uint8_t kFamilyModern = 0x30;
constexpr uint8_t kFamilyScript = 0x40;
constexpr uint8_t kFamilyDecorative = 0x50;
constexpr int32_t kWeightRegular = 400;
constexpr int32_t kWeightMedium = 500;
constexpr int32_t kWeightBold = 700;

// Panose digits.
constexpr int kPanoseFamily = 0;
constexpr int kPanoseSerif = 1;
constexpr int kPanoseProportion = 3;
constexpr uint8_t kFamilyTypeScript = 3;
constexpr uint8_t kFamilyTypeDecorative = 4;
constexpr uint8_t kProportionMonospaced = 9;

constexpr FT_Pos kPixel = 64;  // one pixel in 26.6 units

// Some fonts store a negative descent in the unsigned field.
int32_t fixedWinDescent(uint16_t winDescent) {
    return std::abs(static_cast<int16_t>(winDescent));
}

struct VerticalExtent {
    int32_t ascent;
    int32_t descent;
};

// winAscent and winDescent, or hhea's when both are zero.
VerticalExtent verticalExtent(const FaceFigures& face) {
    const int32_t winDescent = fixedWinDescent(face.winDescent);
    if (face.winAscent + winDescent == 0) return {face.ascender, -face.descender};
    return {face.winAscent, winDescent};
}

FT_Fixed emScale(int32_t ppem, uint16_t unitsPerEm) {
    return FT_MulDiv(ppem, 1 << 16, unitsPerEm);
}

uint8_t familyOf(const FaceFigures& face, uint8_t pitch) {
    switch (face.panose[kPanoseFamily]) {
        case kFamilyTypeScript:
            return pitch | kFamilyScript;
        case kFamilyTypeDecorative:
            return pitch | kFamilyDecorative;
        default:
            break;
    }
    // A fixed-pitch face is "modern", and loses the (inverted) pitch bit.
    if (pitch == 0 || face.panose[kPanoseProportion] == kProportionMonospaced) return kFamilyModern;
    const uint8_t serif = face.panose[kPanoseSerif];
    if (serif >= 2 && serif <= 10) return pitch | kFamilyRoman;   // cove to triangle serifs
    if (serif >= 11 && serif <= 15) return pitch | kFamilySwiss;  // sans serifs, flared, rounded
    return pitch;
}

uint8_t pitchAndFamilyOf(const FaceFigures& face) {
    const bool proportional = !face.fixedWidth && (face.os2Version == 0xFFFF ||
                                                   face.panose[kPanoseProportion] != kProportionMonospaced);
    const uint8_t family = familyOf(face, proportional ? kPitchVariable : 0);
    return family | kPitchVector | (face.postscriptOutlines ? kPitchDevice : kPitchTrueType);
}

int32_t weightOf(const FaceFigures& face, Simulations simulations) {
    if (simulations.bold) return kWeightBold;
    if (face.boldStyle) return face.weightClass > kWeightMedium ? face.weightClass : kWeightRegular;
    return face.weightClass <= kWeightMedium ? face.weightClass : kWeightRegular;
}

// The character range fields as the wide call has them.
struct CharacterRange {
    uint32_t first, last, breakChar, defaultChar;
};

CharacterRange characterRangeOf(const FaceFigures& face) {
    if (face.symbolCharmap || (face.firstCharIndex >= 0xF000 && face.firstCharIndex < 0xF100))
        return {0, 0xF0FF, 0x20, 0x1F};  // the last symbol as a Japanese system gives it
    uint32_t breakChar = face.firstCharIndex;
    if (face.firstCharIndex <= 1) {
        breakChar = face.firstCharIndex + 2u;
    } else if (face.firstCharIndex > 0xFF) {
        breakChar = 0x20;
    }
    return {face.firstCharIndex, face.lastCharIndex, breakChar, breakChar - 1};
}

FT_Vector transformed(FT_Vector vector, const FT_Matrix& matrix) {
    FT_Vector_Transform(&vector, &matrix);
    return vector;
}

// The advance of a glyph whose loaded advance is `advance`, under
// `transform` when there is one, rounded up to whole pixels (y downward).
FT_Vector advanceOf(const FontFacts& font, FT_Pos advance, const FT_Matrix* transform) {
    FT_Vector result = {advance, 0};
    const FT_Fixed scale = emScale(font.ppem, font.unitsPerEm);
    bool fullWidth = false;
    if (font.fixedPitch) {
        const uint32_t average = static_cast<uint32_t>(FT_MulFix(font.averageWidth, scale));
        fullWidth = average > 0 && (advance + 63) >> 6 == FT_MulFix(font.averageWidth * 2, scale);
        if (fullWidth && !transform) result.x = static_cast<FT_Pos>((average * 2) << 6);
    }
    if (transform) {
        FT_Vector_Transform(&result, transform);
        if (fullWidth && result.y == 0) {
            const FT_Vector average = transformed({font.averageWidth, 0}, *transform);
            result.x = (FT_MulFix(average.x, scale) * 2) << 6;
        }
    }
    if (font.simulations.bold) {
        if (!transform) {
            result.x += kPixel;
        } else {
            // One pixel along the transformed baseline.
            FT_Vector step = transformed({kPixel, 0}, *transform);
            const FT_Fixed length = FT_Vector_Length(&step);
            if (length) {
                result.x += (step.x << 6) / length;
                result.y += (step.y << 6) / length;
            }
        }
    }
    result.x = (result.x + 63) & -kPixel;
    result.y = -((result.y + 63) & -kPixel);
    return result;
}

}  // namespace

int32_t ppemForCellHeight(const FaceFigures& face, int32_t height) {
    constexpr int32_t kMaxPpem = (1 << 16) - 1;
    if (height == 0) height = 16;
    if (height < 0) return height >= -kMaxPpem ? -height : 1;
    const int32_t winDescent = fixedWinDescent(face.winDescent);
    const int32_t units =
        face.winAscent + winDescent == 0 ? face.ascender - face.descender : face.winAscent + winDescent;
    FT_Long ppem = FT_MulDiv(face.unitsPerEm, height, units);
    if (ppem > 1 && FT_MulDiv(units, ppem, face.unitsPerEm) > height) --ppem;
    return ppem > kMaxPpem ? 1 : static_cast<int32_t>(ppem);
}

Simulations simulationsFor(bool faceIsBold, bool faceIsItalic, int32_t weight, bool italic) {
    return {weight > 550 && !faceIsBold, italic && !faceIsItalic};
}

FontFacts fontFactsOf(const FaceFigures& face, int32_t ppem, Simulations simulations) {
    const FT_Fixed scale = emScale(ppem, face.unitsPerEm);
    const VerticalExtent extent = verticalExtent(face);
    const bool fixedPitch = (pitchAndFamilyOf(face) & kPitchVariable) == 0;
    return {ppem,
            face.unitsPerEm,
            face.averageWidth,
            fixedPitch,
            static_cast<int32_t>(FT_MulFix(extent.ascent, scale)),
            static_cast<int32_t>(FT_MulFix(extent.descent, scale)),
            simulations};
}

TextMetrics textMetricsOf(const FaceFigures& face, int32_t ppem, Simulations simulations, uint8_t charset) {
    const FT_Fixed scale = emScale(ppem, face.unitsPerEm);
    const auto scaled = [scale](FT_Long value) { return static_cast<int32_t>(FT_MulFix(value, scale)); };
    const VerticalExtent extent = verticalExtent(face);

    TextMetrics tm = {};
    tm.tmAscent = scaled(extent.ascent);
    tm.tmDescent = scaled(extent.descent);
    tm.tmInternalLeading = scaled(extent.ascent + extent.descent - face.unitsPerEm);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmExternalLeading = std::max(
        0, scaled(face.lineGap - ((extent.ascent + extent.descent) - (face.ascender - face.descender))));
    tm.tmAveCharWidth = scaled(face.averageWidth);
    if (tm.tmAveCharWidth == 0) tm.tmAveCharWidth = 1;
    tm.tmMaxCharWidth = scaled(face.boxXMax - face.boxXMin);
    // A simulated bold widens every glyph by a pixel.
    if (simulations.bold) {
        ++tm.tmAveCharWidth;
        ++tm.tmMaxCharWidth;
    }
    tm.tmWeight = weightOf(face, simulations);
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmItalic = simulations.italic || face.italicStyle ? 255 : 0;
    tm.tmPitchAndFamily = pitchAndFamilyOf(face);
    tm.tmCharSet = charset;

    // The narrow call reports the character range in bytes: a TrueType
    // font's from one below its default character, cut to a byte.
    const CharacterRange range = characterRangeOf(face);
    tm.tmFirstChar =
        static_cast<uint8_t>((tm.tmPitchAndFamily & kPitchTrueType) ? range.defaultChar - 1
                                                                    : std::min<uint32_t>(range.first, 0xFF));
    tm.tmLastChar = static_cast<uint8_t>(std::min<uint32_t>(range.last, 0xFF));
    tm.tmDefaultChar = static_cast<uint8_t>(range.defaultChar);
    tm.tmBreakChar = static_cast<uint8_t>(range.breakChar);
    return tm;
}

GlyphMatrix glyphMatrixFor(bool slant, const GlyphTransform* transform) {
    GlyphMatrix result = {{1 << 16, 0, 0, 1 << 16}, false};
    if (slant) {
        const FT_Matrix slantMatrix = {1 << 16, (1 << 16) >> 2, 0, 1 << 16};
        FT_Matrix_Multiply(&slantMatrix, &result.matrix);
        result.any = true;
    }
    if (transform) {
        // MAT2 keeps its off-diagonal elements the other way round.
        const FT_Matrix caller = {transform->m11, transform->m21, transform->m12, transform->m22};
        FT_Matrix_Multiply(&caller, &result.matrix);
        result.any = true;
    }
    return result;
}

FT_Glyph_Metrics clipToCell(FT_Glyph_Metrics metrics, const FontFacts& font) {
    const int32_t top = static_cast<int32_t>(std::min<FT_Pos>(metrics.horiBearingY, font.ascent * kPixel));
    const int32_t bottom = static_cast<int32_t>(
        std::max<FT_Pos>(metrics.horiBearingY - metrics.height, -(font.descent * kPixel)));
    metrics.horiBearingY = top;
    metrics.height = top - bottom;
    return metrics;
}

FT_BBox transformedBox(const FT_Glyph_Metrics& metrics, const GlyphMatrix& transform) {
    FT_BBox box = {};
    if (!transform.any) {
        box.xMin = metrics.horiBearingX & -kPixel;
        box.xMax = (metrics.horiBearingX + metrics.width + 63) & -kPixel;
        box.yMax = (metrics.horiBearingY + 63) & -kPixel;
        box.yMin = (metrics.horiBearingY - metrics.height) & -kPixel;
        return box;
    }
    for (int corner = 0; corner < 4; ++corner) {
        const FT_Vector point = transformed({metrics.horiBearingX + (corner >> 1) * metrics.width,
                                             metrics.horiBearingY - (corner & 1) * metrics.height},
                                            transform.matrix);
        if (corner == 0) {
            box = {point.x, point.y, point.x, point.y};
            continue;
        }
        // The same comparisons as GDI's, whose else-ifs matter to no box.
        if (point.x < box.xMin) {
            box.xMin = point.x;
        } else if (point.x > box.xMax) {
            box.xMax = point.x;
        }
        if (point.y < box.yMin) {
            box.yMin = point.y;
        } else if (point.y > box.yMax) {
            box.yMax = point.y;
        }
    }
    box.xMin &= -kPixel;
    box.xMax = (box.xMax + 63) & -kPixel;
    box.yMin &= -kPixel;
    box.yMax = (box.yMax + 63) & -kPixel;
    return box;
}

GlyphLayout glyphLayout(const FontFacts& font, const FT_Glyph_Metrics& metrics, const FT_BBox& box,
                        const GlyphMatrix& transform) {
    GlyphLayout layout = {};
    FT_Vector advance;
    if (!transform.any) {
        advance = advanceOf(font, metrics.horiAdvance, nullptr);
        layout.box.cellIncX = static_cast<int16_t>(advance.x >> 6);
        layout.abc.abcA = static_cast<int32_t>(box.xMin >> 6);
        layout.abc.abcB = static_cast<uint32_t>((metrics.width + 63) >> 6);
    } else {
        advance = advanceOf(font, metrics.horiAdvance, &transform.matrix);
        layout.box.cellIncX = static_cast<int16_t>(advance.x >> 6);
        layout.box.cellIncY = static_cast<int16_t>(advance.y >> 6);
        advance = {FT_Vector_Length(&advance), 0};

        const FT_Pos bearing = metrics.horiBearingX;
        FT_Vector left = transformed({bearing, 0}, transform.matrix);
        const FT_Fixed leftLength = FT_Vector_Length(&left);
        layout.abc.abcA = static_cast<int32_t>(bearing > 0 ? leftLength >> 6 : -((leftLength + 63) >> 6));
        // From the bearing again, not from A, so that no rounding adds up.
        FT_Vector right = transformed({bearing + metrics.width, 0}, transform.matrix);
        layout.abc.abcB = static_cast<uint32_t>(((FT_Vector_Length(&right) + 63) >> 6) - layout.abc.abcA);
    }
    if (layout.abc.abcB == 0) layout.abc.abcB = 1;
    layout.abc.abcC =
        static_cast<int32_t>(advance.x >> 6) - layout.abc.abcA - static_cast<int32_t>(layout.abc.abcB);

    layout.box.originX = static_cast<int32_t>(box.xMin >> 6);
    layout.box.originY = static_cast<int32_t>(box.yMax >> 6);
    layout.box.blackBoxX = std::max<uint32_t>(static_cast<uint32_t>((box.xMax - box.xMin) >> 6), 1);
    layout.box.blackBoxY = std::max<uint32_t>(static_cast<uint32_t>((box.yMax - box.yMin) >> 6), 1);
    return layout;
}

FT_Pos boldStrength(int32_t ppem) {
    return FT_MulDiv(ppem, 1 << 6, 24);
}

FaceFigures faceFiguresOf(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    FaceFigures f = {};
    f.unitsPerEm = face->units_per_EM;
    f.os2Version = os2->version;
    f.averageWidth = os2->xAvgCharWidth;
    f.weightClass = os2->usWeightClass;
    f.winAscent = os2->usWinAscent;
    f.winDescent = os2->usWinDescent;
    f.firstCharIndex = os2->usFirstCharIndex;
    f.lastCharIndex = os2->usLastCharIndex;
    std::memcpy(f.panose, os2->panose, sizeof f.panose);
    f.ascender = hhea->Ascender;
    f.descender = hhea->Descender;
    f.lineGap = hhea->Line_Gap;
    f.boxXMin = static_cast<int32_t>(face->bbox.xMin);
    f.boxXMax = static_cast<int32_t>(face->bbox.xMax);
    f.fixedWidth = FT_IS_FIXED_WIDTH(face);
    f.boldStyle = face->style_flags & FT_STYLE_FLAG_BOLD;
    f.italicStyle = face->style_flags & FT_STYLE_FLAG_ITALIC;
    for (FT_Int i = 0; i < face->num_charmaps; ++i)
        f.symbolCharmap = f.symbolCharmap || face->charmaps[i]->encoding == FT_ENCODING_MS_SYMBOL;
    FT_ULong length = 0;
    f.postscriptOutlines = FT_Load_Sfnt_Table(face, TTAG_CFF, 0, nullptr, &length) == 0;
    return f;
}
