#include "descriptor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "test_files.h"

namespace {

std::vector<uint8_t> encoded(const DescriptorHeader& header,
                             const char* outName,
                             const GlyphRecord* records) {
    ByteBuffer out;
    EXPECT_TRUE(encodeDescriptor(header, outName, records, out));
    return std::vector<uint8_t>(out.bytes, out.bytes + out.size);
}

std::unique_ptr<DescriptorHeader> clearedHeader() {
    auto header = std::make_unique<DescriptorHeader>();
    clearDescriptorHeader(*header);
    return header;
}

}  // namespace

TEST(CharacterSlot, MapsEachCodeRangeToItsSlots) {
    EXPECT_EQ(characterSlot(0x0000), 0);
    EXPECT_EQ(characterSlot(0x0041), 65);
    EXPECT_EQ(characterSlot(0x00FF), 255);
    EXPECT_EQ(characterSlot(0x0100), kNoSlot);
    EXPECT_EQ(characterSlot(0x8040), kNoSlot);
    EXPECT_EQ(characterSlot(0x8041), 0);
    EXPECT_EQ(characterSlot(0x8141), 256);
    EXPECT_EQ(characterSlot(0x82A0), 607);
    EXPECT_EQ(characterSlot(0x88EA), 2217);
    EXPECT_EQ(characterSlot(0x9FFC), 8123);
    EXPECT_EQ(characterSlot(0xA000), kNoSlot);
    EXPECT_EQ(characterSlot(0xC081), kNoSlot);
    EXPECT_EQ(characterSlot(0xE040), 8126);
    EXPECT_EQ(characterSlot(0xEEFC), 11898);
    EXPECT_EQ(characterSlot(0xFA40), 12317);
    EXPECT_EQ(characterSlot(0xFC4B), 12840);
    EXPECT_EQ(characterSlot(0xFC4E), 12843);
    EXPECT_EQ(characterSlot(0xFC4F), kNoSlot);
    EXPECT_EQ(characterSlot(0xFEFE), kNoSlot);
}

TEST(CharacterSlot, SomeCodesShareASlot) {
    EXPECT_EQ(characterSlot(0xEF00), characterSlot(0xE55F));
    EXPECT_EQ(characterSlot(0xF8A0), characterSlot(0xEEFF));
    EXPECT_EQ(characterSlot(0x8100), characterSlot(0x00BF));
    for (uint32_t code = 0; code <= 0xFFFF; ++code) {
        int32_t slot = characterSlot(static_cast<uint16_t>(code));
        EXPECT_TRUE(slot == kNoSlot || (slot >= 0 && slot < kSlotCount)) << std::hex << code;
    }
}

TEST(Descriptor, AnEmptyFontHasOnePageNameAndNoRecords) {
    auto header = clearedHeader();
    header->fontSize = 26;
    header->pageCount = 1;
    header->pageWidth = 256;
    header->pageHeight = 256;
    std::vector<uint8_t> bytes = encoded(*header, "font", nullptr);
    ASSERT_EQ(bytes.size(), 25700u + 32);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), std::string("GFD\0", 4));
    EXPECT_EQ(bytes[4], 26);
    EXPECT_EQ(bytes[5], 1);
    EXPECT_EQ(readU16(bytes, 6), 256u);
    EXPECT_EQ(readU16(bytes, 8), 256u);
    EXPECT_EQ(readU16(bytes, 10), 0u);
    for (int slot = 0; slot < kSlotCount; ++slot)
        ASSERT_EQ(readU16(bytes, 12 + 2 * slot), 0xFFFFu) << slot;
    EXPECT_EQ(std::string(bytes.begin() + 25700, bytes.end()), "font_00" + std::string(25, '\0'));
}

TEST(Descriptor, SlotsPointAtLittleEndianGlyphRecords) {
    auto header = clearedHeader();
    header->fontSize = 26;
    header->pageCount = 2;
    header->pageWidth = 1024;
    header->pageHeight = 128;
    header->glyphCount = 2;
    header->slots[65] = 0;
    header->slots[607] = 1;
    const GlyphRecord records[2] = {{0, 1, 12, 2, 0, 0, 12, 28}, {1, -3, 200, -1, 300, -2, 1000, 1028}};
    std::vector<uint8_t> bytes = encoded(*header, "font", records);
    ASSERT_EQ(bytes.size(), 25700u + 2 * 32 + 2 * 12);
    EXPECT_EQ(readU16(bytes, 6), 1024u);
    EXPECT_EQ(readU16(bytes, 8), 128u);
    EXPECT_EQ(readU16(bytes, 10), 2u);
    EXPECT_EQ(readU16(bytes, 12 + 2 * 65), 0u);
    EXPECT_EQ(readU16(bytes, 12 + 2 * 607), 1u);
    EXPECT_EQ(std::string(bytes.begin() + 25732, bytes.begin() + 25739), "font_01");
    const size_t second = 25700 + 64 + 12;
    const std::vector<uint8_t> expected = {1,    0xFD, 200,  0xFF, 0x2C, 0x01,
                                           0xFE, 0xFF, 0xE8, 0x03, 0x04, 0x04};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + second, bytes.end()), expected);
}

TEST(Descriptor, PageNamesDropTheFolderAndAreCutTo32Bytes) {
    char field[kPageNameBytes];
    formatPageName("out\\表\\kiln", 3, field);
    EXPECT_EQ(std::string(field, 32), "kiln_03" + std::string(25, '\0'));
    formatPageName("fonts\\表", 0, field);  // the trail byte of 表 is no folder separator
    EXPECT_EQ(std::string(field, 32), "表_00" + std::string(27, '\0'));
    formatPageName("font", 123, field);
    EXPECT_EQ(std::string(field, 8), std::string("font_123", 8));
    formatPageName(std::string(40, 'n').c_str(), 1, field);
    EXPECT_EQ(std::string(field, 32), std::string(32, 'n'));
}

TEST(Descriptor, WritingReplacesAnExistingFile) {
    TemporaryFolder folder;
    const std::string path = folder.file("font.gfd");
    writeFileBytes(path, std::string(40000, 'x'));
    auto header = clearedHeader();
    header->pageCount = 1;
    ASSERT_TRUE(writeDescriptor(path.c_str(), *header, "font", nullptr));
    EXPECT_EQ(readFileBytes(path), encoded(*header, "font", nullptr));
    EXPECT_FALSE(writeDescriptor(folder.file("missing/font.gfd").c_str(), *header, "font", nullptr));
}
