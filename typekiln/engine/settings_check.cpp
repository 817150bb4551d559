#include "engine/settings_check.h"

#include <cmath>
#include <cstring>

#include "engine/descriptor.h"

namespace {

// Sampled page edges stay far inside the int32 layout arithmetic.
constexpr int64_t kMaxSampledPageEdge = 32768;
// A scale is applied as a 16.16 fixed-point value.
constexpr float kMaxAspect = 32767.0f;

bool isPageSizeIndex(int32_t index) {
    return index >= 0 && index < kPageSizeCount;
}

bool isUsableAspect(float aspect) {
    return std::isfinite(aspect) && aspect > 0.0f && aspect <= kMaxAspect;
}

// The cell an em-wide glyph takes, in output pixels: the rasteriser draws
// the outline shrunk by the effect margin and scaled across, the effects
// add the margin back (at most), and the cell one pixel each side.
double emCellWidth(const GlyphOptions& glyph) {
    const int64_t margin = effectMargin(glyph);
    return static_cast<double>(glyph.size - margin) * glyph.aspectX + static_cast<double>(margin) + 2;
}

}  // namespace

const char* findSettingsProblem(const GenerationSettings& settings) {
    if (std::strlen(settings.outName) > kMaxOutNameBytes) return "データ名が長すぎます";
    return findDrawingProblem(settings);
}

const char* findDrawingProblem(const GenerationSettings& settings) {
    const GlyphOptions& glyph = settings.glyphOptions;
    if (!isPageSizeIndex(settings.pageWidthIndex)) return "テクスチャの横幅の指定が正しくありません";
    if (!isPageSizeIndex(settings.pageHeightIndex)) return "テクスチャの縦幅の指定が正しくありません";
    if (glyph.sample < 1) return "サンプリング数は1以上にしてください";
    const int32_t largestPage =
        pageSizes[settings.pageWidthIndex > settings.pageHeightIndex ? settings.pageWidthIndex
                                                                     : settings.pageHeightIndex];
    if (int64_t{largestPage} * glyph.sample > kMaxSampledPageEdge) return "サンプリング数が大きすぎます";
    if (glyph.size < 1) return "サイズは1以上にしてください";
    static_assert(kMaxFontSize == 255, "the message names the limit");
    if (glyph.size > kMaxFontSize) return "サイズは255以下にしてください";
    if (!isUsableAspect(glyph.aspectX) || !isUsableAspect(glyph.aspectY))
        return "サイズ倍率が正しくありません";
    if (glyph.edgeOn && glyph.edgeSize < 0) return "エッジのサイズが正しくありません";
    if (glyph.bevelOn && glyph.bevelSize < 0) return "押し出しのサイズが正しくありません";
    if (glyph.bevelOn && (glyph.bevelDirection < 0 || glyph.bevelDirection > 9))
        return "押し出しの方向が正しくありません";
    if (effectMargin(glyph) >= glyph.size)
        return "エッジと押し出しのサイズが大きすぎます\nサイズより小さくしてください";
    static_assert(kMaxCellWidth == 255, "the message names the limit");
    if (emCellWidth(glyph) > kMaxCellWidth)
        return "文字の幅が255ピクセルを超えます\nサイズかサイズ倍率を小さくしてください";
    // Each row is size + 2 pixels high; a page must hold one.
    if (glyph.size + 2 > pageSizes[settings.pageHeightIndex])
        return "文字がテクスチャに収まりません\nテクスチャを大きくするかサイズを小さくしてください";
    return nullptr;
}
