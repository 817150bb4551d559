#pragma once

#include <cstddef>
#include <cstdint>

#include "images/byte_buffer.h"

// The 18-byte header of a TGA image, as the page writers put it and gfd
// reads it back. Multi-byte fields are little-endian; the colour map's
// first entry, length and entry size and the origin are written as zeros
// and not read.
struct TgaHeader {
    uint8_t idLength;       // bytes of image identification between the header and the pixels
    uint8_t colourMapType;  // 0: none
    uint8_t imageType;      // kTgaTrueColour: uncompressed true colour
    uint16_t width;
    uint16_t height;
    uint8_t pixelDepth;  // bits per pixel
    uint8_t descriptor;  // alpha bits (kTgaAlphaBitsMask) and row and column order
};

constexpr size_t kTgaHeaderBytes = 18;
constexpr size_t kMaxTgaIdBytes = UINT8_MAX;  // idLength is one byte
constexpr uint8_t kTgaTrueColour = 2;
constexpr uint8_t kTgaAlphaBitsMask = 0x0F;
constexpr uint8_t kTgaRightToLeft = 0x10;  // columns stored from the right
constexpr uint8_t kTgaTopDown = 0x20;      // rows stored from the top

// Page images are uncompressed true colour of this depth and alpha.
constexpr uint8_t kTgaPageDepth = 32;
constexpr uint8_t kTgaPageAlphaBits = 8;

// The header of a page image, width x height pixels with rows from the
// top. Sides are at most 65535 pixels.
TgaHeader pageTgaHeader(int32_t width, int32_t height);

// Appends the header's kTgaHeaderBytes bytes.
void putTgaHeader(ByteBuffer& out, const TgaHeader& header);

// The header held by the first kTgaHeaderBytes of `bytes`.
TgaHeader readTgaHeader(const uint8_t* bytes);
