// Typekiln.exe in batch mode, started as a person or a .bat file would start
// it, and its output read the way a program that uses the font would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/gui_driver/program_driver.h"
#include "tests/support/font_files.h"
#include "tests/test_files/test_files.h"

namespace {

class BatchRun : public ::testing::Test {
protected:
    // Runs Typekiln with `options` from the test's folder.
    ProgramRun typekiln(const std::string& options, const std::string& from = "") {
        return runProgram("\"" + besideTests("Typekiln.exe") + "\" " + options,
                          from.empty() ? folder.path() : from);
    }

    void writeCharacters(const std::string& bytes, const std::string& name = "chars.txt") {
        writeFileBytes(folder.file(name), bytes);
    }

    FontDescriptor descriptor(const std::string& name = "font.gfd") {
        return parseDescriptor(readFileBytes(folder.file(name)));
    }
    PageImage page(const std::string& name) { return parsePageImage(readFileBytes(folder.file(name))); }
    bool produced(const std::string& name) { return fileExists(folder.file(name)); }

    TemporaryFolder folder;
};

const char kSample[] = "あいうアイウ漢字表示ABCxyz!?。、";

uint16_t codeOf(const char* bytes) {
    const uint8_t lead = static_cast<uint8_t>(bytes[0]);
    const bool twoBytes = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFE);
    return twoBytes ? static_cast<uint16_t>(lead << 8 | static_cast<uint8_t>(bytes[1])) : lead;
}

// Every character of the list is found through its slot, its record names
// an existing page, and its glyph's pixels lie inside its record.
void expectEveryCharacterFound(const FontDescriptor& d, const std::vector<PageImage>& pages,
                               const char* text) {
    ASSERT_TRUE(d.sizeMatches);
    for (const char* p = text; *p;) {
        const uint16_t code = codeOf(p);
        p += code > 0xFF ? 2 : 1;
        const int slot = consumerSlot(code);
        ASSERT_GE(slot, 0);
        ASSERT_LT(d.slots[slot], d.glyphCount) << std::hex << code;
        const DescriptorRecord& r = d.records[d.slots[slot]];
        ASSERT_LT(r.page, static_cast<int>(pages.size()));
        EXPECT_LT(r.left, r.right);
        EXPECT_LE(r.right, pages[r.page].width);
        EXPECT_EQ(r.bottom - r.top, d.fontSize + 2);
        int opaque = 0;
        for (int y = r.top; y < r.bottom && y < pages[r.page].height; ++y)
            for (int x = r.left; x < r.right; ++x) opaque += (pages[r.page].at(x, y) >> 24) != 0;
        EXPECT_GT(opaque, 0) << "no pixels for " << std::hex << code;
    }
    for (size_t p = 0; p < pages.size(); ++p) {
        for (int y = 0; y < pages[p].height; ++y) {
            for (int x = 0; x < pages[p].width; ++x) {
                if (!(pages[p].at(x, y) >> 24)) continue;
                bool inside = false;
                for (const DescriptorRecord& r : d.records)
                    inside |= r.page == static_cast<int>(p) && x >= r.left && x < r.right && y >= r.top &&
                              y < r.bottom;
                ASSERT_TRUE(inside) << "stray pixel on page " << p << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace

TEST_F(BatchRun, AFileNameAloneMakesTheDefaultFontBesideIt) {
    writeCharacters(kSample);
    const ProgramRun run = typekiln("chars.txt");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.boxes.empty());
    const FontDescriptor d = descriptor();
    EXPECT_EQ(d.fontSize, 26);
    EXPECT_EQ(d.pageCount, 1);
    EXPECT_EQ(d.pageWidth, 256);
    EXPECT_EQ(d.pageHeight, 256);
    EXPECT_EQ(d.glyphCount, 20);
    EXPECT_EQ(d.pageNames, std::vector<std::string>{"font_00"});
    const PageImage first = page("font_00.tga");
    EXPECT_EQ(first.width, 256);
    EXPECT_EQ(first.height, 64);  // one and a half rows of 28 pixels used
    EXPECT_EQ(readFileBytes(folder.file("font_00.tga")).size(), 18u + 256 * 64 * 4);
    for (uint32_t pixel : first.pixels) ASSERT_TRUE(pixel >> 24 ? pixel == 0xFFFFFFFF : pixel == 0x00808080);
    expectEveryCharacterFound(d, {first}, kSample);
}

TEST_F(BatchRun, PalettedPagesKeepAlphaInThePaletteAndComeWithACopy) {
    writeCharacters(kSample);
    const ProgramRun run = typekiln(
        "chars.txt /out,kiln /format,1 /sample,4 /size,30 /color,255,200,0 "
        "/edge,1,0,0,128 /width,2 /height,2");
    ASSERT_EQ(run.exitCode, 0u);
    const std::vector<uint8_t> bmp = readFileBytes(folder.file("kiln_00.bmp"));
    EXPECT_EQ(readU16(bmp, 28), 8u);
    const uint32_t rows = readU32(bmp, 22);  // a power of two above the used height
    EXPECT_EQ(rows & (rows - 1), 0u);
    EXPECT_EQ(bmp.size(), 1078u + 512 * rows);
    const PageImage image = page("kiln_00.bmp");
    const PageImage copy = page("kiln_00.bmp.tga");
    EXPECT_EQ(image.pixels, copy.pixels);
    bool partlyCovered = false;
    for (uint32_t pixel : image.pixels) partlyCovered |= (pixel >> 24) > 0 && (pixel >> 24) < 255;
    EXPECT_TRUE(partlyCovered);  // supersampling made soft edges
    const FontDescriptor d = descriptor("kiln.gfd");
    EXPECT_EQ(d.pageNames, std::vector<std::string>{"kiln_00"});
    expectEveryCharacterFound(d, {image}, kSample);
}

TEST_F(BatchRun, FourBitPagesWithEffectsAndFixedPitch) {
    writeCharacters(kSample);
    const ProgramRun run = typekiln(
        "chars.txt /format,0 /width,0 /height,0 /size,20 /sample,2 /bevel,1,3,0,0,255 /fixpitch /bold");
    ASSERT_EQ(run.exitCode, 0u);
    const FontDescriptor d = descriptor();
    EXPECT_EQ(d.pageWidth, 128);
    std::vector<PageImage> pages;
    for (int p = 0; p < d.pageCount; ++p) {
        char name[32];
        std::snprintf(name, sizeof name, "font_%02d.bmp", p);
        pages.push_back(page(name));
        EXPECT_EQ(readU16(readFileBytes(folder.file(name)), 28), 4u);
    }
    EXPECT_EQ(d.pageCount, 1);  // 5 cells of 22 pixels to a row, 5 rows to a page
    expectEveryCharacterFound(d, pages, kSample);
}

TEST_F(BatchRun, OutputsLandBesideTheInputWhereverTheProgramStarts) {
    writeCharacters("");  // an empty list still makes a blank page
    ASSERT_EQ(typekiln("chars.txt").exitCode, 0u);
    EXPECT_EQ(descriptor().glyphCount, 0);
    EXPECT_EQ(page("font_00.tga").height, 256);
    writeCharacters("AB", "list.txt");
    TemporaryFolder elsewhere;
    const ProgramRun run = typekiln("\"" + folder.file("list.txt") + "\" /out,far", elsewhere.path());
    ASSERT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(produced("far.gfd"));
    EXPECT_TRUE(produced("far_00.tga"));
    EXPECT_FALSE(fileExists(elsewhere.file("far.gfd")));
}

TEST_F(BatchRun, RefusedRunsSayWhyWriteNothingAndFail) {
    writeCharacters("A");
    struct Refusal {
        std::string options;
        std::string message;
    };
    const Refusal refusals[] = {
        {"/size,30", "入力ファイル名が指定されていません"},
        {"/help", "入力ファイル名が指定されていません"},
        {"missing.txt", "入力ファイルが開けません"},
        {"chars.txt /width,5", "テクスチャの横幅の指定が正しくありません"},
        {"chars.txt /sample,0", "サンプリング数は1以上にしてください"},
        {"chars.txt /size,300 /width,4 /height,4", "サイズは255以下にしてください"},
        {"chars.txt /edge,13,0,0,0", "エッジと押し出しのサイズが大きすぎます\nサイズより小さくしてください"},
        {"chars.txt /bevel,2,12,0,0,0", "押し出しの方向が正しくありません"},
        {"chars.txt /size,200 /height,0",
         "文字がテクスチャに収まりません\nテクスチャを大きくするかサイズを小さくしてください"},
    };
    for (const Refusal& refusal : refusals) {
        const ProgramRun run = typekiln(refusal.options);
        ASSERT_TRUE(run.finished) << refusal.options;
        EXPECT_NE(run.exitCode, 0u) << refusal.options;
        ASSERT_EQ(run.boxes.size(), 1u) << refusal.options;
        EXPECT_EQ(run.boxes[0].caption, "Error");
        EXPECT_EQ(run.boxes[0].icon, BoxIcon::Error) << refusal.options;
        EXPECT_EQ(run.boxes[0].text, refusal.message) << refusal.options;
        EXPECT_FALSE(produced("font.gfd")) << refusal.options;
        EXPECT_FALSE(produced("font_00.tga")) << refusal.options;
    }
}

TEST_F(BatchRun, TheRunShowsItsProgressWindow) {
    // A list long enough to keep the window open for a while.
    std::string text;
    for (int code = 0x889F; text.size() < 2 * 3000; ++code)
        if ((code & 0xFF) >= 0x40 && (code & 0xFF) <= 0xFC && (code & 0xFF) != 0x7F)
            text += {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    writeCharacters(text);
    const ProgramRun run = typekiln("chars.txt /sample,3 /width,4 /height,4");
    ASSERT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.dialogs, std::vector<std::string>{"フォント生成中/msctls_progress32"});
}
