// gfd.exe on fonts that Typekiln.exe made in batch mode, both run as a
// person would run them. What gfd writes is judged by readers of the
// project's test support, not by gfd's own code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/gfd/fnt_reader.h"
#include "tests/gfd/png_reader.h"
#include "tests/gfd/test_font.h"
#include "tests/gui_driver/program_driver.h"
#include "tests/support/font_files.h"
#include "tests/test_files/test_files.h"

namespace {

struct Character {
    const char* text;  // code page 932, as the sources are compiled
    uint16_t code;
    int unicode;
};

const Character kCharacters[] = {
    {"!", 0x21, 0x21},      {"A", 0x41, 0x41},      {"B", 0x42, 0x42},      {"あ", 0x82A0, 0x3042},
    {"ア", 0x8341, 0x30A2}, {"漢", 0x8ABF, 0x6F22}, {"字", 0x8E9A, 0x5B57},
};

class GfdOnATypekilnFont : public ::testing::Test {
protected:
    void SetUp() override {
        std::string list;
        for (const Character& c : kCharacters) list += c.text;
        writeFileBytes(folder.file("chars.txt"), list);
        // Drawn at twice the size with an outline: soft, coloured edges.
        const ProgramRun run = runProgram(
            "\"" + besideTests("Typekiln.exe") + "\" chars.txt /sample,2 /edge,1,0,0,128 /color,255,240,200",
            folder.path());
        ASSERT_TRUE(run.finished && run.exitCode == 0);
        descriptor = parseDescriptor(readFileBytes(folder.file("font.gfd")));
        page = parsePageImage(readFileBytes(folder.file("font_00.tga")));
    }

    ProgramRun gfd(const std::string& arguments) {
        return runProgram("\"" + besideTests("gfd.exe") + "\" " + arguments, folder.path());
    }

    const DescriptorRecord& recordOf(uint16_t code) const {
        return descriptor.records.at(descriptor.slots.at(consumerSlot(code)));
    }

    // The page pixel, transparent below the rows the image stores.
    uint32_t pagePixel(int x, int y) const { return y < page.height ? page.at(x, y) : 0; }

    TemporaryFolder folder;
    FontDescriptor descriptor;
    PageImage page;
};

}  // namespace

// A console program's lines end in CR LF on Windows.
TEST_F(GfdOnATypekilnFont, ChecksCleanInEitherPageFormat) {
    ProgramRun run = gfd("check font.gfd");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u) << run.output << run.errors;
    EXPECT_EQ(run.output, "font.gfd: 1 page, 7 glyphs, font size 26, page size 256 x 256\r\n");
    EXPECT_EQ(run.errors, "");

    ASSERT_EQ(
        runProgram("\"" + besideTests("Typekiln.exe") + "\" chars.txt /out,paletted /format,0 /sample,3",
                   folder.path())
            .exitCode,
        0u);
    run = gfd("check paletted.gfd");
    EXPECT_EQ(run.exitCode, 0u) << run.output << run.errors;
    EXPECT_EQ(run.output, "paletted.gfd: 1 page, 7 glyphs, font size 26, page size 256 x 256\r\n");
}

TEST_F(GfdOnATypekilnFont, RenderPutsEachGlyphWhereTheDescriptorSays) {
    // Japanese on the command line reaches gfd through Windows' Unicode one.
    const ProgramRun run = gfd("render font.gfd \"AあB漢\" -o text.png --background 0,0,64");
    ASSERT_EQ(run.exitCode, 0u) << run.errors;
    EXPECT_EQ(run.errors, "");
    const PageImage image = readPng(folder.file("text.png"));

    // Cells from the pen plus the left bearing; the pen moves by the
    // bearings and the cell width; the image begins at the leftmost cell.
    struct Placed {
        const DescriptorRecord* record;
        int x;
    };
    std::vector<Placed> placed;
    int pen = 0;
    int left = 0;
    int right = 0;
    for (uint16_t code : {0x41, 0x82A0, 0x42, 0x8ABF}) {
        const DescriptorRecord& r = recordOf(code);
        placed.push_back({&r, pen + r.leftBearing});
        left = std::min(left, pen + r.leftBearing);
        right = std::max(right, pen + r.leftBearing + r.right - r.left);
        pen += r.leftBearing + r.cellWidth + r.rightBearing;
    }
    ASSERT_EQ(image.width, std::max(right, pen) - left);
    ASSERT_EQ(image.height, 28);
    const uint32_t background = 0xFF000040;
    std::vector<int> cover(static_cast<size_t>(image.width) * image.height, 0);
    for (const Placed& p : placed)
        for (int y = 0; y < 28; ++y)
            for (int x = 0; x < p.record->right - p.record->left; ++x)
                ++cover[y * image.width + p.x - left + x];
    int opaque = 0;
    for (const Placed& p : placed) {
        const DescriptorRecord& r = *p.record;
        for (int y = 0; y < 28; ++y) {
            for (int x = 0; x < r.right - r.left; ++x) {
                const int at = p.x - left + x;
                if (cover[y * image.width + at] != 1) continue;  // where neighbours overlap
                const uint32_t source = pagePixel(r.left + x, r.top + y);
                opaque += (source >> 24) != 0;
                ASSERT_EQ(image.at(at, y), blendOver(background, source)) << at << "," << y;
            }
        }
    }
    EXPECT_GT(opaque, 100);
}

TEST_F(GfdOnATypekilnFont, ExportReadsBackInAnIndependentReader) {
    createFolder(folder.file("engine"));
    const ProgramRun run = gfd("export font.gfd -o engine\\kiln.fnt");
    ASSERT_EQ(run.exitCode, 0u) << run.errors;
    const std::vector<uint8_t> text = readFileBytes(folder.file("engine\\kiln.fnt"));
    const FntFont fnt = parseFnt(std::string(text.begin(), text.end()));
    EXPECT_EQ(fnt.common.number("lineHeight"), 28);
    EXPECT_EQ(fnt.pageFiles, (std::map<int, std::string>{{0, "kiln_00.png"}}));
    // The blanks the font lacks come with it, advancing as gfd sets them.
    EXPECT_EQ(fnt.declaredChars, 9);
    EXPECT_EQ(fnt.chars.size(), 9u);
    for (const auto& [blank, advance] : {std::pair<int, int>{0x20, 13}, {0x3000, 26}}) {
        const FntChar* found = fnt.find(blank);
        ASSERT_TRUE(found) << blank;
        EXPECT_EQ((std::vector<int>{found->width, found->height, found->xadvance}),
                  (std::vector<int>{0, 0, advance}));
    }
    for (const Character& c : kCharacters) {
        const FntChar* found = fnt.find(c.unicode);
        ASSERT_TRUE(found) << c.text;
        const DescriptorRecord& r = recordOf(c.code);
        EXPECT_EQ((std::vector<int>{found->x, found->y, found->width, found->height, found->xoffset,
                                    found->xadvance, found->page}),
                  (std::vector<int>{r.left, r.top, r.right - r.left, r.bottom - r.top, r.leftBearing,
                                    r.leftBearing + r.cellWidth + r.rightBearing, r.page}))
            << c.text;
    }
    const PageImage png = readPng(folder.file("engine\\kiln_00.png"));
    ASSERT_EQ(png.width, 256);
    ASSERT_EQ(png.height, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) ASSERT_EQ(png.at(x, y), pagePixel(x, y)) << x << "," << y;
}

TEST_F(GfdOnATypekilnFont, DamageIsOneLineOfErrorAndAFailingExit) {
    const std::vector<uint8_t> bytes = readFileBytes(folder.file("font.gfd"));
    writeFileBytes(folder.file("cut.gfd"), std::string(bytes.begin(), bytes.end() - 5));
    ProgramRun run = gfd("check cut.gfd");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.errors,
              "gfd: cut.gfd: truncated: 25,811 bytes where 1 page and 7 glyphs take 25,816 bytes\r\n");
    EXPECT_EQ(run.output, "");

    ASSERT_TRUE(MoveFileA(folder.file("font_00.tga").c_str(), folder.file("kept.tga").c_str()));
    run = gfd("render font.gfd A -o text.png");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.errors, "gfd: page 0: neither font_00.tga nor font_00.bmp is there\r\n");
    EXPECT_FALSE(fileExists(folder.file("text.png")));

    run = gfd("export font.gfd -o FONT.GFD");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.errors, "gfd: FONT.GFD would overwrite font.gfd, which the font is read from\r\n");

    run = gfd("render font.gfd");
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_EQ(run.errors, "gfd: render takes a font and a text\r\n");
}
