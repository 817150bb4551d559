#include "engine/font_generator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/font_file_names.h"
#include "platform/file_system.h"
#include "tests/support/fake_run_window.h"
#include "tests/support/font_files.h"
#include "tests/support/reference_run.h"
#include "tests/support/refused_allocation.h"
#include "tests/test_files/test_files.h"

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
        loadCharacters(folder, characterBytes);
        return FontGenerator::run(fake.window(), settings, *characters, tables);
    }

    // The same run done the straightforward way, in a folder of its own.
    bool referenceRunIn(const TemporaryFolder& elsewhere, const std::string& characterBytes) {
        loadCharacters(elsewhere, characterBytes);
        return referenceRun(fake.window(), settings, *characters);
    }

    void loadCharacters(const TemporaryFolder& in, const std::string& characterBytes) {
        writeFileBytes(in.file("chars.txt"), characterBytes);
        characters->load(in.file("chars.txt").c_str());
        std::snprintf(settings.inputPath, sizeof settings.inputPath, "%s%cchars.txt", in.path().c_str(),
                      kFolderSeparator);
    }

    // Every file of a run in `in`: the descriptor, then each page image
    // (with the TGA copy of a BMP page).
    std::vector<std::vector<uint8_t>> filesIn(const TemporaryFolder& in) {
        std::vector<std::vector<uint8_t>> files = {
            readFileBytes(in.file(descriptorFileName(settings.outName)))};
        const int pages = parseDescriptor(files[0]).pageCount;
        const PageImageType type = pageImageType(settings.pageFormat);
        for (int p = 0; p < pages; ++p) {
            const std::string name = pageImageName(pageName(settings.outName, p), type);
            files.push_back(readFileBytes(in.file(name)));
            if (type == PageImageType::Bmp) files.push_back(readFileBytes(in.file(tgaCopyName(name))));
        }
        return files;
    }

    // Removes what an earlier run of the test wrote, so that the files a
    // run leaves are its own.
    void removeOutputs(const std::vector<std::string>& names) {
        for (const std::string& name : names) std::remove(folder.file(name).c_str());
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
    EXPECT_EQ(fake.pagesWritten, 3);  // the window heard of every page written
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

// Glyph sizes and offsets that exercise every way glyphs meet on a page:
// widths from 1 pixel to nearly a page, glyphs taller than their row (they
// reach into the row above, over the top of the page on row 0), glyphs
// that hang above the ascent, and characters without an image.
FakeRunWindow::Glyph variedGlyph(uint16_t code, const GlyphOptions& options) {
    const int32_t s = options.sample;
    const uint32_t h = code * 2654435761u;
    if (h % 31 == 0) return {0, 0, 0, 1, 1};
    const int32_t width =
        h % 13 == 0 ? 60 * s + static_cast<int32_t>(h % 7) : 1 + static_cast<int32_t>(h % (12 * s));
    const int32_t height = h % 11 == 0 ? 40 * s : 1 + static_cast<int32_t>((h >> 8) % (26 * s));
    const int32_t topOffset = static_cast<int32_t>((h >> 16) % (8 * s)) - 3 * s;
    return {width, height, topOffset, static_cast<int32_t>(h % 5) - 2, -1};
}

TEST_F(GeneratorTest, PagesReducedBandByBandEqualWholeSampledPages) {
    fake.glyphFor = variedGlyph;
    fake.patterned = true;
    settings.pageWidthIndex = 0;  // 128 x 256: a few pages
    settings.glyphOptions.size = 20;
    const int32_t cases[][3] = {{3, Tga32, 0}, {2, Bmp8, 1}, {1, Bmp4, 0}, {4, Tga32, 1}};
    for (const auto& c : cases) {
        settings.glyphOptions.sample = c[0];
        settings.pageFormat = c[1];
        settings.glyphOptions.fixPitch = c[2];
        TemporaryFolder straightforward;
        ASSERT_TRUE(referenceRunIn(straightforward, kanji(300)));
        const std::vector<std::vector<uint8_t>> expected = filesIn(straightforward);
        ASSERT_GT(expected.size(), 2u);
        ASSERT_TRUE(run(kanji(300)));
        EXPECT_TRUE(filesIn(folder) == expected) << "sample " << c[0] << ", format " << c[1];
    }
}

TEST_F(GeneratorTest, GlyphsDrawnOnManyThreadsGiveTheFilesOfOne) {
    fake.glyphFor = variedGlyph;
    fake.patterned = true;
    settings.glyphOptions.sample = 2;
    settings.pageFormat = Bmp8;
    ASSERT_TRUE(run(kanji(500)));
    const std::vector<std::vector<uint8_t>> oneThread = filesIn(folder);
    const int32_t emptyGlyphs = fake.emptyGlyphs;
    EXPECT_GT(emptyGlyphs, 0);
    const AbcWidths lastWidths = settings.glyphOptions.abc;
    const int32_t lastOffset = settings.glyphOptions.topOffset;
    for (int32_t threads : {2, 5}) {
        fake.drawingThreads = threads;
        fake.emptyGlyphs = 0;
        settings.glyphOptions.topOffset = 0;
        ASSERT_TRUE(run(kanji(500)));
        // Same files: among other things, a glyph without an image was laid
        // out with the top offset of the glyph before it in the list, not of
        // the one its thread drew before.
        EXPECT_TRUE(filesIn(folder) == oneThread) << threads << " threads";
        EXPECT_EQ(fake.emptyGlyphs, emptyGlyphs);
        EXPECT_EQ(fake.progressSteps, 500 * (threads == 2 ? 2 : 3));
        EXPECT_EQ(settings.glyphOptions.abc.abcA, lastWidths.abcA);
        EXPECT_EQ(settings.glyphOptions.topOffset, lastOffset);
    }
}

// The empty glyph B opens row 1 alone, so its top offset decides the page's
// used height: 28 + 2 + 1 = 31 rows, written as 32, with the offset of A
// before it; the offset the run started with (20) would make it 64.
TEST_F(GeneratorTest, AGlyphWithoutAnImageHangsLikeTheGlyphBeforeItOnAnyThread) {
    fake.glyphFor = [](uint16_t code, const GlyphOptions&) {
        return code == 'A' ? FakeRunWindow::Glyph{253, 20, 2, 0, 0} : FakeRunWindow::Glyph{0, 0, 0, 0, 0};
    };
    fake.drawingThreads = 8;
    settings.glyphOptions.topOffset = 20;
    ASSERT_TRUE(run("AB"));
    EXPECT_EQ(fake.emptyGlyphs, 1);
    EXPECT_EQ(descriptor().records[1].top, 28);
    EXPECT_EQ(page("font_00.tga").height, 32);
    EXPECT_EQ(settings.glyphOptions.topOffset, 2);
}

// The descriptor keeps a glyph's cell width (image plus two margin pixels)
// in a byte and its bearings in a signed byte each, in output pixels,
// truncated toward zero: a glyph at each limit is recorded as it is, one
// past it fails the run with a message that names the character.
TEST_F(GeneratorTest, AGlyphItsRecordCannotHoldFailsTheRunNamingIt) {
    struct Case {
        FakeRunWindow::Glyph glyph;  // sample 2
        const char* limit;           // in the message, or null when the record holds the glyph
    };
    const Case cases[] = {
        {{2 * 253, 20, 0, 0, 0}, nullptr},      // cell width 255
        {{2 * 253 + 1, 20, 0, 0, 0}, nullptr},  // 255 too, truncated
        {{2 * 254, 20, 0, 0, 0}, "255"},
        {{10, 20, 0, -2 * 128 - 1, 0}, nullptr},  // left bearing -128, truncated toward zero
        {{10, 20, 0, -2 * 129, 0}, "-128"},
        {{10, 20, 0, 0, 2 * 127 + 1}, nullptr},  // right bearing 127
        {{10, 20, 0, 0, 2 * 128}, "127"},
    };
    settings.glyphOptions.sample = 2;
    static FakeRunWindow::Glyph chosen;
    fake.glyphFor = [](uint16_t, const GlyphOptions&) { return chosen; };
    for (const Case& c : cases) {
        chosen = c.glyph;
        fake.failures.clear();
        removeOutputs({"font.gfd", "font_00.tga"});
        const bool done = run("A");
        const std::string what = "width " + std::to_string(c.glyph.width) + ", A " +
                                 std::to_string(c.glyph.abcA) + ", C " + std::to_string(c.glyph.abcC);
        if (!c.limit) {
            ASSERT_TRUE(done) << what;
            const DescriptorRecord r = descriptor().records[0];
            EXPECT_EQ((std::vector<int>{r.cellWidth, r.leftBearing, r.rightBearing}),
                      (std::vector<int>{(c.glyph.width + 4) / 2, c.glyph.abcA / 2, c.glyph.abcC / 2}))
                << what;
            continue;
        }
        EXPECT_FALSE(done) << what;
        ASSERT_EQ(fake.failures.size(), 1u) << what;
        EXPECT_NE(fake.failures[0].find("「A」(0x0041)"), std::string::npos) << what;
        EXPECT_NE(fake.failures[0].find(c.limit), std::string::npos) << what;
        EXPECT_FALSE(produced("font.gfd") || produced("font_00.tga")) << what;
    }
}

// Refusing any one allocation of a run (glyphs and their effects, the
// sampled pages, the reduction, the colour reduction, the page files and
// the descriptor) either leaves the run complete and exact or ends it with
// the out-of-memory message and no files; never a glyph without an image.
TEST_F(GeneratorTest, MemoryRunningOutAnywhereEndsTheRunWithoutFiles) {
    settings.pageWidthIndex = settings.pageHeightIndex = 0;
    settings.pageFormat = Bmp4;
    settings.glyphOptions.size = 60;
    settings.glyphOptions.sample = 2;
    settings.glyphOptions.edgeOn = settings.glyphOptions.bevelOn = 1;
    settings.glyphOptions.edgeSize = settings.glyphOptions.bevelSize = 1;
    settings.glyphOptions.bevelDirection = 3;
    fake.glyphFor = [](uint16_t code, const GlyphOptions&) {
        return FakeRunWindow::Glyph{90 + code % 20, 100, 0, 0, 0};
    };
    const std::string characters = kanji(6);  // 2 rows of 2 to a page
    RefusedAllocation refusal;
    ASSERT_TRUE(run(characters));
    const std::vector<std::vector<uint8_t>> expected = filesIn(folder);
    ASSERT_EQ(expected.size(), 5u);
    const int64_t allocations = refusal.count();
    const std::vector<std::string> files = {"font.gfd", "font_00.bmp", "font_00.bmp.tga", "font_01.bmp",
                                            "font_01.bmp.tga"};
    int32_t failed = 0;
    for (int64_t refused = 1; refused <= allocations; ++refused) {
        refusal.refuse(refused);
        fake.failures.clear();
        removeOutputs(files);
        if (run(characters)) {
            EXPECT_TRUE(filesIn(folder) == expected) << "allocation " << refused << " refused";
        } else {
            ++failed;
            EXPECT_EQ(fake.failures,
                      std::vector<std::string>{
                          "メモリが足りません\nテクスチャの大きさかサンプリング数を小さくしてください"})
                << "allocation " << refused << " refused";
            for (const std::string& name : files)
                EXPECT_FALSE(produced(name)) << name << ", allocation " << refused;
        }
        ASSERT_EQ(fake.emptyGlyphs, 0) << "allocation " << refused << " refused";
    }
    EXPECT_GT(failed, 0);  // the refusals reached the run
}

TEST(OutputFolder, IsTheInputPathUpToItsLastFolderSeparator) {
#ifdef _WIN32
    const char* paths[][2] = {{"C:\\work\\chars.txt", "C:\\work"},
                              {"C:\\chars.txt", "C:\\"},
                              {"\\chars.txt", "\\"},
                              {"C:\\表\\chars.txt", "C:\\表"},  // 表 ends in 0x5C
                              {"chars.txt", ""}};
#else
    const char* paths[][2] = {
        {"/work/chars.txt", "/work"}, {"/chars.txt", "/"}, {"work\\chars.txt", ""}, {"chars.txt", ""}};
#endif
    for (const auto& path : paths) {
        char folder[kMaxPathBytes];
        outputFolderOf(path[0], folder);
        EXPECT_STREQ(folder, path[1]);
    }
}
