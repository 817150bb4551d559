#include "gfd/text_setter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfd/font.h"
#include "gfd/text_renderer.h"
#include "platform/file_system.h"
#include "tests/gfd/test_font.h"

namespace {

class SetText : public ::testing::Test {
protected:
    SetText() {
        font.write();
        std::string error;
        EXPECT_TRUE(openFont(font.path().c_str(), opened, error)) << error;
    }

    TextLayout set(const std::u32string& text, int32_t baseline = kTestFontSize + 1) {
        return setText(opened.descriptor, codePage, text, baseline);
    }

    // Each placed cell as "record@x,y".
    static std::vector<std::string> cells(const TextLayout& layout) {
        std::vector<std::string> placed;
        for (const PlacedCell& c : layout.cells)
            placed.push_back(std::to_string(c.record) + "@" + std::to_string(c.x) + "," +
                             std::to_string(c.y));
        return placed;
    }

    TestFont font;
    Font opened;
    CodePage932 codePage;
};

using Cells = std::vector<std::string>;

uint32_t pixelAt(const Surface& image, int x, int y) {
    uint32_t pixel = 0;
    EXPECT_TRUE(image.getPixel(x, y, &pixel)) << x << "," << y;
    return pixel;
}

}  // namespace

// Standard glyphs: A (bearings 1, 1; cell 8), あ (0, 1; 11), B (0, 2; 7),
// 漢 (-1, 0; 12).
TEST_F(SetText, CellsGoToThePenPlusTheLeftBearingAndThePenMovesByBearingsAndCell) {
    const TextLayout layout = set(U"AあB");
    EXPECT_EQ(cells(layout), (Cells{"0@1,0", "1@10,0", "2@22,0"}));
    EXPECT_EQ(layout.width, 31);  // the pen's end: 10 + 12 + 9
    EXPECT_EQ(layout.height, 12);
    EXPECT_TRUE(layout.missing.empty());
}

TEST_F(SetText, AGlyphLeftOfThePenStartWidensTheImageToTheLeft) {
    const TextLayout layout = set(U"漢A");
    EXPECT_EQ(cells(layout), (Cells{"3@0,0", "0@13,0"}));
    EXPECT_EQ(layout.width, 22);
}

TEST_F(SetText, LineBreaksOfEveryKindStartARowFontSizePlusTwoLower) {
    for (const std::u32string text : {U"A\nB", U"A\r\nB", U"A\rB"}) {
        const TextLayout layout = set(text);
        EXPECT_EQ(cells(layout), (Cells{"0@1,0", "2@0,12"}));
        EXPECT_EQ(layout.height, 24);
    }
    EXPECT_EQ(set(U"A\n\nB").height, 36);
}

TEST_F(SetText, BlanksTheFontLeavesOutStillAdvance) {
    EXPECT_EQ(cells(set(U"A A")), (Cells{"0@1,0", "0@16,0"}));
    EXPECT_EQ(cells(set(U"あ\u3000あ")), (Cells{"1@0,0", "1@22,0"}));
    EXPECT_TRUE(set(U" \u3000").missing.empty());
}

TEST_F(SetText, CharactersWithoutAGlyphGetAnEmptyBoxAndAreNamedOnce) {
    // 鷗 is not in code page 932 at all; C is, but not in the font.
    const TextLayout layout = set(U"A\u9DD7CあCC");
    EXPECT_EQ(cells(layout), (Cells{"0@1,0", "1@25,0"}));
    ASSERT_EQ(layout.boxes.size(), 4u);
    EXPECT_EQ((std::vector<int>{layout.boxes[0].x, layout.boxes[0].y, layout.boxes[0].width,
                                layout.boxes[0].height}),
              (std::vector<int>{11, 1, 8, 10}));
    EXPECT_EQ(layout.boxes[1].x, 21);
    EXPECT_EQ(layout.boxes[1].width, 3);
    EXPECT_EQ(layout.missing, U"\u9DD7C");
    // A box stands on the baseline, from below the row's top margin.
    EXPECT_EQ(set(U"C", 8).boxes[0].height, 7);
}

TEST_F(SetText, RenderingBlendsEachCellOverTheBackground) {
    const TextLayout layout = set(U"AあB?");
    Surface image;
    std::string error;
    ASSERT_TRUE(renderText(layout, opened, {200, 200, 200}, image, error)) << error;
    ASSERT_EQ(image.getWidth(), layout.width);
    const uint32_t background = 0xFFC8C8C8;
    // A's cell starts at 1: its margin column, then the block.
    EXPECT_EQ(pixelAt(image, 1, 5), background);
    EXPECT_EQ(pixelAt(image, 2, 1), blendOver(background, font.cornerPixel(0)));
    EXPECT_EQ(pixelAt(image, 3, 2), font.solidPixel(0));
    EXPECT_EQ(pixelAt(image, 11, 1), blendOver(background, font.cornerPixel(1)));
    EXPECT_EQ(pixelAt(image, 24, 2), font.solidPixel(2));  // B, from the second page
    EXPECT_EQ(pixelAt(image, 24, 11), background);         // the row's bottom margin
    // "?" is missing: a black box on a light background, empty inside.
    EXPECT_EQ(pixelAt(image, 32, 1), 0xFF000000u);
    EXPECT_EQ(pixelAt(image, 34, 10), 0xFF000000u);
    EXPECT_EQ(pixelAt(image, 33, 5), background);

    ASSERT_TRUE(renderText(set(U"?"), opened, {20, 20, 60}, image, error));
    EXPECT_EQ(pixelAt(image, 1, 1), 0xFFFFFFFFu);  // white on a dark one
}

TEST_F(SetText, RenderingSaysWhichPageItCannotLoad) {
    removeFile(font.folder.file("font_01.tga").c_str());
    Surface image;
    std::string error;
    EXPECT_TRUE(renderText(set(U"Aあ"), opened, {0, 0, 0}, image, error));
    EXPECT_FALSE(renderText(set(U"AB"), opened, {0, 0, 0}, image, error));
    EXPECT_EQ(error.find("page 1: neither "), 0u) << error;
}
