#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfd/font.h"
#include "images/surface.h"
#include "platform/file_identity.h"

// The page images of a font lie beside its descriptor, named after the
// page names as the generator names them (engine/font_file_names.h): a
// 32-bit TGA, or a 4- or 8-bit BMP with its 32-bit TGA copy holding the
// same pixels. A paletted page is read through that copy.

// The file page `page` is read from (folder included). Returns false, with
// a one-line reason in `error` naming the page, when there is none.
bool findPageFile(const Font& font, int32_t page, std::string& path, std::string& error);

// The image file of the page named `pageName` (code page 932) that lies
// beside the font, folder included: "<name>.tga", else "<name>.bmp"; empty
// when there is neither.
std::string presentPageFile(const Font& font, const std::string& pageName);

// The identity of the file page `page` is read from; false when there is
// none (as findPageFile tells) or it cannot be examined. Two pages whose
// names lead to one file share it.
bool pageFileIdentity(const Font& font, int32_t page, FileIdentity* identity);

// Every file the font is read from: the descriptor and each page image that
// is present (a paletted page and its 32-bit copy both), as paths.
std::vector<std::string> fontFiles(const Font& font);

// The pixels of a page image from the bytes of its file: a surface
// `pageWidth` wide and as high as the image (at most `pageHeight`), since
// page images stop below their lowest glyph and the page's rows below are
// transparent. Pixels are allocated only once the bytes are known to hold
// them. Returns false, with a one-line reason (without the file's name),
// when the bytes are not a 32-bit TGA, end before its last pixel, or the
// image is wider or narrower than the page or taller than it.
bool decodePageImage(const uint8_t* bytes, size_t size, int32_t pageWidth, int32_t pageHeight,
                     Surface& pixels, std::string& reason);

// Loads page `page` with decodePageImage, reading no more of its file than
// a page can hold. Returns false, with a one-line reason naming the page and
// its file, when the file is missing or unreadable or decodePageImage fails.
bool loadPage(const Font& font, int32_t page, Surface& pixels, std::string& error);
