#include "images/tga_header.h"

namespace {

// Where the fields lie, for writing and reading alike. Bytes 3 to 11 (the
// colour map's first entry, length and entry size, and the origin) stay
// zero.
enum FieldAt : size_t {
    kIdLengthAt = 0,
    kColourMapTypeAt = 1,
    kImageTypeAt = 2,
    kWidthAt = 12,
    kHeightAt = 14,
    kPixelDepthAt = 16,
    kDescriptorAt = 17,
};
static_assert(kDescriptorAt + 1 == kTgaHeaderBytes, "the descriptor ends the header");

void write16(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

uint16_t read16(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

}  // namespace

TgaHeader pageTgaHeader(int32_t width, int32_t height) {
    TgaHeader header = {};
    header.imageType = kTgaTrueColour;
    header.width = static_cast<uint16_t>(width);
    header.height = static_cast<uint16_t>(height);
    header.pixelDepth = kTgaPageDepth;
    header.descriptor = kTgaPageAlphaBits | kTgaTopDown;
    return header;
}

void putTgaHeader(ByteBuffer& out, const TgaHeader& header) {
    uint8_t bytes[kTgaHeaderBytes] = {};
    bytes[kIdLengthAt] = header.idLength;
    bytes[kColourMapTypeAt] = header.colourMapType;
    bytes[kImageTypeAt] = header.imageType;
    write16(bytes + kWidthAt, header.width);
    write16(bytes + kHeightAt, header.height);
    bytes[kPixelDepthAt] = header.pixelDepth;
    bytes[kDescriptorAt] = header.descriptor;
    putBytes(out, bytes, sizeof bytes);
}

TgaHeader readTgaHeader(const uint8_t* bytes) {
    TgaHeader header;
    header.idLength = bytes[kIdLengthAt];
    header.colourMapType = bytes[kColourMapTypeAt];
    header.imageType = bytes[kImageTypeAt];
    header.width = read16(bytes + kWidthAt);
    header.height = read16(bytes + kHeightAt);
    header.pixelDepth = bytes[kPixelDepthAt];
    header.descriptor = bytes[kDescriptorAt];
    return header;
}
