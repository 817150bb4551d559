#include "tests/support/reference_run.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/descriptor.h"
#include "engine/font_file_names.h"
#include "images/image_writers.h"
#include "platform/file_system.h"
#include "tests/support/reference_effects.h"

namespace {

struct Page {
    std::vector<int32_t> rowUsed;
    int32_t usedHeight = 0;
    Surface surface;
};

bool writePage(Page& page, const GenerationSettings& settings, int32_t number, int32_t sample) {
    const std::string name =
        pageImageName(pageName(settings.outName, number), pageImageType(settings.pageFormat));
    const std::string copy = tgaCopyName(name);
    const int32_t usedHeight = page.usedHeight / sample;
    switch (settings.pageFormat) {
        case Bmp4:
            return writeBmp4(page.surface, name.c_str(), copy.c_str(), usedHeight);
        case Bmp8:
            return writeBmp8(page.surface, name.c_str(), copy.c_str(), usedHeight);
        case Tga32:
            return writeTga32(page.surface, name.c_str(), usedHeight);
        default:
            return true;
    }
}

}  // namespace

bool referenceRun(const RunWindow& window, GenerationSettings& settings, const CharacterList& characters) {
    GlyphOptions& options = settings.glyphOptions;
    const int32_t s = options.sample;
    const int32_t pageWidth = pageSizes[settings.pageWidthIndex] * s;
    const int32_t pageHeight = pageSizes[settings.pageHeightIndex] * s;
    const int32_t pitch = (options.size + 2) * s;
    const int32_t rows = pageHeight / pitch;
    auto header = std::make_unique<DescriptorHeader>();
    clearDescriptorHeader(*header);
    std::vector<GlyphRecord> records;
    std::vector<std::unique_ptr<Page>> pages;
    auto openPage = [&] {
        pages.push_back(std::make_unique<Page>());
        pages.back()->rowUsed.assign(rows, 0);
        return pages.back()->surface.create(pageWidth, pageHeight);
    };
    if (rows == 0 || !openPage()) return false;

    const char* problem = nullptr;
    void* drawer = window.openDrawer(window.handle, options, &problem);
    window.setProgressRange(window.handle, characters.count());
    bool finished = true;
    for (int32_t i = 0; i < characters.count() && finished; ++i) {
        window.stepProgress(window.handle);
        const CharacterEntry& entry = characters.entries()[i];
        Surface glyph;
        const GlyphOutcome outcome = window.drawGlyph(drawer, glyph, options, entry.text);
        if (outcome == GlyphOutcome::Empty) window.reportEmptyGlyph(window.handle, entry.text);
        const int32_t gw = glyph.getWidth();
        const int32_t gh = glyph.getHeight();
        const int32_t cell = (options.fixPitch ? options.size * s : gw) + 2 * s;
        const int32_t slot = characterSlot(characterCode(entry.text));
        if (outcome == GlyphOutcome::OutOfMemory || cell > pageWidth || gh > pageHeight) finished = false;
        if (!finished || slot == kNoSlot) continue;

        auto rowWithRoom = [&] {
            const auto& used = pages.back()->rowUsed;
            auto free = [&](int32_t u) { return pageWidth - u >= cell; };
            return static_cast<int32_t>(std::find_if(used.begin(), used.end(), free) - used.begin());
        };
        int32_t row = rowWithRoom();
        if (row == rows) {
            referenceReduceSamples(pages.back()->surface, options);
            if (pages.size() >= 255 || !openPage()) {
                finished = false;
                continue;
            }
            row = 0;
        }
        Page& page = *pages.back();
        const int32_t x0 = page.rowUsed[row];
        const int32_t y0 = row * pitch;
        const int32_t x = options.fixPitch ? x0 + (options.size * s - gw + 2 * s) / 2 : x0 + s;
        const int32_t lift = std::min(options.topOffset, pitch - gh - 2 * s);
        page.surface.copyRect(x, y0 + lift + s, glyph, 0, 0, gw, gh);
        page.usedHeight = std::max(page.usedHeight, y0 + lift + gh + s);
        page.rowUsed[row] += cell;

        GlyphRecord r;
        r.page = static_cast<uint8_t>(pages.size() - 1);
        r.leftBearing = static_cast<int8_t>(options.abc.abcA / s);
        r.cellWidth = static_cast<uint8_t>((gw + 2 * s) / s);
        r.rightBearing = static_cast<int8_t>(options.abc.abcC / s);
        r.left = static_cast<int16_t>(std::max(x - s, 0) / s);
        r.top = static_cast<int16_t>(y0 / s);
        r.right = static_cast<int16_t>(std::min(x + gw + s, pageWidth) / s);
        r.bottom = static_cast<int16_t>((y0 + pitch) / s);
        header->slots[slot] = static_cast<uint16_t>(records.size());
        records.push_back(r);
    }
    window.closeDrawer(drawer);
    if (!finished) return false;

    referenceReduceSamples(pages.back()->surface, options);
    char folder[kMaxPathBytes];
    outputFolderOf(settings.inputPath, folder);
    if (folder[0] && !setCurrentFolder(folder)) return false;
    for (size_t p = 0; p < pages.size(); ++p) {
        if (!writePage(*pages[p], settings, static_cast<int32_t>(p), s)) return false;
    }
    header->fontSize = static_cast<uint8_t>(options.size);
    header->pageCount = static_cast<uint8_t>(pages.size());
    header->pageWidth = static_cast<uint16_t>(pageSizes[settings.pageWidthIndex]);
    header->pageHeight = static_cast<uint16_t>(pageSizes[settings.pageHeightIndex]);
    header->glyphCount = static_cast<uint16_t>(records.size());
    return writeDescriptor(descriptorFileName(settings.outName).c_str(), *header, settings.outName,
                           records.data());
}
