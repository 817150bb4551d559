#include "engine/generation_settings.h"

#include <cstring>

int64_t effectMargin(const GlyphOptions& options) {
    return (options.edgeOn ? 2 * int64_t{options.edgeSize} : 0) +
           (options.bevelOn ? int64_t{options.bevelSize} : 0);
}

void setStartupGlyphOptions(GlyphOptions& options) {
    std::memset(&options, 0, sizeof options);
    std::strcpy(options.face, "ＭＳ ゴシック");
    options.size = 26;
    options.color = 0xFFFFFFFF;
    options.sample = 1;
    options.aspectX = 1.0f;
    options.aspectY = 1.0f;
}

void setStartupSettings(GenerationSettings& settings) {
    std::memset(&settings, 0, sizeof settings);
    std::strcpy(settings.outName, "font");
    settings.pageWidthIndex = 1;
    settings.pageHeightIndex = 1;
    settings.pageFormat = Tga32;
    setStartupGlyphOptions(settings.glyphOptions);
}
