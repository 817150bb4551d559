#include "gfd/descriptor_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/gfd/test_font.h"
#include "tests/test_files/test_files.h"

namespace {

std::vector<uint8_t> descriptorBytes(const TestFont& font) {
    return readFileBytes(font.path());
}

std::string decodeError(const std::vector<uint8_t>& bytes) {
    DescriptorFile descriptor;
    std::string error;
    EXPECT_FALSE(readDescriptorBytes(bytes.data(), bytes.size(), descriptor, error));
    return error;
}

}  // namespace

TEST(DescriptorReader, ReadsWhatTheGeneratorWrites) {
    TestFont font;
    font.records[3].left = -5;  // signed fields stay signed
    font.write();
    DescriptorFile descriptor;
    std::string error;
    ASSERT_TRUE(readDescriptorFile(font.path().c_str(), descriptor, error)) << error;
    const DescriptorHeader& header = descriptor.header;
    EXPECT_EQ(std::string(header.magic, 3), "GFD");
    EXPECT_EQ((std::vector<int>{header.fontSize, header.pageCount, header.pageWidth, header.pageHeight,
                                header.glyphCount}),
              (std::vector<int>{10, 2, 128, 128, 4}));
    EXPECT_EQ(header.slots[0x41], 0);
    EXPECT_EQ(header.slots[characterSlot(0x8ABF)], 3);
    EXPECT_EQ(header.slots[0x43], kEmptySlot);
    EXPECT_EQ(descriptor.pageNames, (std::vector<std::string>{"font_00", "font_01"}));
    ASSERT_EQ(descriptor.records.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        const GlyphRecord& a = descriptor.records[i];
        const GlyphRecord& b = font.records[i];
        EXPECT_EQ((std::vector<int>{a.page, a.leftBearing, a.cellWidth, a.rightBearing, a.left, a.top,
                                    a.right, a.bottom}),
                  (std::vector<int>{b.page, b.leftBearing, b.cellWidth, b.rightBearing, b.left, b.top,
                                    b.right, b.bottom}))
            << i;
    }
}

TEST(DescriptorReader, PageNamesOfAFullFieldKeepAll32Bytes) {
    TestFont font;
    font.write();
    std::vector<uint8_t> bytes = descriptorBytes(font);
    std::fill(bytes.begin() + kDescriptorHeaderBytes, bytes.begin() + kDescriptorHeaderBytes + 32, 'n');
    DescriptorFile descriptor;
    std::string error;
    ASSERT_TRUE(readDescriptorBytes(bytes.data(), bytes.size(), descriptor, error));
    EXPECT_EQ(descriptor.pageNames[0], std::string(32, 'n'));
}

TEST(DescriptorReader, RefusesBytesOfTheWrongLengthOrKind) {
    TestFont font;
    font.write();
    const std::vector<uint8_t> bytes = descriptorBytes(font);
    const std::vector<uint8_t> empty;
    EXPECT_EQ(decodeError(empty), "not a font descriptor: it does not start with \"GFD\"");
    std::vector<uint8_t> other = bytes;
    other[3] = ' ';
    EXPECT_EQ(decodeError(other), "not a font descriptor: it does not start with \"GFD\"");
    EXPECT_EQ(decodeError(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 100)),
              "truncated: 100 bytes, shorter than the 25,700 bytes of the header");
    EXPECT_EQ(decodeError(std::vector<uint8_t>(bytes.begin(), bytes.end() - 1)),
              "truncated: 25,811 bytes where 2 pages and 4 glyphs take 25,812 bytes");
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_EQ(decodeError(longer), "too long: 25,813 bytes where 2 pages and 4 glyphs take 25,812 bytes");
    std::vector<uint8_t> moreGlyphs = bytes;
    moreGlyphs[10] = 5;  // the counts call for another record
    EXPECT_EQ(decodeError(moreGlyphs),
              "truncated: 25,812 bytes where 2 pages and 5 glyphs take 25,824 bytes");
}

TEST(DescriptorReader, RefusesAFileLongerThanAnyDescriptorUnread) {
    TemporaryFolder folder;
    std::string bytes = "GFD";
    bytes.resize(kMaxDescriptorBytes + 1, '\0');
    writeFileBytes(folder.file("huge.gfd"), bytes);
    DescriptorFile descriptor;
    std::string error;
    EXPECT_FALSE(readDescriptorFile(folder.file("huge.gfd").c_str(), descriptor, error));
    EXPECT_EQ(error, "too long: 820,281 bytes, more than any font descriptor (820,280 bytes)");
    EXPECT_FALSE(readDescriptorFile(folder.file("missing.gfd").c_str(), descriptor, error));
    EXPECT_EQ(error, "cannot be opened");
}
