#pragma once

#include <cstdint>

#include "images/byte_buffer.h"
#include "images/colour_reduction.h"
#include "images/surface.h"

// The page image files of a surface. Each is built whole in memory first
// (the encode functions, which tests read directly), which tells a buffer
// that is not granted apart from a file that cannot be written.

// The rows a page file stores, counted from the top: the smallest power of
// two not below `usedHeight`, or the whole surface when `usedHeight` is 0 or
// less. Never more rows than the surface has.
int32_t writtenHeight(const Surface& surface, int32_t usedHeight);

// 32-bit TGA, top-left origin, pixels as blue, green, red, alpha; fully
// transparent pixels are stored as 80 80 80 00. False without pixels or when
// the buffer is not granted.
bool encodeTga32(const Surface& surface, int32_t usedHeight, ByteBuffer& out);

// 4- or 8-bit BMP of a surface and its reduction (buildHistogram,
// buildIndexImage and storePalette already run on it with the same bits):
// the palette keeps each entry's alpha in its reserved fourth byte, rows are
// stored bottom-up.
bool encodePalettedBmp(const Surface& surface, const ColourReduction& reduction, int bits, int32_t usedHeight,
                       ByteBuffer& out);

// The 32-bit TGA copy of that BMP: each pixel is its palette entry.
bool encodePaletteTga32(const Surface& surface, const ColourReduction& reduction, int bits,
                        int32_t usedHeight, ByteBuffer& out);

// A page file built in memory: the image, and beside a BMP page its TGA
// copy (nothing for a TGA page).
struct PageFiles {
    ByteBuffer image;
    ByteBuffer copy;
};

// Builds the page file of `surface` with `bits` per pixel: 32 a TGA
// (encodeTga32), 4 or 8 a palettised BMP with its copy, for which the
// surface's colours are reduced first (buildHistogram, buildIndexImage,
// storePalette; the pixels keep their quantised alpha). Returns false when a
// buffer is not granted, and for other bit counts or a surface without
// pixels.
bool encodePageFiles(Surface& surface, int bits, int32_t usedHeight, PageFiles& files);

// Writes the image as `fileName`, then its copy (when there is one) as
// `copyName`. Returns false when a file is not written; an image written
// before its copy failed stays.
bool writePageFiles(const char* fileName, const char* copyName, const PageFiles& files);

// Page writers (files are created anew, relative to the current directory),
// with the written height of writtenHeight(). writeTga32 returns false when
// the file was not written. writeBmp4/writeBmp8 reduce the surface first
// and also write `copyName`, a 32-bit TGA copy in palette colours; they
// return false when either file was not written (no copy follows a failed
// BMP).
bool writeTga32(const Surface& surface, const char* fileName, int32_t usedHeight);
bool writeBmp4(Surface& surface, const char* fileName, const char* copyName, int32_t usedHeight);
bool writeBmp8(Surface& surface, const char* fileName, const char* copyName, int32_t usedHeight);
