#pragma once

#include <cstdint>

#include "byte_buffer.h"
#include "surface.h"

// The bytes of the page image files, built in memory. The Surface writers
// (writeTga32, writeBmp4, writeBmp8) put these into files; tests read them
// directly.

// The rows a page file stores, counted from the top: the smallest power of
// two not below `usedHeight`, or the whole surface when `usedHeight` is 0 or
// less. Never more rows than the surface has.
int32_t writtenHeight(const Surface& surface, int32_t usedHeight);

// 32-bit TGA, top-left origin, pixels as blue, green, red, alpha; fully
// transparent pixels are stored as 80 80 80 00. False without pixels or when
// the buffer is not granted.
bool encodeTga32(const Surface& surface, int32_t usedHeight, ByteBuffer& out);

// 4- or 8-bit BMP of a reduced surface (buildHistogram, buildIndexImage and
// storePalette already run with the same bits): the palette keeps each
// entry's alpha in its reserved fourth byte, rows are stored bottom-up.
bool encodePalettedBmp(const Surface& surface, int bits, int32_t usedHeight, ByteBuffer& out);

// The 32-bit TGA copy of that BMP: each pixel is its palette entry.
bool encodePaletteTga32(const Surface& surface, int bits, int32_t usedHeight, ByteBuffer& out);
