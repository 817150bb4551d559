#include "settings_check.h"

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
        {[](auto&, auto& g) { g.size = 2049; }, "サイズが大きすぎます"},
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
        {[](auto&, auto& g) { g.size = 254; }, ""},  // rows of 256 on 256-pixel pages
        {[](auto&, auto& g) { g.size = 255; },
         "文字がテクスチャに収まりません\nテクスチャを大きくするかサイズを小さくしてください"},
        {[](auto& s, auto&) { std::memset(s.outName, 'n', kMaxOutNameBytes); }, ""},
        {[](auto& s, auto&) { std::memset(s.outName, 'n', kMaxOutNameBytes + 1); }, "データ名が長すぎます"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(problemWith(cases[i].change), cases[i].message) << i;
}
