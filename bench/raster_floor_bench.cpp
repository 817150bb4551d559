// The raster floor of a native run: the seconds FreeType alone takes to load
// and draw the case's glyphs one bit deep, at the case's size and shrink,
// divided by the drawing threads a run uses. Nothing of the run's own work
// (ABC widths, expansion, effects, layout, reduction, writing) counts.
//
//   raster_floor_bench <list> <batch options...>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "engine/character_list.h"
#include "engine/options.h"
#include "glyphs/ansi_characters.h"
#include "glyphs/face_lookup.h"
#include "glyphs/gdi_font_rules.h"
#include "platform/code_page.h"

namespace {

void require(bool done, const char* what) {
    if (!done) {
        std::fprintf(stderr, "raster_floor_bench: %s failed\n", what);
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: raster_floor_bench <list> <batch options...>\n");
        return 2;
    }
    auto settings = std::make_unique<GenerationSettings>();
    setStartupSettings(*settings);
    parseOptions(*settings, argc, argv);
    auto characters = std::make_unique<CharacterList>();
    require(characters->load(settings->inputPath), "loading the list");
    const GlyphOptions& options = settings->glyphOptions;

    const CodePage932 codePage;
    FaceFile file;
    require(
        findFace(faceNameCharacters(codePage, options.face), options.bold != 0, options.italic != 0, &file),
        "finding the face");
    FT_Library library;
    FT_Face face;
    require(
        FT_Init_FreeType(&library) == 0 && FT_New_Face(library, file.path.c_str(), file.index, &face) == 0,
        "opening the face");
    FT_Set_Pixel_Sizes(
        face, 0, static_cast<FT_UInt>(ppemForCellHeight(faceFiguresOf(face), options.sample * options.size)));

    const double shrink = static_cast<double>(options.size - effectMargin(options)) / options.size;
    const FT_Matrix matrix = {static_cast<FT_Fixed>(shrink * options.aspectX * 65536.0), 0, 0,
                              static_cast<FT_Fixed>(shrink * options.aspectY * 65536.0)};
    std::vector<uint8_t> buffer;
    const auto start = std::chrono::steady_clock::now();
    for (int32_t i = 0; i < characters->count(); ++i) {
        const char32_t character =
            glyphOutlineCharacter(codePage, characterCode(characters->entries()[i].text));
        if (FT_Load_Glyph(face, FT_Get_Char_Index(face, character),
                          FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0)
            continue;
        FT_Outline& outline = face->glyph->outline;
        FT_Outline_Transform(&outline, &matrix);
        FT_BBox box;
        FT_Outline_Get_CBox(&outline, &box);
        box.xMin &= -64, box.yMin &= -64, box.xMax = (box.xMax + 63) & -64, box.yMax = (box.yMax + 63) & -64;
        FT_Outline_Translate(&outline, -box.xMin, -box.yMin);
        FT_Bitmap bitmap = {};
        bitmap.width = static_cast<unsigned>((box.xMax - box.xMin) >> 6);
        bitmap.rows = static_cast<unsigned>((box.yMax - box.yMin) >> 6);
        bitmap.pitch = static_cast<int>(((bitmap.width + 31) >> 5) << 2);
        bitmap.pixel_mode = FT_PIXEL_MODE_MONO;
        buffer.assign(static_cast<size_t>(bitmap.pitch) * bitmap.rows, 0);
        bitmap.buffer = buffer.data();
        FT_Outline_Get_Bitmap(library, &outline, &bitmap);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::printf("%.3f\n", seconds / threads);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return 0;
}
