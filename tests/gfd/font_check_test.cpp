#include "gfd/font_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "tests/gfd/test_font.h"
#include "tests/test_files/test_files.h"

namespace {

std::vector<Finding> check(const TestFont& font) {
    Font opened;
    std::string error;
    if (!openFont(font.path().c_str(), opened, error)) return {{FindingKind::Header, "unreadable: " + error}};
    return checkFont(opened);
}

std::string describe(const std::vector<Finding>& findings) {
    std::string text;
    for (const Finding& f : findings) text += std::to_string(static_cast<int>(f.kind)) + " " + f.text + "\n";
    return text;
}

}  // namespace

TEST(FontCheck, AFontAsTheGeneratorMakesItIsClean) {
    for (const bool paletted : {false, true}) {
        TestFont font;
        font.write(paletted);
        EXPECT_EQ(describe(check(font)), "") << (paletted ? "paletted" : "TGA");
    }
    TestFont font;
    font.write();
    Font opened;
    std::string error;
    ASSERT_TRUE(openFont(font.path().c_str(), opened, error));
    EXPECT_EQ(fontSummary(opened.descriptor), "2 pages, 4 glyphs, font size 10, page size 128 x 128");
}

// Each kind of damage, made to an otherwise clean font, gives its finding
// and nothing else.
TEST(FontCheck, EachKindOfDamageIsNamed) {
    struct Damage {
        const char* what;
        std::function<void(TestFont&)> beforeWriting;
        std::function<void(TestFont&)> afterWriting;
        FindingKind kind;
        std::string text;
        size_t findings = 1;  // some damage has consequences: stray pixels, pages that do not fit
    };
    const auto none = [](TestFont&) {};
    const Damage damages[] = {
        {"odd page size", [](TestFont& f) { f.header->pageWidth = 100; }, none, FindingKind::Header,
         "page size 100 x 128 is not a font's (128, 256, 512, 1024 or 2048 a side)"},  // pages left unread
        {"font size 0", [](TestFont& f) { f.header->fontSize = 0; }, none, FindingKind::Header,
         "font size is 0"},
        {"rows taller than the page", [](TestFont& f) { f.header->fontSize = 127; }, none,
         FindingKind::Header, "rows of font size 127 + 2 pixels are taller than the pages (128)"},
        {"slot past the records", [](TestFont& f) { f.header->slots[9000] = 4; }, none, FindingKind::Slot,
         "slot 9000 (character 0xE3AA) points at record 4, but there are 4 records"},
        {"cell past the right edge", [](TestFont& f) { f.records[2].right = 129; }, none, FindingKind::Record,
         "record 2 (page 1, cell 0,0 to 129,12) reaches outside its 128 x 128 page"},
        {"cell above the page", [](TestFont& f) { f.records[0].top = -1; }, none, FindingKind::Record,
         "record 0 (page 0, cell 0,-1 to 8,12) reaches outside its 128 x 128 page"},
        {"record on a page the font lacks", [](TestFont& f) { f.records[1].page = 2; }, none,
         FindingKind::Record,
         "record 1 (page 2, cell 8,0 to 19,12) is on a page the font does not have (it counts 2 pages)", 2},
        {"empty cell", [](TestFont& f) { f.records[1].right = 8; }, none, FindingKind::Record,
         "record 1 (page 0, cell 8,0 to 8,12) has an empty cell", 2},
        {"record no slot reaches", [](TestFont& f) { f.header->slots[0x42] = kEmptySlot; }, none,
         FindingKind::UnreachableRecord, "record 2 (page 1, cell 0,0 to 7,12) is reached by no slot"},
        {"pixels outside every cell",
         [](TestFont& f) {
             f.pages[1]->setPixel(100, 5, 0x01000000);
             f.pages[1]->setPixel(30, 14, 0xFFFFFFFF);
         },
         none, FindingKind::StrayPixels,
         "page 1 has 2 opaque pixels outside every glyph cell, the first at 100,5"},
        {"missing page", none, [](TestFont& f) { removeFile(f.folder.file("font_01.tga").c_str()); },
         FindingKind::Page, "page 1: neither "},
        {"page of another width", none,
         [](TestFont& f) { writeFileBytes(f.folder.file("font_00.tga"), tgaImage(64, 16)); },
         FindingKind::Page, "is 64 x 16 pixels, but the font's pages are 128 x 128"},
        {"page taller than the font's", none,
         [](TestFont& f) { writeFileBytes(f.folder.file("font_00.tga"), tgaImage(128, 256)); },
         FindingKind::Page, "is 128 x 256 pixels, but the font's pages are 128 x 128"},
        {"run-length page", none,
         [](TestFont& f) {
             writeFileBytes(f.folder.file("font_00.tga"), tgaImageHeader(10, 32, 0x28, 128, 16));
         },
         FindingKind::Page, "is not an uncompressed 32-bit TGA image with alpha"},
        {"24-bit page", none,
         [](TestFont& f) {
             writeFileBytes(f.folder.file("font_00.tga"), tgaImageHeader(2, 24, 0x20, 128, 16));
         },
         FindingKind::Page, "is not an uncompressed 32-bit TGA image with alpha"},
        {"page cut short", none,
         [](TestFont& f) { writeFileBytes(f.folder.file("font_00.tga"), tgaImage(128, 16).substr(0, 1000)); },
         FindingKind::Page, "is truncated: 1,000 bytes where 128 x 16 pixels take 8,210 bytes"},
        {"page of no image at all", none,
         [](TestFont& f) { writeFileBytes(f.folder.file("font_00.tga"), "BM"); }, FindingKind::Page,
         "is too short for a TGA image"},
        {"two pages led to one file", none, [](TestFont& f) { f.namePagesAlike(); }, FindingKind::Page,
         "font_00.tga is page 0's image already"},
        {"one page more than counted", none,
         [](TestFont& f) { writeFileBytes(f.folder.file("font_02.tga"), tgaImage(128, 16)); },
         FindingKind::Page, "font_02.tga lies beside it as one more page, but it counts 2 pages"},
        {"page name that is no text", none,
         [](TestFont& f) {
             std::vector<uint8_t> bytes = readFileBytes(f.path());
             bytes[kDescriptorHeaderBytes + 32] = 0x82;  // a lead byte without its trail byte
             bytes[kDescriptorHeaderBytes + 33] = 0;
             writeFileBytes(f.path(), std::string(bytes.begin(), bytes.end()));
         },
         FindingKind::Page, "page 1 has a name that is no file name"},
        {"page name with a folder", none,
         [](TestFont& f) {
             std::vector<uint8_t> bytes = readFileBytes(f.path());
             const std::string name = "../font_00";
             std::copy(name.begin(), name.end(), bytes.begin() + kDescriptorHeaderBytes + 32);
             writeFileBytes(f.path(), std::string(bytes.begin(), bytes.end()));
         },
         FindingKind::Page, "page 1 has a name that is no file name"},
    };
    for (const Damage& damage : damages) {
        TestFont font;
        damage.beforeWriting(font);
        font.write();
        damage.afterWriting(font);
        const std::vector<Finding> findings = check(font);
        ASSERT_EQ(findings.size(), damage.findings) << damage.what << ":\n" << describe(findings);
        EXPECT_EQ(findings[0].kind, damage.kind) << damage.what;
        EXPECT_NE(findings[0].text.find(damage.text), std::string::npos)
            << damage.what << ": " << findings[0].text;
    }
}

TEST(FontCheck, PalettedPagesAreReadThroughTheirCopy) {
    TestFont font;
    font.write(true);
    removeFile(font.folder.file("font_01.bmp.tga").c_str());
    const std::vector<Finding> findings = check(font);
    ASSERT_EQ(findings.size(), 1u) << describe(findings);
    EXPECT_EQ(findings[0].text, "page 1: " + font.folder.file("font_01.bmp") + " has no 32-bit copy " +
                                    font.folder.file("font_01.bmp.tga") + " beside it");
}

TEST(FontCheck, DescriptorDamageLeavesOutWhatDoesNotHurtDrawing) {
    TestFont font;
    font.header->slots[0x42] = kEmptySlot;
    font.header->slots[0x43] = 9;
    DescriptorFile descriptor;
    descriptor.header = *font.header;
    descriptor.records = font.records;
    const std::vector<Finding> damage = findDescriptorDamage(descriptor);
    ASSERT_EQ(damage.size(), 1u) << describe(damage);
    EXPECT_EQ(damage[0].kind, FindingKind::Slot);
}
