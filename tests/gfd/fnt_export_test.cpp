#include "gfd/fnt_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/font_file_names.h"
#include "gfd/text_renderer.h"
#include "gfd/text_setter.h"
#include "platform/file_system.h"
#include "tests/gfd/fnt_reader.h"
#include "tests/gfd/png_reader.h"
#include "tests/gfd/test_font.h"
#include "tests/support/font_files.h"
#include "tests/test_files/test_files.h"

namespace {

class Export : public ::testing::Test {
protected:
    static constexpr int32_t kBase = 9;

    void exportFont(TestFont& font, bool paletted = false) {
        font.write(paletted);
        std::string error;
        ASSERT_TRUE(openFont(font.path().c_str(), opened, error)) << error;
        ASSERT_TRUE(exportFnt(opened, codePage, output.file("out.fnt"), kBase, unmapped, error)) << error;
        const std::vector<uint8_t> text = readFileBytes(output.file("out.fnt"));
        fnt = parseFnt(std::string(text.begin(), text.end()));
    }

    TemporaryFolder output;
    CodePage932 codePage;
    Font opened;
    std::vector<uint16_t> unmapped;
    FntFont fnt;
};

}  // namespace

TEST_F(Export, AnIndependentReaderFindsEveryCharacterWhereTheDescriptorPutsIt) {
    TestFont font;
    exportFont(font);
    EXPECT_EQ(fnt.info.values.at("face"), "font");
    EXPECT_EQ(fnt.info.number("size"), 10);
    EXPECT_EQ(fnt.info.number("unicode"), 1);
    EXPECT_EQ(fnt.common.number("lineHeight"), 12);
    EXPECT_EQ(fnt.common.number("base"), kBase);
    EXPECT_EQ(fnt.common.number("scaleW"), 128);
    EXPECT_EQ(fnt.common.number("scaleH"), 128);
    EXPECT_EQ(fnt.common.number("pages"), 2);
    EXPECT_EQ(fnt.pageFiles, (std::map<int, std::string>{{0, "out_00.png"}, {1, "out_01.png"}}));
    EXPECT_EQ(fnt.declaredChars, 6);
    ASSERT_EQ(fnt.chars.size(), 6u);
    // In ascending order of Unicode: the space, A, B, the ideographic
    // space, あ, 漢; the blanks are checked below.
    const int ids[] = {0x41, 0x42, 0x3042, 0x6F22};
    const size_t glyphOf[] = {0, 2, 1, 3};
    const size_t lineOf[] = {1, 2, 4, 5};
    for (int i = 0; i < 4; ++i) {
        const FntChar& c = fnt.chars[lineOf[i]];
        const GlyphRecord& r = font.recordOf(glyphOf[i]);
        EXPECT_EQ(
            (std::vector<int>{c.id, c.x, c.y, c.width, c.height, c.xoffset, c.yoffset, c.xadvance, c.page}),
            (std::vector<int>{ids[i], r.left, r.top, r.right - r.left, r.bottom - r.top, r.leftBearing, 0,
                              r.leftBearing + r.cellWidth + r.rightBearing, r.page}))
            << std::hex << ids[i];
    }
    EXPECT_TRUE(unmapped.empty());
}

TEST_F(Export, PngPagesHoldThePagesAtTheirFullSize) {
    TestFont font;
    exportFont(font, true);
    for (int page = 0; page < 2; ++page) {
        const PageImage png = readPng(output.file(fnt.pageFiles.at(page)));
        const std::string copy = tgaCopyName(pageImageName(pageName(kTestOutName, page), PageImageType::Bmp));
        const PageImage tga = parsePageImage(readFileBytes(font.folder.file(copy)));
        ASSERT_EQ(png.width, 128);
        ASSERT_EQ(png.height, 128);  // the page image stores 16 rows
        for (int y = 0; y < png.height; ++y) {
            for (int x = 0; x < png.width; ++x) {
                const uint32_t expected = y < tga.height ? tga.at(x, y) : 0;
                ASSERT_EQ(png.at(x, y), expected) << page << ": " << x << "," << y;
            }
        }
    }
}

// An engine sets text from the export alone: pen plus xoffset, advance by
// xadvance, each char's rectangle blended from its PNG page. That gives the
// very image gfd render makes from the descriptor.
TEST_F(Export, TextSetFromTheExportLooksAsGfdRendersIt) {
    TestFont font;
    exportFont(font);
    const std::u32string text = U"漢AあB";
    Surface rendered;
    std::string error;
    ASSERT_TRUE(
        renderText(setText(opened.descriptor, codePage, text, kBase), opened, {0, 0, 0}, rendered, error));

    std::vector<PageImage> pages;
    for (int page = 0; page < 2; ++page) pages.push_back(readPng(output.file(fnt.pageFiles.at(page))));
    int pen = 1;  // 漢's xoffset of -1 is the image's left edge
    for (char32_t id : text) {
        const FntChar& c = *fnt.find(static_cast<int>(id));
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const uint32_t expected = blendOver(0xFF000000, pages[c.page].at(c.x + x, c.y + y));
                uint32_t pixel = 0;
                rendered.getPixel(pen + c.xoffset + x, c.yoffset + y, &pixel);
                ASSERT_EQ(pixel, expected) << std::hex << id << " at " << x << "," << y;
            }
        }
        pen += c.xadvance;
    }
    EXPECT_EQ(rendered.getWidth(), pen);
}

TEST_F(Export, OneIdPerCharacterAndEveryCodeThatReachesAGlyph) {
    // 0x8540 is no character; 0xED40 and 0xFA5C are both 纊. The slot of
    // 0xED40 also serves the user-defined code 0xF6E1 (a private-use
    // character), as it does for every reader of the descriptor.
    TestFont font(
        {{0x8540, 0, 5, 0, 0, 0x0000FF}, {0xED40, 0, 3, 0, 0, 0x00FF00}, {0xFA5C, 0, 4, 0, 0, 0xFF0000}});
    exportFont(font);
    char32_t userDefined = 0;
    ASSERT_TRUE(codePage.toUnicode(0xF6E1, &userDefined));
    ASSERT_EQ(fnt.chars.size(), 4u);  // with the two blanks first
    EXPECT_EQ(fnt.declaredChars, 4);
    EXPECT_EQ(fnt.chars[2].id, 0x7E8A);
    EXPECT_EQ(fnt.chars[2].x, font.recordOf(1).left);  // the lower code's glyph
    EXPECT_EQ(fnt.chars[3].id, static_cast<int>(userDefined));
    EXPECT_EQ(fnt.chars[3].x, font.recordOf(1).left);
    EXPECT_EQ(unmapped, std::vector<uint16_t>{0x8540});
}

// Whichever step fails, the pages written before it are removed again.
TEST_F(Export, FailsOnAMissingPageOrAnUnwritableFileAndLeavesNothingBehind) {
    TestFont font;
    font.write();
    std::string error;
    ASSERT_TRUE(openFont(font.path().c_str(), opened, error));
    EXPECT_FALSE(exportFnt(opened, codePage, output.file("missing/out.fnt"), kBase, unmapped, error));
    EXPECT_NE(error.find("cannot be written"), std::string::npos) << error;

    createFolder(output.file("out.fnt"));  // every page is written, then the .fnt fails
    EXPECT_FALSE(exportFnt(opened, codePage, output.file("out.fnt"), kBase, unmapped, error));
    EXPECT_EQ(error, output.file("out.fnt") + " cannot be written");
    EXPECT_FALSE(fileExists(output.file("out_00.png")));
    EXPECT_FALSE(fileExists(output.file("out_01.png")));

    removeFile(font.folder.file("font_01.tga").c_str());
    EXPECT_FALSE(exportFnt(opened, codePage, output.file("new.fnt"), kBase, unmapped, error));
    EXPECT_EQ(error.find("page 1: neither "), 0u) << error;
    EXPECT_FALSE(fileExists(output.file("new.fnt")));
    EXPECT_FALSE(fileExists(output.file("new_00.png")));
}

// Engines advance by a blank's line as gfd render does; a font's own
// glyph for a blank stays.
TEST_F(Export, BlanksTheFontLacksAdvanceAsGfdSetsThemAndItsOwnGlyphsStay) {
    TestFont lacking;
    exportFont(lacking);
    for (const auto& [blank, advance] :
         {std::pair<int, int>{0x20, kTestFontSize / 2}, {0x3000, kTestFontSize}}) {
        const FntChar* line = fnt.find(blank);
        ASSERT_TRUE(line) << blank;
        EXPECT_EQ((std::vector<int>{line->width, line->height, line->xoffset, line->xadvance}),
                  (std::vector<int>{0, 0, 0, advance}));
    }

    TestFont having({{0x20, 0, 3, 1, 2, 0x102030}, {0x8140, 0, 7, 0, 1, 0x405060}});
    exportFont(having);
    ASSERT_EQ(fnt.chars.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const GlyphRecord& r = having.recordOf(i);
        EXPECT_EQ((std::vector<int>{fnt.chars[i].x, fnt.chars[i].width, fnt.chars[i].xadvance}),
                  (std::vector<int>{r.left, r.right - r.left, r.leftBearing + r.cellWidth + r.rightBearing}));
    }
}
