#include "tests/gfd/test_font.h"

#include <algorithm>
#include <stdexcept>

#include "engine/font_file_names.h"
#include "images/image_writers.h"

std::vector<TestGlyph> standardGlyphs() {
    return {
        {0x41, 0, 6, 1, 1, 0xE03020},
        {0x82A0, 0, 9, 0, 1, 0x2040E0},
        {0x42, 1, 5, 0, 2, 0x20C040},
        {0x8ABF, 1, 10, -1, 0, 0xE0E020},
    };
}

TestFont::TestFont(const std::vector<TestGlyph>& glyphList)
    : header(new DescriptorHeader()), glyphs(glyphList) {
    clearDescriptorHeader(*header);
    int32_t pageCount = 0;
    for (const TestGlyph& g : glyphs) pageCount = std::max(pageCount, g.page + 1);
    header->fontSize = kTestFontSize;
    header->pageCount = static_cast<uint8_t>(pageCount);
    header->pageWidth = kTestPageSize;
    header->pageHeight = kTestPageSize;
    header->glyphCount = static_cast<uint16_t>(glyphs.size());
    for (int32_t page = 0; page < pageCount; ++page) {
        pages.emplace_back(new Surface());
        pages.back()->create(kTestPageSize, kTestPageSize);
    }
    std::vector<int32_t> used(pageCount, 0);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const TestGlyph& g = glyphs[i];
        const int32_t left = used[g.page];
        used[g.page] += g.width + 2;
        records.push_back({static_cast<uint8_t>(g.page), g.leftBearing, static_cast<uint8_t>(g.width + 2),
                           g.rightBearing, static_cast<int16_t>(left), 0,
                           static_cast<int16_t>(left + g.width + 2), kTestFontSize + 2});
        header->slots[characterSlot(g.code)] = static_cast<uint16_t>(i);
        Surface& page = *pages[g.page];
        for (int32_t y = 1; y <= kTestFontSize; ++y)
            for (int32_t x = left + 1; x <= left + g.width; ++x) page.setPixel(x, y, 0xFF000000 | g.colour);
        page.setPixel(left + 1, 1, kHalfAlpha << 24 | g.colour);
    }
}

void TestFont::write(bool paletted) {
    for (size_t page = 0; page < pages.size(); ++page) {
        const std::string name = pageName(kTestOutName, static_cast<int32_t>(page));
        const std::string path =
            folder.file(pageImageName(name, paletted ? PageImageType::Bmp : PageImageType::Tga));
        const bool written =
            paletted ? writeBmp8(*pages[page], path.c_str(), tgaCopyName(path).c_str(), kTestFontSize + 2)
                     : writeTga32(*pages[page], path.c_str(), kTestFontSize + 2);
        if (!written) throw std::runtime_error("cannot write " + path);
    }
    if (!writeDescriptor(path().c_str(), *header, kTestOutName, records.data()))
        throw std::runtime_error("cannot write " + path());
}

uint32_t blendOver(uint32_t background, uint32_t source) {
    const int alpha = static_cast<int>(source >> 24);
    uint32_t result = 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = background >> shift & 0xFF;
        const int s = source >> shift & 0xFF;
        result |= static_cast<uint32_t>(d + (s - d) * alpha / 255) << shift;
    }
    return result;
}

std::string TestFont::path() const {
    return folder.file(descriptorFileName(kTestOutName));
}

uint32_t TestFont::cornerPixel(size_t index) const {
    uint32_t pixel = 0;
    pages[records[index].page]->getPixel(records[index].left + 1, 1, &pixel);
    return pixel;
}

uint32_t TestFont::solidPixel(size_t index) const {
    uint32_t pixel = 0;
    pages[records[index].page]->getPixel(records[index].left + 2, 2, &pixel);
    return pixel;
}

std::string tgaImageHeader(int imageType, int depth, int descriptor, int width, int height) {
    std::string header(18, '\0');
    header[2] = static_cast<char>(imageType);
    header[12] = static_cast<char>(width & 0xFF);
    header[13] = static_cast<char>(width >> 8);
    header[14] = static_cast<char>(height & 0xFF);
    header[15] = static_cast<char>(height >> 8);
    header[16] = static_cast<char>(depth);
    header[17] = static_cast<char>(descriptor);
    return header;
}

std::string tgaImage(int width, int height) {
    return tgaImageHeader(2, 32, 0x28, width, height) + std::string(size_t{4} * width * height, '\0');
}

void TestFont::namePagesAlike() {
    std::vector<uint8_t> bytes = readFileBytes(path());
    for (size_t page = 1; page < pages.size(); ++page)
        std::copy_n(bytes.begin() + kDescriptorHeaderBytes, kPageNameBytes,
                    bytes.begin() + kDescriptorHeaderBytes + kPageNameBytes * page);
    writeFileBytes(path(), bytes);
}
