#include "tests/support/font_files.h"

#include <stdexcept>

namespace {

uint32_t u8(const std::vector<uint8_t>& b, size_t at) {
    return b.at(at);
}
uint32_t u16(const std::vector<uint8_t>& b, size_t at) {
    return u8(b, at) | u8(b, at + 1) << 8;
}
uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return u16(b, at) | u16(b, at + 2) << 16;
}
int s8(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<int8_t>(u8(b, at));
}
int s16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<int16_t>(u16(b, at));
}

PageImage parseTga(const std::vector<uint8_t>& b) {
    if (u8(b, 2) != 2 || u8(b, 16) != 32) throw std::runtime_error("not a 32-bit true-colour TGA");
    PageImage image;
    image.width = static_cast<int>(u16(b, 12));
    image.height = static_cast<int>(u16(b, 14));
    const bool topDown = u8(b, 17) & 0x20;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const int row = topDown ? y : image.height - 1 - y;
        for (int x = 0; x < image.width; ++x)
            image.pixels[static_cast<size_t>(row) * image.width + x] =
                u32(b, 18 + (static_cast<size_t>(y) * image.width + x) * 4);
    }
    return image;
}

PageImage parseBmp(const std::vector<uint8_t>& b) {
    const uint32_t offset = u32(b, 10);
    const int bits = static_cast<int>(u16(b, 28));
    if (bits != 4 && bits != 8) throw std::runtime_error("not a 4- or 8-bit BMP");
    PageImage image;
    image.width = static_cast<int>(u32(b, 18));
    const int storedHeight = static_cast<int32_t>(u32(b, 22));
    image.height = storedHeight < 0 ? -storedHeight : storedHeight;
    const size_t stride = (static_cast<size_t>(image.width) * bits + 31) / 32 * 4;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const int row = storedHeight > 0 ? image.height - 1 - y : y;
        for (int x = 0; x < image.width; ++x) {
            const uint32_t byte = u8(b, offset + y * stride + static_cast<size_t>(x) * bits / 8);
            const uint32_t index = bits == 8 ? byte : (x % 2 == 0 ? byte >> 4 : byte & 0x0F);
            image.pixels[static_cast<size_t>(row) * image.width + x] = u32(b, 54 + 4 * index);
        }
    }
    return image;
}

}  // namespace

FontDescriptor parseDescriptor(const std::vector<uint8_t>& b) {
    if (b.size() < 25700 || b[0] != 'G' || b[1] != 'F' || b[2] != 'D' || b[3] != 0)
        throw std::runtime_error("not a font descriptor");
    FontDescriptor d;
    d.fontSize = static_cast<int>(u8(b, 4));
    d.pageCount = static_cast<int>(u8(b, 5));
    d.pageWidth = static_cast<int>(u16(b, 6));
    d.pageHeight = static_cast<int>(u16(b, 8));
    d.glyphCount = static_cast<int>(u16(b, 10));
    for (size_t slot = 0; slot < 12844; ++slot)
        d.slots.push_back(static_cast<uint16_t>(u16(b, 12 + 2 * slot)));
    d.sizeMatches =
        b.size() == 25700 + 32 * static_cast<size_t>(d.pageCount) + 12 * static_cast<size_t>(d.glyphCount);
    for (int page = 0; page < d.pageCount; ++page) {
        const size_t at = 25700 + 32 * static_cast<size_t>(page);
        std::string name(b.begin() + at, b.begin() + at + 32);
        d.pageNames.push_back(name.substr(0, name.find('\0')));
    }
    const size_t records = 25700 + 32 * static_cast<size_t>(d.pageCount);
    for (int i = 0; i < d.glyphCount; ++i) {
        const size_t at = records + 12 * static_cast<size_t>(i);
        d.records.push_back({static_cast<int>(u8(b, at)), s8(b, at + 1), static_cast<int>(u8(b, at + 2)),
                             s8(b, at + 3), s16(b, at + 4), s16(b, at + 6), s16(b, at + 8), s16(b, at + 10)});
    }
    return d;
}

int consumerSlot(uint16_t code) {
    if (code < 0x100) return code;
    if (code >= 0x8041 && code <= 0x9FFF) return code - 0x8041;
    if (code >= 0xC082 && code <= 0xEEFF) return code - 0xC082;
    if (code >= 0xEF00 && code <= 0xFC4E) return code - 0xCA23;
    return -1;
}

PageImage parsePageImage(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M' ? parseBmp(bytes) : parseTga(bytes);
}
