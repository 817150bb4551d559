#pragma once

#include <string>

// The FreeType the native glyph source draws with, such as "FreeType
// 2.12.1": its glyphs are those of that version's rasteriser.
std::string freeTypeVersion();
