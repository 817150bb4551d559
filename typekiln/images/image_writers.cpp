#include "images/image_writers.h"

#include "images/tga_header.h"
#include "platform/file_system.h"

namespace {

constexpr uint32_t kTransparentTgaPixel = 0x00808080;  // mid grey, alpha 0
constexpr uint32_t kBmpHeadersSize = 14 + 40;

int32_t indexRowBytes(const Surface& surface, int bits) {
    return bits == 8 ? surface.getWidth() : (surface.getWidth() + 1) / 2;
}

// BMP rows end on a 4-byte boundary; page widths always do already.
int32_t paddedRowBytes(int32_t rowBytes) {
    return (rowBytes + 3) & ~3;
}

bool isReducedFor(const ColourReduction& reduction, int bits) {
    return (bits == 4 || bits == 8) && reduction.getIndexImage() && reduction.getColours();
}

uint8_t paletteIndexAt(const uint8_t* row, int32_t x, int bits) {
    if (bits == 8) return row[x];
    return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
}

bool writeBuffer(const char* fileName, const ByteBuffer& bytes) {
    return isComplete(bytes) && writeWholeFile(fileName, bytes.bytes.get(), bytes.size);
}

bool writePalettedBmp(Surface& surface, const char* fileName, const char* copyName, int32_t usedHeight,
                      int bits) {
    PageFiles files;
    return encodePageFiles(surface, bits, usedHeight, files) && writePageFiles(fileName, copyName, files);
}

}  // namespace

int32_t writtenHeight(const Surface& surface, int32_t usedHeight) {
    const int32_t height = surface.getHeight();
    if (usedHeight <= 0) return height;
    int64_t rows = 1;
    while (rows < usedHeight) rows *= 2;
    return rows < height ? static_cast<int32_t>(rows) : height;
}

bool encodeTga32(const Surface& surface, int32_t usedHeight, ByteBuffer& out) {
    const uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    if (!surface.lockPixels(&pixels, &pitch)) return false;
    const int32_t width = surface.getWidth();
    const int32_t height = writtenHeight(surface, usedHeight);
    if (!reserveBytes(out, kTgaHeaderBytes + size_t{4} * width * height)) return false;
    putTgaHeader(out, pageTgaHeader(width, height));
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * pitch;
        for (int32_t x = 0; x < width; ++x) put32(out, row[x] >> 24 ? row[x] : kTransparentTgaPixel);
    }
    return isComplete(out);
}

bool encodePalettedBmp(const Surface& surface, const ColourReduction& reduction, int bits, int32_t usedHeight,
                       ByteBuffer& out) {
    if (!isReducedFor(reduction, bits)) return false;
    const int32_t width = surface.getWidth();
    const int32_t height = writtenHeight(surface, usedHeight);
    const uint32_t paletteEntries = 1u << bits;
    const uint32_t pixelOffset = kBmpHeadersSize + 4 * paletteEntries;
    const int32_t rowBytes = indexRowBytes(surface, bits);
    const int32_t padding = paddedRowBytes(rowBytes) - rowBytes;
    const uint32_t fileSize = pixelOffset + static_cast<uint32_t>(paddedRowBytes(rowBytes)) * height;
    if (!reserveBytes(out, fileSize)) return false;

    put8(out, 'B');
    put8(out, 'M');
    put32(out, fileSize);
    put16(out, 0);  // reserved
    put16(out, 0);  // reserved
    put32(out, pixelOffset);
    put32(out, 40);  // info header size
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));  // positive: bottom-up rows
    put16(out, 1);                              // planes
    put16(out, static_cast<uint32_t>(bits));
    put32(out, 0);  // uncompressed
    put32(out, 0);  // image size, may be 0 when uncompressed
    put32(out, 0);  // horizontal resolution
    put32(out, 0);  // vertical resolution
    put32(out, 0);  // colours used: all
    put32(out, 0);  // important colours: all
    // Each entry's alpha travels in the byte BMP reserves.
    const uint32_t* palette = reduction.getColours();
    for (uint32_t j = 0; j < paletteEntries; ++j) put32(out, palette[j]);
    const uint8_t* indices = reduction.getIndexImage();
    for (int32_t y = height - 1; y >= 0; --y) {
        putBytes(out, indices + static_cast<size_t>(y) * rowBytes, static_cast<size_t>(rowBytes));
        putZeros(out, static_cast<size_t>(padding));
    }
    return isComplete(out);
}

bool encodePaletteTga32(const Surface& surface, const ColourReduction& reduction, int bits,
                        int32_t usedHeight, ByteBuffer& out) {
    if (!isReducedFor(reduction, bits)) return false;
    const int32_t width = surface.getWidth();
    const int32_t height = writtenHeight(surface, usedHeight);
    const int32_t rowBytes = indexRowBytes(surface, bits);
    if (!reserveBytes(out, kTgaHeaderBytes + size_t{4} * width * height)) return false;
    putTgaHeader(out, pageTgaHeader(width, height));
    const uint32_t* palette = reduction.getColours();
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = reduction.getIndexImage() + static_cast<size_t>(y) * rowBytes;
        for (int32_t x = 0; x < width; ++x) put32(out, palette[paletteIndexAt(row, x, bits)]);
    }
    return isComplete(out);
}

bool encodePageFiles(Surface& surface, int bits, int32_t usedHeight, PageFiles& files) {
    if (bits == 32) return encodeTga32(surface, usedHeight, files.image);
    ColourReduction reduction;
    return reduction.buildHistogram(surface, bits) && reduction.buildIndexImage(surface, bits) &&
           reduction.storePalette() && encodePalettedBmp(surface, reduction, bits, usedHeight, files.image) &&
           encodePaletteTga32(surface, reduction, bits, usedHeight, files.copy);
}

bool writePageFiles(const char* fileName, const char* copyName, const PageFiles& files) {
    if (!writeBuffer(fileName, files.image)) return false;
    return !files.copy.bytes || writeBuffer(copyName, files.copy);
}

bool writeTga32(const Surface& surface, const char* fileName, int32_t usedHeight) {
    ByteBuffer bytes;
    return encodeTga32(surface, usedHeight, bytes) && writeBuffer(fileName, bytes);
}

bool writeBmp4(Surface& surface, const char* fileName, const char* copyName, int32_t usedHeight) {
    return writePalettedBmp(surface, fileName, copyName, usedHeight, 4);
}

bool writeBmp8(Surface& surface, const char* fileName, const char* copyName, int32_t usedHeight) {
    return writePalettedBmp(surface, fileName, copyName, usedHeight, 8);
}
