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

// The descriptor holds the font size in one byte, and the cell of an
// em-wide glyph (the size scaled across, with the effects' margin) must fit
// a record's byte as well: 255 pixels with its two margin pixels.
TEST(SettingsCheck, RefusesSizesTheDescriptorCannotHold) {
    struct Case {
        int32_t size;
        float aspectX;
        int32_t edgeSize;
        const char* message;
    };
    const char* tooWide = "文字の幅が255ピクセルを超えます\nサイズかサイズ倍率を小さくしてください";
    const Case cases[] = {
        {255, 0.99f, 0, ""},  // 252.45 + 2
        {256, 0.5f, 0, "サイズは255以下にしてください"},
        {253, 1.0f, 0, ""},
        {254, 1.0f, 0, tooWide},
        {32, 7.9f, 0, ""},
        {32, 8.0f, 0, tooWide},
        {32, 8.89f, 2, ""},  // the outline is not scaled: 28 x 8.89 + 4 + 2
        {32, 8.9f, 2, tooWide},
    };
    for (const Case& c : cases) {
        const std::string problem = problemWith([&](GenerationSettings& s, GlyphOptions& g) {
            s.pageWidthIndex = s.pageHeightIndex = 4;
            g.size = c.size;
            g.aspectX = c.aspectX;
            g.edgeOn = c.edgeSize > 0;
            g.edgeSize = c.edgeSize;
        });
        EXPECT_EQ(problem, c.message)
            << "size " << c.size << ", scale " << c.aspectX << ", edge " << c.edgeSize;
    }
}
