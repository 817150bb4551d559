#include "engine/descriptor.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/font_files.h"
#include "tests/test_files/test_files.h"

namespace {

std::vector<uint8_t> encoded(const DescriptorHeader& header, const GlyphRecord* records) {
    ByteBuffer out;
    EXPECT_TRUE(encodeDescriptor(header, "out\\font", records, out));
    return std::vector<uint8_t>(out.bytes.get(), out.bytes.get() + out.size);
}

}  // namespace

TEST(CharacterSlot, MapsEachCodeRangeToItsSlots) {
    const std::pair<uint16_t, int32_t> cases[] = {
        {0x0041, 65},      {0x00FF, 255},    {0x0100, kNoSlot}, {0x8040, kNoSlot}, {0x8041, 0},
        {0x8141, 256},     {0x82A0, 607},    {0x88EA, 2217},    {0x9FFC, 8123},    {0xA000, kNoSlot},
        {0xC081, kNoSlot}, {0xE040, 8126},   {0xEEFC, 11898},   {0xFA40, 12317},   {0xFC4E, 12843},
        {0xFC4F, kNoSlot}, {0xFEFE, kNoSlot}};
    for (const auto& c : cases) EXPECT_EQ(characterSlot(c.first), c.second) << std::hex << c.first;
    // Some codes share a slot; none falls outside the table. Readers compute the same.
    EXPECT_EQ(characterSlot(0xEF00), characterSlot(0xE55F));
    EXPECT_EQ(characterSlot(0x8100), characterSlot(0x00BF));
    for (uint32_t code = 0; code <= 0xFFFF; ++code) {
        const int32_t slot = characterSlot(static_cast<uint16_t>(code));
        ASSERT_TRUE(slot == consumerSlot(static_cast<uint16_t>(code)) && slot < kSlotCount)
            << std::hex << code;
    }
}

TEST(Descriptor, HeaderNamesAndLittleEndianRecords) {
    auto header = std::make_unique<DescriptorHeader>();
    clearDescriptorHeader(*header);
    header->fontSize = 26;
    header->pageCount = 2;
    header->pageWidth = 1024;
    header->pageHeight = 128;
    header->glyphCount = 2;
    header->slots[65] = 0;
    header->slots[607] = 1;
    const GlyphRecord records[2] = {{0, 1, 12, 2, 0, 0, 12, 28}, {1, -3, 200, -1, 300, -2, 1000, 1028}};
    const std::vector<uint8_t> bytes = encoded(*header, records);
    ASSERT_EQ(bytes.size(), 25700u + 2 * 32 + 2 * 12);
    const FontDescriptor d = parseDescriptor(bytes);
    EXPECT_EQ((std::vector<int>{d.fontSize, d.pageCount, d.pageWidth, d.pageHeight, d.glyphCount}),
              (std::vector<int>{26, 2, 1024, 128, 2}));
    EXPECT_EQ(d.slots[65], 0);
    EXPECT_EQ(d.slots[607], 1);
    EXPECT_EQ(d.slots[64], kEmptySlot);
    EXPECT_EQ(std::string(bytes.begin() + 25700, bytes.begin() + 25732), "font_00" + std::string(25, '\0'));
    EXPECT_EQ(d.pageNames[1], "font_01");
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 12, bytes.end()),
              (std::vector<uint8_t>{1, 0xFD, 200, 0xFF, 0x2C, 0x01, 0xFE, 0xFF, 0xE8, 0x03, 0x04, 0x04}));
}

TEST(Descriptor, PageNamesDropTheFolderAndAreCutTo32Bytes) {
    char field[kPageNameBytes];
    formatPageName("fonts\\表", 0, field);  // the trail byte of 表 is no folder separator
    EXPECT_EQ(std::string(field, 32), "表_00" + std::string(27, '\0'));
    formatPageName("font", 123, field);
    EXPECT_EQ(std::string(field, 8), "font_123");
    formatPageName(std::string(40, 'n').c_str(), 1, field);
    EXPECT_EQ(std::string(field, 32), std::string(32, 'n'));
}

TEST(Descriptor, WritingReplacesAnExistingFile) {
    TemporaryFolder folder;
    const std::string path = folder.file("font.gfd");
    writeFileBytes(path, std::string(40000, 'x'));
    auto header = std::make_unique<DescriptorHeader>();
    clearDescriptorHeader(*header);
    header->pageCount = 1;
    ASSERT_TRUE(writeDescriptor(path.c_str(), *header, "out\\font", nullptr));
    EXPECT_EQ(readFileBytes(path), encoded(*header, nullptr));
}
