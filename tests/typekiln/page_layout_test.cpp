#include "page_layout.h"

#include <gtest/gtest.h>

namespace {

GenerationSettings startup() {
    GenerationSettings s;
    setStartupSettings(s);
    return s;
}

// A fresh page of the given geometry, as a run opens it.
struct OpenPage {
    WorkTables tables{};
    TexturePage* page = nullptr;

    explicit OpenPage(const PageGeometry& g) {
        reserveWorkTables(tables);
        page = &tables.pages[0];
        page->rowCount = g.rowsPerPage;
        page->surface.create(g.sampledWidth, g.sampledHeight);
    }
    ~OpenPage() { releaseWorkTables(tables); }
};

void solid(Surface& glyph, int width, int height) {
    glyph.create(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            glyph.setPixel(x, y, 0xFFFFFFFF);
}

// The bounding box of the opaque pixels of a page.
struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};
Box opaqueBox(const Surface& s) {
    Box box;
    for (int y = 0; y < s.getHeight(); ++y) {
        for (int x = 0; x < s.getWidth(); ++x) {
            uint32_t p;
            s.getPixel(x, y, &p);
            if (!(p >> 24))
                continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    }
    return box;
}

}  // namespace

TEST(PageLayout, StartupPagesHaveNineRowsOf28Pixels) {
    const PageGeometry g = pageGeometry(startup());
    EXPECT_EQ(g.width, 256);
    EXPECT_EQ(g.height, 256);
    EXPECT_EQ(g.rowPitch, 28);
    EXPECT_EQ(g.rowsPerPage, 9);
    GenerationSettings s = startup();
    s.pageWidthIndex = 4;
    s.pageHeightIndex = 0;
    s.glyphOptions.sample = 4;
    const PageGeometry wide = pageGeometry(s);
    EXPECT_EQ(wide.sampledWidth, 8192);
    EXPECT_EQ(wide.sampledHeight, 512);
    EXPECT_EQ(wide.rowsPerPage, 4);  // 512 / 112
}

TEST(PageLayout, AGlyphTakesItsWidthPlusAMarginEachSide) {
    GenerationSettings s = startup();
    const PageGeometry g = pageGeometry(s);
    OpenPage open(g);
    Surface glyph;
    solid(glyph, 10, 20);
    s.glyphOptions.topOffset = 3;
    s.glyphOptions.abc = {2, 10, -1};
    const GlyphRecord r = placeGlyph(*open.page, 0, 0, g, glyph, s.glyphOptions);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 12);
    EXPECT_EQ(r.cellWidth, 12);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom, 28);
    EXPECT_EQ(r.leftBearing, 2);
    EXPECT_EQ(r.rightBearing, -1);
    EXPECT_EQ(open.page->rowUsed[0], 12);
    const Box box = opaqueBox(open.page->surface);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.top, 4);  // top offset 3 below the row's one-pixel margin
    EXPECT_EQ(open.page->usedHeight, 24);
}

TEST(PageLayout, RowsFillFromTheTopAndTheFirstRowWithRoomWins) {
    const PageGeometry g = pageGeometry(startup());
    OpenPage open(g);
    open.page->rowUsed[0] = 250;
    open.page->rowUsed[1] = 245;
    EXPECT_EQ(findRow(*open.page, g, 12), 2);
    EXPECT_EQ(findRow(*open.page, g, 6), 0);
    for (int row = 0; row < 9; ++row)
        open.page->rowUsed[row] = 250;
    EXPECT_EQ(findRow(*open.page, g, 7), -1);
    open.page->rowCount = 0;
    EXPECT_EQ(findRow(*open.page, g, 1), -1);
}

TEST(PageLayout, TallGlyphsAreLiftedOutOfTheBottomMargin) {
    GenerationSettings s = startup();
    const PageGeometry g = pageGeometry(s);
    OpenPage open(g);
    Surface glyph;
    solid(glyph, 4, 24);
    s.glyphOptions.topOffset = 10;  // would reach row 1's top; lifted to 28 - 24 - 2 = 2
    placeGlyph(*open.page, 0, 1, g, glyph, s.glyphOptions);
    EXPECT_EQ(opaqueBox(open.page->surface).top, 28 + 2 + 1);
    EXPECT_EQ(open.page->usedHeight, 28 + 2 + 24 + 1);
}

TEST(PageLayout, SampledLayoutDividesRecordsBySample) {
    GenerationSettings s = startup();
    s.glyphOptions.sample = 4;
    const PageGeometry g = pageGeometry(s);
    OpenPage open(g);
    Surface glyph;
    solid(glyph, 40, 40);
    s.glyphOptions.abc = {-7, 40, 9};
    open.page->rowUsed[2] = 100;
    const GlyphRecord r = placeGlyph(*open.page, 3, 2, g, glyph, s.glyphOptions);
    EXPECT_EQ(r.page, 3);
    EXPECT_EQ(r.cellWidth, 12);    // (40 + 8) / 4
    EXPECT_EQ(r.leftBearing, -1);  // -7 / 4 toward zero
    EXPECT_EQ(r.rightBearing, 2);
    EXPECT_EQ(r.left, 25);
    EXPECT_EQ(r.right, 37);  // (100 + 48) / 4
    EXPECT_EQ(r.top, 56);
    EXPECT_EQ(r.bottom, 84);
}

TEST(PageLayout, FixedPitchCentresTheImageInASizeWideCell) {
    GenerationSettings s = startup();
    s.glyphOptions.fixPitch = 1;
    const PageGeometry g = pageGeometry(s);
    EXPECT_EQ(cellWidth(s.glyphOptions, 3), 28);
    EXPECT_EQ(256 / cellWidth(s.glyphOptions, 3), 9);  // nine cells to a 256-pixel row
    OpenPage open(g);
    Surface glyph;
    solid(glyph, 10, 10);
    open.page->rowUsed[0] = 28;
    const GlyphRecord r = placeGlyph(*open.page, 0, 0, g, glyph, s.glyphOptions);
    EXPECT_EQ(opaqueBox(open.page->surface).left, 28 + 9);  // (26 - 10 + 2) / 2
    EXPECT_EQ(open.page->rowUsed[0], 56);
    // The record holds the image and its margins, so it contains every glyph pixel.
    EXPECT_EQ(r.left, 36);
    EXPECT_EQ(r.right, 48);
    EXPECT_EQ(r.cellWidth, 12);
}

TEST(PageLayout, FixedPitchRecordsOfWideGlyphsAreClippedToThePage) {
    GenerationSettings s = startup();
    s.glyphOptions.fixPitch = 1;
    const PageGeometry g = pageGeometry(s);
    OpenPage open(g);
    Surface glyph;
    solid(glyph, 40, 10);  // wider than its 28-pixel cell
    const GlyphRecord r = placeGlyph(*open.page, 0, 0, g, glyph, s.glyphOptions);
    EXPECT_EQ(opaqueBox(open.page->surface).left, 0);  // the part left of the page is cut
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 35);  // image from -6 to 34, one pixel of margin
}

TEST(PageLayout, WorkTablesComeAndGoClean) {
    WorkTables tables{};
    ASSERT_TRUE(reserveWorkTables(tables));
    tables.pages[5].rowCount = 3;
    tables.pages[5].rowUsed[2] = 9;
    tables.pages[5].surface.create(8, 8);
    clearPages(tables);
    EXPECT_EQ(tables.pages[5].rowCount, 0);
    EXPECT_EQ(tables.pages[5].rowUsed[2], 0);
    EXPECT_EQ(tables.pages[5].surface.getWidth(), 0);
    tables.pages[7].surface.create(8, 8);
    releaseWorkTables(tables);  // gives back page pixels too (the sanitizers would see a leak)
    EXPECT_EQ(tables.pages, nullptr);
}
