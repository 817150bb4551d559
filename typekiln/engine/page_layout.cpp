#include "engine/page_layout.h"

#include <algorithm>
#include <cstring>
#include <utility>

PageGeometry pageGeometry(const GenerationSettings& settings) {
    PageGeometry g;
    g.sample = settings.glyphOptions.sample;
    g.width = pageSizes[settings.pageWidthIndex];
    g.height = pageSizes[settings.pageHeightIndex];
    g.sampledWidth = g.width * g.sample;
    g.sampledHeight = g.height * g.sample;
    g.rowPitch = (settings.glyphOptions.size + 2) * g.sample;
    g.rowsPerPage = g.sampledHeight / g.rowPitch;
    return g;
}

bool reserveWorkTables(WorkTables& tables) {
    PageBlock<TexturePage> pages(kMaxPages);
    PageBlock<GlyphRecord> records(kMaxGlyphRecords);
    if (!pages || !records) {
        releaseWorkTables(tables);
        return false;
    }
    tables.pages = std::move(pages);
    tables.glyphRecords = std::move(records);
    return true;
}

void releaseWorkTables(WorkTables& tables) {
    tables.pages.reset();
    tables.glyphRecords.reset();
}

void clearPages(WorkTables& tables) {
    for (int32_t i = 0; i < kMaxPages; ++i) {
        TexturePage& page = tables.pages[i];
        page.surface.release();
        page.rowCount = 0;
        std::memset(page.rowUsed, 0, sizeof page.rowUsed);
        page.usedHeight = 0;
    }
}

int32_t findRow(const TexturePage& page, const PageGeometry& geometry, int32_t cellWidth) {
    for (int32_t row = 0; row < page.rowCount; ++row) {
        if (geometry.sampledWidth - page.rowUsed[row] >= cellWidth) return row;
    }
    return -1;
}

int32_t cellWidth(const GlyphOptions& options, int32_t glyphWidth) {
    const int32_t advance = options.fixPitch ? options.size * options.sample : glyphWidth;
    return advance + 2 * options.sample;
}

bool cellWidthFits(int32_t glyphWidth, int32_t sample) {
    return (int64_t{glyphWidth} + 2 * sample) / sample <= kMaxCellWidth;
}

bool bearingsFit(const AbcWidths& abc, int32_t sample) {
    auto fits = [sample](int32_t width) {
        return width / sample >= kMinBearing && width / sample <= kMaxBearing;
    };
    return fits(abc.abcA) && fits(abc.abcC);
}

// The record's page number and positions lie on a page: within 0 to the
// largest page size, and below the page count the run allows.
static_assert(kLargestPageSize <= INT16_MAX, "record positions are signed 16-bit");
static_assert(kMaxWrittenPages - 1 <= UINT8_MAX, "the record's page number is one byte");

GlyphPlacement placeGlyph(TexturePage& page, int32_t pageNumber, int32_t row, const PageGeometry& g,
                          int32_t gw, int32_t gh, const GlyphOptions& options) {
    const int32_t s = g.sample;
    const int32_t x0 = page.rowUsed[row];
    const int32_t y0 = row * g.rowPitch;

    const int32_t imageX = options.fixPitch ? x0 + (options.size * s - gw + 2 * s) / 2 : x0 + s;
    const int32_t lift = std::min(options.topOffset, g.rowPitch - gh - 2 * s);
    page.usedHeight = std::max(page.usedHeight, y0 + lift + gh + s);
    page.rowUsed[row] += cellWidth(options, gw);

    // The image with one pixel of margin each side; with fixed pitch the
    // image may stand out of its cell, and the page edges clip it.
    const int32_t left = std::max(imageX - s, 0);
    const int32_t right = std::min(imageX + gw + s, g.sampledWidth);
    GlyphPlacement placement;
    placement.x = imageX;
    placement.y = y0 + lift + s;
    GlyphRecord& record = placement.record;
    record.page = static_cast<uint8_t>(pageNumber);
    record.leftBearing = static_cast<int8_t>(options.abc.abcA / s);
    record.cellWidth = static_cast<uint8_t>((gw + 2 * s) / s);
    record.rightBearing = static_cast<int8_t>(options.abc.abcC / s);
    record.left = static_cast<int16_t>(left / s);
    record.top = static_cast<int16_t>(y0 / s);
    record.right = static_cast<int16_t>(right / s);
    record.bottom = static_cast<int16_t>((y0 + g.rowPitch) / s);
    return placement;
}
