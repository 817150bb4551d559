#include "font_generator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_run_window.h"
#include "font_files.h"
#include "test_files.h"

namespace {

// A run on a character file in its own folder, with the fake rasteriser.
class GeneratorTest : public ::testing::Test {
protected:
    GeneratorTest() : scope(folder.path()) {
        setStartupSettings(settings);
        reserveWorkTables(tables);
    }
    ~GeneratorTest() override { releaseWorkTables(tables); }

    bool run(const std::string& characterBytes) {
        writeFileBytes(folder.file("chars.txt"), characterBytes);
        characters->load(folder.file("chars.txt").c_str());
        // The generator cuts the input path at its last backslash on every platform.
        const std::string inputPath = folder.path() + "\\chars.txt";
        std::snprintf(settings.inputPath, sizeof settings.inputPath, "%s", inputPath.c_str());
        const RunWindow window = fake.window();
        return FontGenerator::run(window, settings, *characters, tables);
    }

    std::vector<uint8_t> output(const std::string& name) { return readFileBytes(folder.file(name)); }
    bool produced(const std::string& name) { return fileExists(folder.file(name)); }

    TemporaryFolder folder;
    TemporaryFolder elsewhere;
    CurrentFolderScope scope;
    GenerationSettings settings;
    WorkTables tables{};
    std::unique_ptr<CharacterList> characters = std::make_unique<CharacterList>();
    FakeRunWindow fake;
};

// Every opaque pixel of every page lies inside the record of some glyph.
void expectPixelsInsideRecords(const FontDescriptor& d, const std::vector<PageImage>& pages) {
    for (size_t p = 0; p < pages.size(); ++p) {
        for (int y = 0; y < pages[p].height; ++y) {
            for (int x = 0; x < pages[p].width; ++x) {
                if (!(pages[p].at(x, y) >> 24))
                    continue;
                bool inside = false;
                for (const DescriptorRecord& r : d.records)
                    inside |= r.page == static_cast<int>(p) && x >= r.left && x < r.right && y >= r.top &&
                              y < r.bottom;
                ASSERT_TRUE(inside) << "page " << p << " pixel " << x << "," << y;
            }
        }
    }
}

}  // namespace

TEST_F(GeneratorTest, TwoCharactersMakeOnePageAndADescriptor) {
    ASSERT_TRUE(run("あA"));
    const FontDescriptor d = parseDescriptor(output("font.gfd"));
    EXPECT_TRUE(d.sizeMatches);
    EXPECT_EQ(d.fontSize, 26);
    EXPECT_EQ(d.pageCount, 1);
    EXPECT_EQ(d.pageWidth, 256);
    EXPECT_EQ(d.pageHeight, 256);
    EXPECT_EQ(d.glyphCount, 2);
    EXPECT_EQ(d.slots[65], 0);
    EXPECT_EQ(d.slots[607], 1);
    EXPECT_EQ(d.pageNames, std::vector<std::string>{"font_00"});
    EXPECT_EQ(d.records[1].left, 12);  // あ follows A in the first row
    const PageImage page = parsePageImage(output("font_00.tga"));
    EXPECT_EQ(page.width, 256);
    EXPECT_EQ(page.height, 32);  // used height 23 -> 32 rows written
    expectPixelsInsideRecords(d, {page});
    EXPECT_EQ(fake.progressRange, 2);
    EXPECT_EQ(fake.progressSteps, 2);
    EXPECT_TRUE(fake.failures.empty());
}

TEST_F(GeneratorTest, AnEmptyListGivesOneBlankFullPage) {
    ASSERT_TRUE(run(""));
    const FontDescriptor d = parseDescriptor(output("font.gfd"));
    EXPECT_EQ(output("font.gfd").size(), 25700u + 32);
    EXPECT_EQ(d.pageCount, 1);
    EXPECT_EQ(d.glyphCount, 0);
    const PageImage page = parsePageImage(output("font_00.tga"));
    EXPECT_EQ(page.height, 256);
    for (uint32_t pixel : page.pixels)
        ASSERT_EQ(pixel, 0x00808080u);
}

TEST_F(GeneratorTest, AFullPageIsLeftForTheNextOne) {
    // 21 cells of 12 pixels fill a 256-pixel row; 9 rows fill a page.
    std::string text;
    for (int lead = 0x88; lead <= 0x89; ++lead)
        for (int trail = 0x9F; trail <= 0xFC; ++trail)
            text += {static_cast<char>(lead), static_cast<char>(trail)};
    ASSERT_TRUE(run(text));
    const FontDescriptor d = parseDescriptor(output("font.gfd"));
    ASSERT_EQ(d.glyphCount, 188);
    EXPECT_EQ(d.pageCount, 1);
    EXPECT_EQ(d.records[20].top, 0);
    EXPECT_EQ(d.records[21].top, 28);
    EXPECT_EQ(d.records[21].left, 0);

    settings.pageWidthIndex = 0;  // 128 x 256: 10 cells to a row, 90 to a page
    ASSERT_TRUE(run(text));
    const FontDescriptor small = parseDescriptor(output("font.gfd"));
    EXPECT_EQ(small.pageCount, 3);
    EXPECT_EQ(small.records[89].page, 0);
    EXPECT_EQ(small.records[90].page, 1);
    EXPECT_EQ(small.records[90].top, 0);
    EXPECT_EQ(small.pageNames, (std::vector<std::string>{"font_00", "font_01", "font_02"}));
    std::vector<PageImage> pages;
    for (const char* name : {"font_00.tga", "font_01.tga", "font_02.tga"})
        pages.push_back(parsePageImage(output(name)));
    expectPixelsInsideRecords(small, pages);
}

TEST_F(GeneratorTest, SampledRunsWriteReducedPages) {
    settings.glyphOptions.sample = 4;
    settings.pageFormat = Bmp8;
    ASSERT_TRUE(run("AB"));
    const PageImage page = parsePageImage(output("font_00.bmp"));
    EXPECT_EQ(page.width, 256);
    EXPECT_EQ(page.height, 32);
    const FontDescriptor d = parseDescriptor(output("font.gfd"));
    EXPECT_EQ(d.records[0].cellWidth, 12);
    EXPECT_EQ(d.records[1].left, 12);
    EXPECT_EQ(page.at(1, 3), 0xFFFFFFFFu);  // glyph A at (1, 3): margin plus top offset 2
    EXPECT_TRUE(produced("font_00.bmp.tga"));
    EXPECT_FALSE(produced("font_00.tga"));
}

TEST_F(GeneratorTest, UnknownFormatsWriteOnlyTheDescriptor) {
    settings.pageFormat = 5;
    ASSERT_TRUE(run("A"));
    EXPECT_TRUE(produced("font.gfd"));
    EXPECT_FALSE(produced("font_00.tga"));
    EXPECT_FALSE(produced("font_00.bmp"));
}

TEST_F(GeneratorTest, OutputsGoBesideTheInputFileWhereverTheRunStarts) {
    CurrentFolderScope away(elsewhere.path());
    ASSERT_TRUE(run("A"));
    EXPECT_TRUE(produced("font.gfd"));
    EXPECT_TRUE(produced("font_00.tga"));
    EXPECT_FALSE(fileExists(elsewhere.file("font.gfd")));
}

TEST_F(GeneratorTest, CharactersWithoutASlotTakeNoRoomAndLeaveNoPixels) {
    settings.pageFormat = Tga32;
    ASSERT_TRUE(
        run("\xFD\x40"
            "A"));  // 0xFD40 has no slot
    const FontDescriptor d = parseDescriptor(output("font.gfd"));
    ASSERT_EQ(d.glyphCount, 1);
    EXPECT_EQ(d.records[0].left, 0);
    const PageImage page = parsePageImage(output("font_00.tga"));
    expectPixelsInsideRecords(d, {page});
    EXPECT_EQ(fake.progressSteps, 2);
}

TEST_F(GeneratorTest, AGlyphWiderThanAPageStopsTheRunBeforeAnyFileIsWritten) {
    fake.glyphFor = [](uint16_t code, const GlyphOptions&) {
        return FakeRunWindow::Glyph{code == 'B' ? 300 : 10, 20, 0, 0, 0};
    };
    EXPECT_FALSE(run("AB"));
    ASSERT_EQ(fake.failures.size(), 1u);
    EXPECT_NE(fake.failures[0].find("収まりません"), std::string::npos);
    EXPECT_FALSE(produced("font.gfd"));
    EXPECT_FALSE(produced("font_00.tga"));
}

TEST_F(GeneratorTest, ARunNeedingMoreThan255PagesStopsAndWritesNothing) {
    // 128 x 128 pages with 62-pixel rows hold 4 glyphs 60 pixels wide: 1,021 glyphs need 256 pages.
    settings.pageWidthIndex = 0;
    settings.pageHeightIndex = 0;
    settings.glyphOptions.size = 62;
    fake.glyphFor = [](uint16_t, const GlyphOptions&) { return FakeRunWindow::Glyph{60, 60, 0, 0, 0}; };
    std::string text;
    for (int code = 0x889F; text.size() < 2 * 1021; ++code)
        if ((code & 0xFF) >= 0x40 && (code & 0xFF) <= 0xFC && (code & 0xFF) != 0x7F)
            text += {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    EXPECT_FALSE(run(text));
    ASSERT_EQ(fake.failures.size(), 1u);
    EXPECT_NE(fake.failures[0].find("255"), std::string::npos);
    EXPECT_FALSE(produced("font.gfd"));
    EXPECT_FALSE(produced("font_00.tga"));

    fake.failures.clear();
    EXPECT_TRUE(run(text.substr(0, 2 * 1020)));  // exactly 255 pages still fit the descriptor
    EXPECT_EQ(parseDescriptor(output("font.gfd")).pageCount, 255);
    EXPECT_TRUE(produced("font_254.tga"));
}

TEST_F(GeneratorTest, AFailedWriteRemovesWhatTheRunHadWritten) {
    createFolder(folder.file("font_01.tga"));  // cannot be created as a file
    settings.pageWidthIndex = 0;
    settings.pageHeightIndex = 0;
    std::string text;
    for (int c = 0x21; c < 0x21 + 60; ++c)
        text += static_cast<char>(c);  // 40 glyphs to a page
    EXPECT_FALSE(run(text));
    ASSERT_EQ(fake.failures.size(), 1u);
    EXPECT_NE(fake.failures[0].find("書き込み"), std::string::npos);
    EXPECT_FALSE(produced("font_00.tga"));
    EXPECT_FALSE(produced("font.gfd"));
}

TEST(OutputFolder, IsTheInputPathUpToItsLastBackslash) {
    char folder[kMaxPathBytes];
    outputFolderOf("C:\\work\\chars.txt", folder);
    EXPECT_STREQ(folder, "C:\\work");
    outputFolderOf("C:\\chars.txt", folder);
    EXPECT_STREQ(folder, "C:\\");
    outputFolderOf("\\chars.txt", folder);
    EXPECT_STREQ(folder, "\\");
    outputFolderOf("C:\\表\\chars.txt", folder);
    EXPECT_STREQ(folder, "C:\\表");
    outputFolderOf("chars.txt", folder);
    EXPECT_STREQ(folder, "");
    outputFolderOf("", folder);
    EXPECT_STREQ(folder, "");
}
