#include "engine/page_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A run's first page, opened with the start-up settings changed by the test.
struct LayoutTest : ::testing::Test {
    LayoutTest() { setStartupSettings(settings); }
    ~LayoutTest() override { releaseWorkTables(tables); }

    TexturePage& open() {
        geometry = pageGeometry(settings);
        reserveWorkTables(tables);
        TexturePage& page = tables.pages[0];
        page.rowCount = geometry.rowsPerPage;
        return page;
    }

    GlyphPlacement place(TexturePage& page, int row, int width, int height) {
        return placeGlyph(page, 0, row, geometry, width, height, settings.glyphOptions);
    }

    GenerationSettings settings;
    PageGeometry geometry{};
    WorkTables tables{};
};

}  // namespace

TEST_F(LayoutTest, StartupPagesHaveNineRowsOf28Pixels) {
    geometry = pageGeometry(settings);
    EXPECT_EQ(geometry.rowPitch, 28);
    EXPECT_EQ(geometry.rowsPerPage, 9);  // the lowest 4 pixel rows stay unused
    settings.pageWidthIndex = 4;
    settings.pageHeightIndex = 0;
    settings.glyphOptions.sample = 4;
    geometry = pageGeometry(settings);
    EXPECT_EQ(geometry.sampledWidth, 8192);
    EXPECT_EQ(geometry.rowsPerPage, 4);  // 512 / 112
}

TEST_F(LayoutTest, AGlyphTakesItsWidthPlusAMarginEachSideAndHangsFromTheAscent) {
    TexturePage& page = open();
    settings.glyphOptions.topOffset = 3;
    settings.glyphOptions.abc = {2, 10, -1};
    const GlyphPlacement p = place(page, 0, 10, 20);
    const GlyphRecord& r = p.record;
    EXPECT_EQ(
        (std::vector<int>{r.left, r.right, r.cellWidth, r.top, r.bottom, r.leftBearing, r.rightBearing}),
        (std::vector<int>{0, 12, 12, 0, 28, 2, -1}));
    EXPECT_EQ(page.rowUsed[0], 12);
    EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(1, 4));
    EXPECT_EQ(page.usedHeight, 24);
}

TEST_F(LayoutTest, TheFirstRowWithRoomWins) {
    TexturePage& page = open();
    page.rowUsed[0] = 250;
    page.rowUsed[1] = 245;
    EXPECT_EQ(findRow(page, geometry, 12), 2);
    EXPECT_EQ(findRow(page, geometry, 6), 0);
    std::fill(page.rowUsed, page.rowUsed + 9, 250);
    EXPECT_EQ(findRow(page, geometry, 7), -1);
}

TEST_F(LayoutTest, TallGlyphsAreLiftedOutOfTheBottomMargin) {
    TexturePage& page = open();
    settings.glyphOptions.topOffset = 10;  // would reach the next row; lifted to 28 - 24 - 2 = 2
    EXPECT_EQ(place(page, 1, 4, 24).y, 28 + 2 + 1);
    EXPECT_EQ(page.usedHeight, 28 + 2 + 24 + 1);
}

TEST_F(LayoutTest, SampledLayoutDividesRecordsBySampleTowardZero) {
    settings.glyphOptions.sample = 4;
    TexturePage& page = open();
    settings.glyphOptions.abc = {-7, 40, 9};
    page.rowUsed[2] = 100;
    const GlyphRecord r = place(page, 2, 40, 40).record;
    EXPECT_EQ(
        (std::vector<int>{r.left, r.right, r.cellWidth, r.top, r.bottom, r.leftBearing, r.rightBearing}),
        (std::vector<int>{25, 37, 12, 56, 84, -1, 2}));
}

TEST_F(LayoutTest, FixedPitchCentresTheImageAndRecordsItWithItsMargins) {
    settings.glyphOptions.fixPitch = 1;
    TexturePage& page = open();
    EXPECT_EQ(cellWidth(settings.glyphOptions, 3), 28);  // nine cells to a 256-pixel row
    page.rowUsed[0] = 28;
    GlyphPlacement p = place(page, 0, 10, 10);
    EXPECT_EQ(p.x, 28 + 9);  // (26 - 10 + 2) / 2 into the cell
    EXPECT_EQ(page.rowUsed[0], 56);
    EXPECT_EQ((std::vector<int>{p.record.left, p.record.right, p.record.cellWidth}),
              (std::vector<int>{36, 48, 12}));
    // A glyph wider than its cell reaches past it; the page edge cuts it and its record.
    page.rowUsed[1] = 0;
    p = place(page, 1, 40, 10);
    EXPECT_EQ((std::vector<int>{p.x, p.record.left, p.record.right}), (std::vector<int>{-6, 0, 35}));
}

TEST_F(LayoutTest, ClearingAndReleasingTheTablesGivesBackPagePixels) {
    open();
    tables.pages[5].rowCount = 3;
    tables.pages[5].rowUsed[2] = 9;
    tables.pages[5].surface.create(8, 8);
    clearPages(tables);
    EXPECT_EQ(tables.pages[5].rowCount + tables.pages[5].rowUsed[2] + tables.pages[5].surface.getWidth(), 0);
    tables.pages[7].surface.create(8, 8);  // released with the tables (the sanitizers would see a leak)
}
