#include "font_generator.h"

#include <cstdio>
#include <cstring>

#include "descriptor.h"
#include "effects.h"
#include "file_system.h"
#include "page_memory.h"

namespace {

const char kTooManyPages[] = "テクスチャが255枚を超えるため作成できません\nテクスチャを大きくしてください";
const char kGlyphTooLarge[] =
    "文字がテクスチャに収まりません\nテクスチャを大きくするかサイズを小さくしてください";
const char kOutOfMemory[] = "メモリが足りません\nテクスチャの大きさかサンプリング数を小さくしてください";
const char kNoOutputFolder[] = "出力先のフォルダに移動できません";
const char kWriteFailed[] = "ファイルの書き込みに失敗しました";

// The settings check keeps every name within 255 bytes; the buffers leave
// room for any output name all the same.
constexpr size_t kFileNameBytes = kMaxPathBytes + 16;

bool isPageFormat(int32_t format) {
    return format == Bmp4 || format == Bmp8 || format == Tga32;
}

void pageFileName(const GenerationSettings& settings, int32_t page, char name[kFileNameBytes]) {
    std::snprintf(name, kFileNameBytes, settings.pageFormat == Tga32 ? "%s_%02d.tga" : "%s_%02d.bmp",
                  settings.outName, page);
}

void descriptorFileName(const GenerationSettings& settings, char name[kFileNameBytes]) {
    std::snprintf(name, kFileNameBytes, "%s.gfd", settings.outName);
}

// One run's working state.
class Run {
public:
    Run(const RunWindow& window, GenerationSettings& settings, const CharacterList& characters,
        WorkTables& tables)
        : window(window),
          settings(settings),
          options(settings.glyphOptions),
          characters(characters),
          tables(tables),
          geometry(pageGeometry(settings)) {}

    bool execute() {
        header = static_cast<DescriptorHeader*>(allocatePages(sizeof(DescriptorHeader)));
        bool done = header && layOut() && reducePage(tables.pages[currentPage]) && enterOutputFolder() &&
                    writeOutputs();
        if (!header) fail(kOutOfMemory);
        clearPages(tables);
        releasePages(header);
        return done;
    }

private:
    bool fail(const char* message) {
        window.reportFailure(window.handle, message);
        return false;
    }

    bool openPage(int32_t number) {
        TexturePage& page = tables.pages[number];
        page.rowCount = geometry.rowsPerPage;
        if (!page.surface.create(geometry.sampledWidth, geometry.sampledHeight)) return fail(kOutOfMemory);
        return true;
    }

    // A page is finished once the run moves past it: reducing it at once
    // keeps only one page at the sampled size in memory.
    bool reducePage(TexturePage& page) {
        reduceSamples(page.surface, options);
        if (page.surface.getWidth() == 0) return fail(kOutOfMemory);
        return true;
    }

    bool layOut() {
        clearDescriptorHeader(*header);
        clearPages(tables);
        currentPage = 0;
        glyphCount = 0;
        if (!openPage(0)) return false;

        const int32_t count = characters.count();
        window.setProgressRange(window.handle, count);
        for (int32_t i = 0; i < count; ++i) {
            window.stepProgress(window.handle);
            if (!placeCharacter(characters.entries()[i])) return false;
        }
        return true;
    }

    bool placeCharacter(const CharacterEntry& entry) {
        // A row taller than the page fits no glyph: say so before drawing
        // one, which at such sizes is slow and large.
        if (geometry.rowsPerPage == 0) return fail(kGlyphTooLarge);
        Surface glyph;
        window.rasterize(window.handle, glyph, options, entry.text);
        const int32_t width = cellWidth(options, glyph.getWidth());
        if (width > geometry.sampledWidth || glyph.getHeight() > geometry.sampledHeight) {
            return fail(kGlyphTooLarge);
        }
        // A character the descriptor cannot index is left off the pages too.
        const int32_t slot = characterSlot(characterCode(entry.text));
        if (slot == kNoSlot) return true;

        int32_t row = findRow(tables.pages[currentPage], geometry, width);
        if (row < 0) {
            if (currentPage + 1 >= kMaxWrittenPages) return fail(kTooManyPages);
            if (!reducePage(tables.pages[currentPage]) || !openPage(++currentPage)) return false;
            row = findRow(tables.pages[currentPage], geometry, width);
        }
        header->slots[slot] = static_cast<uint16_t>(glyphCount);
        tables.glyphRecords[glyphCount++] =
            placeGlyph(tables.pages[currentPage], currentPage, row, geometry, glyph, options);
        return true;
    }

    bool enterOutputFolder() {
        char folder[kMaxPathBytes];
        outputFolderOf(settings.inputPath, folder);
        if (folder[0] && !setCurrentFolder(folder)) return fail(kNoOutputFolder);
        return true;
    }

    bool writeOutputs() {
        const int32_t pageCount = currentPage + 1;
        char name[kFileNameBytes];
        int32_t written = 0;
        bool complete = true;
        if (isPageFormat(settings.pageFormat)) {
            for (; written < pageCount && complete; ++written) {
                TexturePage& page = tables.pages[written];
                pageFileName(settings, written, name);
                const int32_t usedHeight = page.usedHeight / geometry.sample;
                switch (settings.pageFormat) {
                    case Bmp4:
                        complete = page.surface.writeBmp4(name, usedHeight);
                        break;
                    case Bmp8:
                        complete = page.surface.writeBmp8(name, usedHeight);
                        break;
                    default:
                        complete = page.surface.writeTga32(name, usedHeight);
                        break;
                }
                page.surface.release();
            }
        }
        if (complete) {
            header->fontSize = static_cast<uint8_t>(options.size);
            header->pageCount = static_cast<uint8_t>(pageCount);
            header->pageWidth = static_cast<uint16_t>(geometry.width);
            header->pageHeight = static_cast<uint16_t>(geometry.height);
            header->glyphCount = static_cast<uint16_t>(glyphCount);
            descriptorFileName(settings, name);
            complete = writeDescriptor(name, *header, settings.outName, tables.glyphRecords);
        }
        if (!complete) {
            removePageFiles(written);
            return fail(kWriteFailed);
        }
        return true;
    }

    // Leaves no partial set of files behind a failed write.
    void removePageFiles(int32_t pages) {
        char name[kFileNameBytes];
        for (int32_t i = 0; i < pages; ++i) {
            pageFileName(settings, i, name);
            removeFile(name);
            if (settings.pageFormat != Tga32) {
                char copy[kFileNameBytes + 4];
                if (Surface::tgaCopyName(name, copy, sizeof copy)) removeFile(copy);
            }
        }
    }

    const RunWindow& window;
    GenerationSettings& settings;
    GlyphOptions& options;
    const CharacterList& characters;
    WorkTables& tables;
    const PageGeometry geometry;
    DescriptorHeader* header = nullptr;
    int32_t currentPage = 0;
    int32_t glyphCount = 0;
};

}  // namespace

bool FontGenerator::run(const RunWindow& window, GenerationSettings& settings,
                        const CharacterList& characters, WorkTables& tables) {
    Run run(window, settings, characters, tables);
    return run.execute();
}

void outputFolderOf(const char* inputPath, char folder[kMaxPathBytes]) {
    folder[0] = '\0';
    const char* separator = findLastSeparator(inputPath);
    if (!separator) return;
    size_t length = static_cast<size_t>(separator - inputPath);
    // "C:" alone would mean the drive's current directory, not its root.
    if (length == 0 || inputPath[length - 1] == ':') ++length;
    std::memcpy(folder, inputPath, length);
    folder[length] = '\0';
}
