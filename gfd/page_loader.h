#pragma once

#include <cstdint>
#include <string>

#include "font.h"
#include "surface.h"

// The page images of a font lie beside its descriptor, named after the
// page names: "<name>.tga" (32-bit TGA), or "<name>.bmp" (4- or 8-bit BMP),
// which comes with a 32-bit TGA copy "<name>.bmp.tga" holding the same
// pixels. A paletted page is read through that copy.

// The file page `page` is read from (folder included). Returns false, with
// a one-line reason in `error` naming the page, when there is none.
bool findPageFile(const Font& font, int32_t page, std::string& path, std::string& error);

// The image file of the page named `pageName` (code page 932) that lies
// beside the font, folder included: "<name>.tga", else "<name>.bmp"; empty
// when there is neither.
std::string presentPageFile(const Font& font, const std::string& pageName);

// Loads page `page` as a surface of the font's page size; rows the image does
// not store (page images stop below their lowest glyph) are transparent.
// Returns false, with a one-line reason, when the file is missing, is not a
// 32-bit TGA, or is wider or narrower than the page or taller than it.
bool loadPage(const Font& font, int32_t page, Surface& pixels, std::string& error);
