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
        std::snprintf(settings.inputPath, sizeof settings.inputPath, "%s\\chars.txt", folder.path().c_str());
        return FontGenerator::run(fake.window(), settings, *characters, tables);
    }

    FontDescriptor descriptor() { return parseDescriptor(readFileBytes(folder.file("font.gfd"))); }
    PageImage page(const std::string& name) { return parsePageImage(readFileBytes(folder.file(name))); }
    bool produced(const std::string& name) { return fileExists(folder.file(name)); }

    // Every opaque pixel of every page lies inside the record of some glyph.
    void expectPixelsInsideRecords(const std::vector<std::string>& pageNames) {
        const FontDescriptor d = descriptor();
        for (size_t p = 0; p < pageNames.size(); ++p) {
            const PageImage image = page(pageNames[p]);
            for (int y = 0; y < image.height; ++y) {
                for (int x = 0; x < image.width; ++x) {
                    if (!(image.at(x, y) >> 24)) continue;
                    bool inside = false;
                    for (const DescriptorRecord& r : d.records)
                        inside |= r.page == static_cast<int>(p) && x >= r.left && x < r.right && y >= r.top &&
                                  y < r.bottom;
                    ASSERT_TRUE(inside) << "page " << p << " pixel " << x << "," << y;
                }
            }
        }
    }

    TemporaryFolder folder;
    CurrentFolderScope scope;
    GenerationSettings settings;
    WorkTables tables{};
    std::unique_ptr<CharacterList> characters = std::make_unique<CharacterList>();
    FakeRunWindow fake;
};

// Shift-JIS text of `count` consecutive double-byte characters from 亜 on.
std::string kanji(int count) {
    std::string text;
    for (int code = 0x889F; static_cast<int>(text.size()) < 2 * count; ++code)
        if ((code & 0xFF) >= 0x40 && (code & 0xFF) <= 0xFC && (code & 0xFF) != 0x7F)
            text += {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    return text;
}

}  // namespace

TEST_F(GeneratorTest, TwoCharactersMakeOnePageAndADescriptor) {
    ASSERT_TRUE(run("あA"));
    const FontDescriptor d = descriptor();
    EXPECT_TRUE(d.sizeMatches);
    EXPECT_EQ((std::vector<int>{d.fontSize, d.pageCount, d.pageWidth, d.pageHeight, d.glyphCount}),
              (std::vector<int>{26, 1, 256, 256, 2}));
    EXPECT_EQ(d.slots[65], 0);
    EXPECT_EQ(d.slots[607], 1);
    EXPECT_EQ(d.pageNames, std::vector<std::string>{"font_00"});
    EXPECT_EQ(d.records[1].left, 12);           // あ follows A in the first row
    EXPECT_EQ(page("font_00.tga").height, 32);  // used height 23
    expectPixelsInsideRecords({"font_00.tga"});
    EXPECT_EQ(fake.progressRange, 2);
    EXPECT_EQ(fake.progressSteps, 2);
}

TEST_F(GeneratorTest, AnEmptyListGivesOneBlankFullPage) {
    ASSERT_TRUE(run(""));
    EXPECT_EQ(readFileBytes(folder.file("font.gfd")).size(), 25700u + 32);
    EXPECT_EQ(descriptor().pageCount, 1);
    const PageImage blank = page("font_00.tga");
    EXPECT_EQ(blank.height, 256);
    for (uint32_t pixel : blank.pixels) ASSERT_EQ(pixel, 0x00808080u);
}

TEST_F(GeneratorTest, RowsFillThenTheNextPageOpens) {
    // 12-pixel cells: 21 to a 256-pixel row; on 128 x 256 pages 10 to a row, 90 to a page.
    ASSERT_TRUE(run(kanji(188)));
    FontDescriptor d = descriptor();
    EXPECT_EQ(d.records[20].top, 0);
    EXPECT_EQ(d.records[21].top, 28);
    EXPECT_EQ(d.records[21].left, 0);
    settings.pageWidthIndex = 0;
    ASSERT_TRUE(run(kanji(188)));
    d = descriptor();
    EXPECT_EQ(d.pageNames, (std::vector<std::string>{"font_00", "font_01", "font_02"}));
    EXPECT_EQ(d.records[89].page, 0);
    EXPECT_EQ(d.records[90].page, 1);
    EXPECT_EQ(d.records[90].top, 0);
    expectPixelsInsideRecords({"font_00.tga", "font_01.tga", "font_02.tga"});
}

TEST_F(GeneratorTest, SampledRunsWriteReducedPagesInTheirFormat) {
    settings.glyphOptions.sample = 4;
    settings.pageFormat = Bmp8;
    ASSERT_TRUE(run("AB"));
    const PageImage reduced = page("font_00.bmp");
    EXPECT_EQ(reduced.width, 256);
    EXPECT_EQ(reduced.at(1, 3), 0xFFFFFFFFu);  // A at (1, 3): margin plus top offset 2
    EXPECT_EQ(descriptor().records[1].left, 12);
    EXPECT_TRUE(produced("font_00.bmp.tga"));
    settings.pageFormat = 5;
    ASSERT_TRUE(run("A"));  // unknown formats write only the descriptor
    EXPECT_FALSE(produced("font_00.tga"));
}

TEST_F(GeneratorTest, OutputsGoBesideTheInputFileWhereverTheRunStarts) {
    TemporaryFolder elsewhere;
    CurrentFolderScope away(elsewhere.path());
    ASSERT_TRUE(run("A"));
    EXPECT_TRUE(produced("font.gfd") && produced("font_00.tga"));
    EXPECT_FALSE(fileExists(elsewhere.file("font.gfd")));
}

TEST_F(GeneratorTest, CharactersWithoutASlotTakeNoRoomAndLeaveNoPixels) {
    ASSERT_TRUE(
        run("\xFD\x40"
            "A"));  // 0xFD40 has no slot
    ASSERT_EQ(descriptor().glyphCount, 1);
    EXPECT_EQ(descriptor().records[0].left, 0);
    expectPixelsInsideRecords({"font_00.tga"});
}

TEST_F(GeneratorTest, RunsThatCannotFinishSayWhyAndLeaveNoFiles) {
    // A glyph wider than a page.
    fake.glyphFor = [](uint16_t code, const GlyphOptions&) {
        return FakeRunWindow::Glyph{code == 'B' ? 300 : 10, 20, 0, 0, 0};
    };
    EXPECT_FALSE(run("AB"));
    // More than 255 pages: 128 x 128 pages with 62-pixel rows hold 4 glyphs 60 pixels wide.
    settings.pageWidthIndex = settings.pageHeightIndex = 0;
    settings.glyphOptions.size = 62;
    fake.glyphFor = [](uint16_t, const GlyphOptions&) { return FakeRunWindow::Glyph{60, 60, 0, 0, 0}; };
    EXPECT_FALSE(run(kanji(4 * 255 + 1)));
    ASSERT_EQ(fake.failures.size(), 2u);
    EXPECT_NE(fake.failures[0].find("収まりません"), std::string::npos);
    EXPECT_NE(fake.failures[1].find("255"), std::string::npos);
    EXPECT_FALSE(produced("font.gfd") || produced("font_00.tga"));
    EXPECT_TRUE(run(kanji(4 * 255)));  // exactly 255 pages still fit the descriptor
    EXPECT_EQ(descriptor().pageCount, 255);

    // Rows taller than the page: refused before any glyph is drawn.
    settings.glyphOptions.size = 200;
    static bool drawn;
    drawn = false;
    fake.glyphFor = [](uint16_t, const GlyphOptions&) {
        drawn = true;
        return FakeRunWindow::Glyph{10, 10, 0, 0, 0};
    };
    EXPECT_FALSE(run("A"));
    EXPECT_FALSE(drawn);
    ASSERT_EQ(fake.failures.size(), 3u);
    EXPECT_NE(fake.failures[2].find("収まりません"), std::string::npos);
}

TEST_F(GeneratorTest, AFailedWriteRemovesWhatTheRunHadWritten) {
    createFolder(folder.file("font_01.tga"));  // in the way of the second page
    settings.pageWidthIndex = settings.pageHeightIndex = 0;
    ASSERT_FALSE(run(kanji(60)));  // 40 glyphs to a page
    ASSERT_EQ(fake.failures.size(), 1u);
    EXPECT_NE(fake.failures[0].find("書き込み"), std::string::npos);
    EXPECT_FALSE(produced("font_00.tga") || produced("font.gfd"));
}

TEST(OutputFolder, IsTheInputPathUpToItsLastBackslash) {
    const char* paths[][2] = {{"C:\\work\\chars.txt", "C:\\work"},
                              {"C:\\chars.txt", "C:\\"},
                              {"\\chars.txt", "\\"},
                              {"C:\\表\\chars.txt", "C:\\表"},
                              {"chars.txt", ""}};
    for (const auto& path : paths) {
        char folder[kMaxPathBytes];
        outputFolderOf(path[0], folder);
        EXPECT_STREQ(folder, path[1]);
    }
}
