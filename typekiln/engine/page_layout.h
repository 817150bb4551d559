#pragma once

#include <cstdint>

#include "engine/descriptor.h"
#include "engine/generation_settings.h"
#include "images/surface.h"
#include "platform/page_memory.h"

// How glyphs are packed onto texture pages: row by row, each row
// size + 2 output pixels high, each glyph in a cell one output pixel wider
// than its image on both sides. Layout works in sampled pixels (output
// pixels times `sample`); the records hold output pixels.

constexpr int32_t kMaxPages = 256;
// The descriptor counts pages in one byte, so a run may fill at most 255.
constexpr int32_t kMaxWrittenPages = 255;
constexpr int32_t kMaxRowsPerPage = 4096;
constexpr int32_t kMaxGlyphRecords = 65536;

// The sizes a run derives from the settings, fixed for the whole run.
struct PageGeometry {
    int32_t sample;         // s
    int32_t width;          // W, output pixels
    int32_t height;         // H, output pixels
    int32_t sampledWidth;   // W * s
    int32_t sampledHeight;  // H * s
    int32_t rowPitch;       // (size + 2) * s
    int32_t rowsPerPage;    // sampledHeight / rowPitch
};

// For settings that passed findSettingsProblem().
PageGeometry pageGeometry(const GenerationSettings& settings);

// Made in a zero-filled block (PageBlock): the fields start at zero.
struct TexturePage {
    int32_t rowCount;
    int32_t rowUsed[kMaxRowsPerPage];  // width taken from each row's left end
    int32_t usedHeight;                // lowest bottom edge of any glyph image
    Surface surface;                   // the finished page, width x height, once the run has reduced it
};

// The program-wide tables a run works in: reserved once, cleared by each run.
struct WorkTables {
    PageBlock<TexturePage> pages;         // kMaxPages
    PageBlock<GlyphRecord> glyphRecords;  // kMaxGlyphRecords
};

// Reserves both tables from the page allocator. Returns false (nothing
// reserved) when either is not granted.
bool reserveWorkTables(WorkTables& tables);
// Gives back what reserveWorkTables obtained, including page pixels.
void releaseWorkTables(WorkTables& tables);
// Empties every page: no rows, nothing used, no pixels.
void clearPages(WorkTables& tables);

// The first row of the page whose free width is at least `cellWidth`, or -1.
int32_t findRow(const TexturePage& page, const PageGeometry& geometry, int32_t cellWidth);

// The width a glyph takes from its row: its advance plus one output pixel on
// each side. The advance is the image width, or `size` with fixed pitch.
int32_t cellWidth(const GlyphOptions& options, int32_t glyphWidth);

// Whether the record of a glyph image glyphWidth sampled pixels wide can
// hold its cell width, and whether it can hold its A and C widths (sampled
// pixels) as bearings: the descriptor keeps them in a byte each.
bool cellWidthFits(int32_t glyphWidth, int32_t sample);
bool bearingsFit(const AbcWidths& abc, int32_t sample);

// Where a glyph image goes on its page, and its record.
struct GlyphPlacement {
    int32_t x, y;  // top-left corner of the image, sampled pixels; may lie off the page
    GlyphRecord record;
};

// Places a glyph image of glyphWidth x glyphHeight sampled pixels in row
// `row` of the page and takes its cell from the row. The image hangs from
// the line's ascent (topOffset) but is lifted when it would reach into the
// row's bottom margin; with fixed pitch it is centred in its cell. The
// record is the glyph's cell in output pixels, whose horizontal extent is
// the image with its margins (clipped to the page). The caller draws the
// image at the placement, and has made sure the glyph's cell width and
// bearings fit their fields (cellWidthFits, bearingsFit).
GlyphPlacement placeGlyph(TexturePage& page, int32_t pageNumber, int32_t row, const PageGeometry& geometry,
                          int32_t glyphWidth, int32_t glyphHeight, const GlyphOptions& options);
