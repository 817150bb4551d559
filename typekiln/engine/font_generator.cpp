#include "engine/font_generator.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/descriptor.h"
#include "engine/font_file_names.h"
#include "engine/glyph_stream.h"
#include "images/image_writers.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/page_memory.h"

namespace {

const char kTooManyPages[] = "テクスチャが255枚を超えるため作成できません\nテクスチャを大きくしてください";
const char kGlyphTooLarge[] =
    "文字がテクスチャに収まりません\nテクスチャを大きくするかサイズを小さくしてください";
const char kOutOfMemory[] = "メモリが足りません\nテクスチャの大きさかサンプリング数を小さくしてください";
const char kNoOutputFolder[] = "出力先のフォルダに移動できません";
const char kWriteFailed[] = "ファイルの書き込みに失敗しました";
// For a character whose record cannot hold its glyph: the character, its
// code and the limit.
const char kCellTooWide[] =
    "文字「%s」(0x%04X)の幅が%dピクセルを超えます\nサイズかサイズ倍率を小さくしてください";
const char kBearingsOutOfRange[] =
    "文字「%s」(0x%04X)の左右の空きが%dから%dピクセルに収まりません\nサイズかサイズ倍率を変えてください";

// What the header's narrow fields hold, when the settings have passed the
// check: the page table allows 255 pages, pages are at most 2048 pixels,
// and the glyphs are distinct characters with a slot.
static_assert(kMaxWrittenPages <= UINT8_MAX, "the page count is one byte");
static_assert(kLargestPageSize <= UINT16_MAX, "page sizes are 16-bit");
static_assert(codesWithASlot() <= UINT16_MAX, "the glyph count is 16-bit");

// File names are made from the output name in code page 932 and handed to
// the system in its own text (UTF-8 on POSIX systems); false when the name
// has no such text.
bool pageFileName(const GenerationSettings& settings, int32_t page, std::string* name) {
    const PageImageType type = pageImageType(settings.pageFormat);
    return systemTextFromCodePage932(pageImageName(pageName(settings.outName, page), type), name);
}

// Adds the seconds from its construction to its destruction to a total.
class Stopwatch {
public:
    explicit Stopwatch(double& total) : total(total), start(std::chrono::steady_clock::now()) {}
    ~Stopwatch() { total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); }
    Stopwatch(const Stopwatch&) = delete;
    Stopwatch& operator=(const Stopwatch&) = delete;

private:
    double& total;
    std::chrono::steady_clock::time_point start;
};

// One run's working state.
class Run {
public:
    Run(const RunWindow& window, GenerationSettings& settings, const CharacterList& characters,
        WorkTables& tables, FontGenerator::Times& times)
        : window(window),
          settings(settings),
          options(settings.glyphOptions),
          characters(characters),
          tables(tables),
          geometry(pageGeometry(settings)),
          times(times) {}

    bool execute() {
        header.allocate(1);
        const bool done = header && enterOutputFolder() && layOut() && finishPage() && timedWriteDescriptor();
        if (!header) fail(kOutOfMemory);
        // A run that cannot finish leaves no partial set of files behind.
        if (!done) removePageFiles(pagesWritten);
        clearPages(tables);
        return done;
    }

private:
    bool fail(const char* message) {
        window.reportFailure(window.handle, message);
        return false;
    }

    // The message for `entry`: `format` takes the character, its code, then `limits`.
    template <typename... Limits>
    bool failFor(const CharacterEntry& entry, const char* format, Limits... limits) {
        char message[256];
        std::snprintf(message, sizeof message, format, entry.text, static_cast<unsigned>(entry.code),
                      limits...);
        return fail(message);
    }

    void openPage(int32_t number) {
        tables.pages[number].rowCount = geometry.rowsPerPage;
        sampledPage.open(geometry.sampledWidth, geometry.sampledHeight);
    }

    // A page is finished once the run moves past it: its glyphs are drawn
    // band by band and reduced into the page's surface, which is written and
    // given back at once, so that a run holds the pixels of one page only.
    bool finishPage() {
        TexturePage& page = tables.pages[currentPage];
        {
            Stopwatch watch(times.reduction);
            if (!sampledPage.reduceInto(geometry.sample, page.surface)) return fail(kOutOfMemory);
        }
        if (!findPageFormat(settings.pageFormat)) return true;
        Stopwatch watch(times.writing);
        const char* problem = writePage(page, currentPage);
        page.surface.release();
        // A page that fails is counted too: its image may stand without its copy.
        ++pagesWritten;
        if (problem) return fail(problem);
        window.reportPageWritten(window.handle, pagesWritten);
        return true;
    }

    bool layOut() {
        clearDescriptorHeader(*header);
        clearPages(tables);
        currentPage = 0;
        glyphCount = 0;
        // A row taller than the page fits no glyph: say so before drawing
        // one, which at such sizes is slow and large.
        if (geometry.rowsPerPage == 0) return fail(kGlyphTooLarge);
        openPage(0);

        const int32_t count = characters.count();
        window.setProgressRange(window.handle, count);
        GlyphStream glyphs(window, options, characters);
        const char* problem = nullptr;
        if (count > 0 && !glyphs.start(&problem)) return fail(problem ? problem : kOutOfMemory);
        for (int32_t i = 0; i < count; ++i) {
            window.stepProgress(window.handle);
            const GlyphStream::Glyph* glyph;
            {
                Stopwatch watch(times.waitingForGlyphs);
                glyph = &glyphs.take(i);
            }
            const double finishingBefore = times.reduction + times.writing;
            bool placed;
            {
                Stopwatch watch(times.layout);
                placed = placeCharacter(characters.entries()[i], *glyph);
            }
            // A page finished on the way counts as reduction and writing, not layout.
            times.layout -= times.reduction + times.writing - finishingBefore;
            glyphs.release(i);
            if (!placed) return false;
        }
        return true;
    }

    // The working state as drawing the glyphs one by one leaves it: a glyph
    // without an image leaves its unscaled widths but not its top offset.
    void takeWorkingState(const GlyphStream::Glyph& glyph) {
        options.abc = glyph.abc;
        options.textMetrics = glyph.textMetrics;
        if (glyph.outcome == GlyphOutcome::Drawn) options.topOffset = glyph.topOffset;
    }

    bool placeCharacter(const CharacterEntry& entry, const GlyphStream::Glyph& glyph) {
        if (glyph.outcome == GlyphOutcome::OutOfMemory || !glyph.kept) return fail(kOutOfMemory);
        if (glyph.outcome == GlyphOutcome::Empty) window.reportEmptyGlyph(window.handle, entry.text);
        takeWorkingState(glyph);
        const int32_t width = cellWidth(options, glyph.width);
        if (width > geometry.sampledWidth || glyph.height > geometry.sampledHeight)
            return fail(kGlyphTooLarge);
        if (!cellWidthFits(glyph.width, geometry.sample)) return failFor(entry, kCellTooWide, kMaxCellWidth);
        if (!bearingsFit(options.abc, geometry.sample))
            return failFor(entry, kBearingsOutOfRange, kMinBearing, kMaxBearing);
        // A character the descriptor cannot index is left off the pages too.
        const int32_t slot = characterSlot(characterCode(entry.text));
        if (slot == kNoSlot) return true;

        int32_t row = findRow(tables.pages[currentPage], geometry, width);
        if (row < 0) {
            if (currentPage + 1 >= kMaxWrittenPages) return fail(kTooManyPages);
            if (!finishPage()) return false;
            openPage(++currentPage);
            row = findRow(tables.pages[currentPage], geometry, width);
        }
        const GlyphPlacement placement = placeGlyph(tables.pages[currentPage], currentPage, row, geometry,
                                                    glyph.width, glyph.height, options);
        if (!sampledPage.place(placement.x, placement.y, glyph.runs)) return fail(kOutOfMemory);
        header->slots[slot] = static_cast<uint16_t>(glyphCount);
        tables.glyphRecords[glyphCount++] = placement.record;
        return true;
    }

    bool enterOutputFolder() {
        char folder[kMaxPathBytes];
        outputFolderOf(settings.inputPath, folder);
        if (folder[0] && !setCurrentFolder(folder)) return fail(kNoOutputFolder);
        return true;
    }

    bool timedWriteDescriptor() {
        Stopwatch watch(times.writing);
        const char* problem = writeDescriptorFile(currentPage + 1);
        return problem ? fail(problem) : true;
    }

    // The page's file, or the message that says why it was not written.
    const char* writePage(TexturePage& page, int32_t number) {
        std::string name;
        if (!pageFileName(settings, number, &name)) return kWriteFailed;
        PageFiles files;
        if (!encodePageFiles(page.surface, findPageFormat(settings.pageFormat)->bitsPerPixel,
                             page.usedHeight / geometry.sample, files))
            return kOutOfMemory;
        return writePageFiles(name.c_str(), tgaCopyName(name).c_str(), files) ? nullptr : kWriteFailed;
    }

    const char* writeDescriptorFile(int32_t pageCount) {
        // The settings check keeps the size within its byte.
        header->fontSize = static_cast<uint8_t>(options.size);
        header->pageCount = static_cast<uint8_t>(pageCount);
        header->pageWidth = static_cast<uint16_t>(geometry.width);
        header->pageHeight = static_cast<uint16_t>(geometry.height);
        header->glyphCount = static_cast<uint16_t>(glyphCount);
        ByteBuffer bytes;
        if (!encodeDescriptor(*header, settings.outName, tables.glyphRecords.get(), bytes))
            return kOutOfMemory;
        std::string name;
        if (!systemTextFromCodePage932(descriptorFileName(settings.outName), &name)) return kWriteFailed;
        return writeWholeFile(name.c_str(), bytes.bytes.get(), bytes.size) ? nullptr : kWriteFailed;
    }

    void removePageFiles(int32_t pages) {
        std::string name;
        for (int32_t i = 0; i < pages; ++i) {
            if (!pageFileName(settings, i, &name)) continue;
            removeFile(name.c_str());
            if (pageImageType(settings.pageFormat) == PageImageType::Bmp)
                removeFile(tgaCopyName(name).c_str());
        }
    }

    const RunWindow& window;
    GenerationSettings& settings;
    GlyphOptions& options;
    const CharacterList& characters;
    WorkTables& tables;
    const PageGeometry geometry;
    FontGenerator::Times& times;
    SampledPage sampledPage;
    PageBlock<DescriptorHeader> header;
    int32_t currentPage = 0;
    int32_t glyphCount = 0;
    int32_t pagesWritten = 0;
};

}  // namespace

bool FontGenerator::run(const RunWindow& window, GenerationSettings& settings,
                        const CharacterList& characters, WorkTables& tables, Times* times) {
    Times unused;
    Run run(window, settings, characters, tables, times ? *times : unused);
    return run.execute();
}

void outputFolderOf(const char* inputPath, char folder[kMaxPathBytes]) {
    folder[0] = '\0';
    const char* separator = findLastFolderSeparator(inputPath);
    if (!separator) return;
    size_t length = static_cast<size_t>(separator - inputPath);
    // "C:" alone would mean the drive's current directory, not its root.
    if (length == 0 || inputPath[length - 1] == ':') ++length;
    std::memcpy(folder, inputPath, length);
    folder[length] = '\0';
}
