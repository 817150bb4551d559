#include "engine/settings_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>

namespace {

// The message for the start-up settings changed by `change`, or "" when a run may start.
std::string problemWith(const std::function<void(GenerationSettings&, GlyphOptions&)>& change) {
    GenerationSettings s;
    setStartupSettings(s);
    change(s, s.glyphOptions);
    const char* problem = findSettingsProblem(s);
    return problem ? problem : "";
}

}  // namespace

TEST(SettingsCheck, NamesTheSettingNoRunCanUse) {
    struct Case {
        std::function<void(GenerationSettings&, GlyphOptions&)> change;
        const char* message;
    };
    const char* margin = "エッジと押し出しのサイズが大きすぎます\nサイズより小さくしてください";
    const char* tooWide = "文字の幅が255ピクセルを超えます\nサイズかサイズ倍率を小さくしてください";
    const Case cases[] = {
        {[](auto&, auto&) {}, ""},
        {[](auto& s, auto&) { s.pageWidthIndex = 5; }, "テクスチャの横幅の指定が正しくありません"},
        {[](auto& s, auto&) { s.pageHeightIndex = -1; }, "テクスチャの縦幅の指定が正しくありません"},
        {[](auto&, auto& g) { g.sample = 0; }, "サンプリング数は1以上にしてください"},
        {[](auto& s, auto& g) { s.pageWidthIndex = 4, g.sample = 16; }, ""},
        {[](auto& s, auto& g) { s.pageHeightIndex = 4, g.sample = 17; }, "サンプリング数が大きすぎます"},
        {[](auto&, auto& g) { g.size = 0; }, "サイズは1以上にしてください"},
        {[](auto&, auto& g) { g.size = 2049; }, "サイズは255以下にしてください"},
        {[](auto&, auto& g) { g.aspectX = 0.0f; }, "サイズ倍率が正しくありません"},
        {[](auto&, auto& g) { g.aspectY = INFINITY; }, "サイズ倍率が正しくありません"},
        {[](auto&, auto& g) { g.edgeOn = 1, g.edgeSize = -1; }, "エッジのサイズが正しくありません"},
        {[](auto&, auto& g) { g.bevelOn = 1, g.bevelSize = -1; }, "押し出しのサイズが正しくありません"},
        {[](auto&, auto& g) { g.bevelOn = 1, g.bevelDirection = 10; }, "押し出しの方向が正しくありません"},
        {[](auto&, auto& g) { g.edgeSize = -1, g.bevelDirection = 12; }, ""},  // effects off: no matter
        {[](auto&, auto& g) { g.size = 10, g.edgeOn = g.bevelOn = 1, g.edgeSize = 3, g.bevelSize = 3; }, ""},
        {[](auto&, auto& g) { g.size = 10, g.edgeOn = g.bevelOn = 1, g.edgeSize = 3, g.bevelSize = 4; },
         margin},
        {[](auto&, auto& g) { g.size = 10, g.edgeOn = 1, g.edgeSize = 5; }, margin},
        // The descriptor holds the font size in a byte, and an em-wide
        // glyph's cell (the size scaled across, the effects' margin unscaled,
        // and two margin pixels) in a byte too.
        {[](auto& s, auto& g) { s.pageHeightIndex = 2, g.size = 255, g.aspectX = 0.99f; }, ""},  // 252.45 + 2
        {[](auto&, auto& g) { g.size = 256, g.aspectX = 0.5f; }, "サイズは255以下にしてください"},
        {[](auto&, auto& g) { g.size = 253; }, ""},
        {[](auto&, auto& g) { g.size = 254; }, tooWide},
        {[](auto&, auto& g) { g.size = 32, g.aspectX = 7.9f; }, ""},
        {[](auto&, auto& g) { g.size = 32, g.aspectX = 8.0f; }, tooWide},
        {[](auto&, auto& g) { g.size = 32, g.aspectX = 8.89f, g.edgeOn = 1, g.edgeSize = 2; }, ""},  // 28 x 8.89 + 4 + 2
        {[](auto&, auto& g) { g.size = 32, g.aspectX = 8.9f, g.edgeOn = 1, g.edgeSize = 2; }, tooWide},
        {[](auto& s, auto& g) { s.pageHeightIndex = 0, g.size = 126; },
         ""},  // rows of 128 on 128-pixel pages
        {[](auto& s, auto& g) { s.pageHeightIndex = 0, g.size = 127; },
         "文字がテクスチャに収まりません\nテクスチャを大きくするかサイズを小さくしてください"},
        {[](auto& s, auto&) { std::memset(s.outName, 'n', kMaxOutNameBytes); }, ""},
        {[](auto& s, auto&) { std::memset(s.outName, 'n', kMaxOutNameBytes + 1); }, "データ名が長すぎます"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(problemWith(cases[i].change), cases[i].message) << i;
}
