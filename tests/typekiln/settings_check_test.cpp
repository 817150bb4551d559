#include "settings_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>

namespace {

GenerationSettings startup() {
    GenerationSettings s;
    setStartupSettings(s);
    return s;
}

// The message for the start-up settings changed by `change`, or "" when a run may start.
std::string problemWith(const std::function<void(GenerationSettings&)>& change) {
    GenerationSettings s = startup();
    change(s);
    const char* problem = findSettingsProblem(s);
    return problem ? problem : "";
}

}  // namespace

TEST(SettingsCheck, StartupSettingsMayRun) {
    EXPECT_EQ(problemWith([](GenerationSettings&) {}), "");
}

TEST(SettingsCheck, PageSizeIndicesMustNameAPage) {
    EXPECT_EQ(problemWith([](auto& s) { s.pageWidthIndex = 5; }), "テクスチャの横幅の指定が正しくありません");
    EXPECT_EQ(problemWith([](auto& s) { s.pageWidthIndex = -1; }),
              "テクスチャの横幅の指定が正しくありません");
    EXPECT_EQ(problemWith([](auto& s) { s.pageHeightIndex = 5; }),
              "テクスチャの縦幅の指定が正しくありません");
    EXPECT_EQ(problemWith([](auto& s) { s.pageWidthIndex = 0, s.pageHeightIndex = 4; }), "");
}

TEST(SettingsCheck, SamplingMustBeAtLeastOneAndKeepPagesAddressable) {
    EXPECT_EQ(problemWith([](auto& s) { s.glyphOptions.sample = 0; }), "サンプリング数は1以上にしてください");
    EXPECT_EQ(problemWith([](auto& s) { s.pageWidthIndex = 4, s.glyphOptions.sample = 16; }), "");
    EXPECT_EQ(problemWith([](auto& s) { s.pageHeightIndex = 4, s.glyphOptions.sample = 17; }),
              "サンプリング数が大きすぎます");
}

TEST(SettingsCheck, SizeMustBePositiveAndFitThePages) {
    EXPECT_EQ(problemWith([](auto& s) { s.glyphOptions.size = 0; }), "サイズは1以上にしてください");
    EXPECT_EQ(problemWith([](auto& s) { s.glyphOptions.size = -26; }), "サイズは1以上にしてください");
    EXPECT_EQ(problemWith([](auto& s) { s.glyphOptions.size = 2049; }), "サイズが大きすぎます");
}

TEST(SettingsCheck, ScalesMustBePositiveAndFinite) {
    EXPECT_EQ(problemWith([](auto& s) { s.glyphOptions.aspectX = 0.0f; }), "サイズ倍率が正しくありません");
    EXPECT_EQ(problemWith([](auto& s) { s.glyphOptions.aspectY = -1.0f; }), "サイズ倍率が正しくありません");
    EXPECT_EQ(problemWith([](auto& s) { s.glyphOptions.aspectY = INFINITY; }),
              "サイズ倍率が正しくありません");
    EXPECT_EQ(problemWith([](auto& s) { s.glyphOptions.aspectX = 0.1f; }), "");
}

TEST(SettingsCheck, EffectsNeedSensibleSizesAndDirections) {
    EXPECT_EQ(problemWith([](auto& s) { s.glyphOptions.edgeOn = 1, s.glyphOptions.edgeSize = -1; }),
              "エッジのサイズが正しくありません");
    EXPECT_EQ(problemWith([](auto& s) { s.glyphOptions.bevelOn = 1, s.glyphOptions.bevelSize = -1; }),
              "押し出しのサイズが正しくありません");
    EXPECT_EQ(problemWith([](auto& s) { s.glyphOptions.bevelOn = 1, s.glyphOptions.bevelDirection = 10; }),
              "押し出しの方向が正しくありません");
    // Settings of an effect that is off do not matter.
    EXPECT_EQ(problemWith([](auto& s) { s.glyphOptions.edgeSize = -1, s.glyphOptions.bevelDirection = 12; }),
              "");
}

TEST(SettingsCheck, TheEffectMarginMustLeaveSomeGlyph) {
    const char* tooBig = "エッジと押し出しのサイズが大きすぎます\nサイズより小さくしてください";
    auto effects = [](int edge, int bevel) {
        return [=](GenerationSettings& s) {
            s.glyphOptions.size = 10;
            s.glyphOptions.edgeOn = edge >= 0;
            s.glyphOptions.edgeSize = edge;
            s.glyphOptions.bevelOn = bevel >= 0;
            s.glyphOptions.bevelSize = bevel;
        };
    };
    EXPECT_EQ(problemWith(effects(3, 3)), "");
    EXPECT_EQ(problemWith(effects(3, 4)), tooBig);
    EXPECT_EQ(problemWith(effects(5, -1)), tooBig);
    EXPECT_EQ(problemWith(effects(-1, 10)), tooBig);
    EXPECT_EQ(problemWith(effects(-1, 9)), "");
}

TEST(SettingsCheck, OutputNamesMustLeaveRoomForThePageFileNames) {
    EXPECT_EQ(problemWith([](auto& s) { std::memset(s.outName, 'n', kMaxOutNameBytes); }), "");
    EXPECT_EQ(problemWith([](auto& s) { std::memset(s.outName, 'n', kMaxOutNameBytes + 1); }),
              "データ名が長すぎます");
}
