// Typekiln runs under Wine, in process, for scripts/bench.sh:
//
//   typekiln_run_bench split <folder> <list> <options...>
//       one run with the given batch options into <folder>, and where its
//       time went: GDI rasterising and the effects (seconds summed over the
//       drawing threads), layout, band reduction and writing (seconds of the
//       run's own thread), with the GDI time per glyph and the speed of the
//       reduction over the sampled pages;
//   typekiln_run_bench check <folder> <list> <options...>
//       the same settings run the straightforward way (one glyph at a time,
//       device context and font per glyph, outline grown one pixel per pass,
//       extrusion stacked layer by layer, whole sampled pages reduced sample
//       by sample, colour reduction with linear searches) and its files
//       compared byte for byte with those Typekiln.exe wrote into <folder>.
//
// <list> is the character list as Typekiln.exe was given it; the options are
// Typekiln.exe's. Prints figures; exits 1 when the files differ.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/effects.h"
#include "engine/font_file_names.h"
#include "engine/font_generator.h"
#include "engine/options.h"
#include "glyphs/glyph_drawing.h"
#include "images/image_writers.h"
#include "tests/support/font_files.h"
#include "tests/support/reference_effects.h"
#include "tests/support/reference_reduction.h"
#include "tests/support/reference_run.h"
#include "tests/test_files/test_files.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Figures from a run that did not happen would mislead: stop instead.
void require(bool done, const char* what) {
    if (!done) {
        std::fprintf(stderr, "typekiln_run_bench: %s failed\n", what);
        std::exit(1);
    }
}

void ignoreProgress(void*, int32_t) {}
void ignoreStep(void*) {}
void printFailure(void*, const char* message) {
    std::printf("run failed: %s\n", message);
}
void reportEmptyGlyph(void*, const char*) {
    std::printf("a character without an image\n");
}
void ignorePages(void*, int32_t) {}

// Microseconds summed over the drawing threads.
std::atomic<int64_t> rasterisingMicroseconds{0};
std::atomic<int64_t> effectsMicroseconds{0};

void addSince(std::atomic<int64_t>& total, Clock::time_point start) {
    total += std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
}

GlyphOutcome drawTimed(void* drawer, Surface& glyph, GlyphOptions& options, const char* text) {
    auto start = Clock::now();
    const GlyphOutcome outcome = drawGlyphOutline(*static_cast<GlyphFont*>(drawer), glyph, options, text);
    addSince(rasterisingMicroseconds, start);
    if (outcome != GlyphOutcome::Drawn) return outcome;
    start = Clock::now();
    const bool applied = applyEffects(options, glyph);
    addSince(effectsMicroseconds, start);
    return applied ? GlyphOutcome::Drawn : GlyphOutcome::OutOfMemory;
}

// The straightforward drawing: a font of its own for every glyph, then the
// effects pass by pass and layer by layer.
void* openFontPerGlyph(void* window, GlyphOptions&, const char**) {
    return window;
}
void closeFontPerGlyph(void*) {}
GlyphOutcome drawStraightforward(void*, Surface& glyph, GlyphOptions& options, const char* text) {
    const GlyphFontOpening opening = openGlyphFont(options);
    require(opening.font != nullptr, "opening the glyph font");
    const GlyphOutcome outcome = drawGlyphOutline(*opening.font, glyph, options, text);
    closeGlyphFont(opening.font);
    if (outcome != GlyphOutcome::Drawn) return outcome;
    referenceApplyEdge(options, glyph);
    referenceApplyBevel(options, glyph);
    return GlyphOutcome::Drawn;
}

// The settings of Typekiln.exe started with `list` and the options, the
// list copied into `folder` so that the outputs land there.
void settingsFor(GenerationSettings& settings, const std::string& folder, const std::string& list, int count,
                 char** options, CharacterList& characters) {
    const std::string copy = folder + "\\" + list.substr(list.find_last_of("\\/") + 1);
    CopyFileA(list.c_str(), copy.c_str(), FALSE);
    std::vector<const char*> arguments = {"Typekiln", copy.c_str()};
    for (int i = 0; i < count; ++i) arguments.push_back(options[i]);
    setStartupSettings(settings);
    parseOptions(settings, static_cast<int>(arguments.size()), arguments.data());
    require(characters.load(settings.inputPath), "loading the character list");
}

std::string pageFile(const GenerationSettings& settings, int page, PageImageType type) {
    return pageImageName(pageName(settings.outName, page), type);
}

int split(const std::string& folder, const std::string& list, int count, char** options) {
    static GenerationSettings settings;
    auto characters = std::make_unique<CharacterList>();
    settingsFor(settings, folder, list, count, options, *characters);
    WorkTables tables{};
    require(reserveWorkTables(tables), "reserving the work tables");
    const RunWindow window = {
        GetDesktopWindow(), 0,          openRunDrawer, closeRunDrawer, drawTimed, reportEmptyGlyph,
        ignoreProgress,     ignoreStep, ignorePages,   printFailure};
    FontGenerator::Times times;
    const auto start = Clock::now();
    require(FontGenerator::run(window, settings, *characters, tables, &times), "the run");
    const double total = secondsSince(start);
    releaseWorkTables(tables);

    const FontDescriptor d =
        parseDescriptor(readFileBytes(folder + "\\" + descriptorFileName(settings.outName)));
    const GlyphOptions& o = settings.glyphOptions;
    const double sampledBytes = 4.0 * pageSizes[settings.pageWidthIndex] *
                                pageSizes[settings.pageHeightIndex] * o.sample * o.sample * d.pageCount;
    const double rasterising = rasterisingMicroseconds / 1e6;
    std::printf("  characters %d, pages %d, drawing threads %u\n", characters->count(), d.pageCount,
                std::thread::hardware_concurrency());
    std::printf("  whole run in process   %7.3f s\n", total);
    std::printf("  rasterising (GDI)      %7.3f s over the threads, %.3f ms a glyph\n", rasterising,
                1e3 * rasterising / characters->count());
    std::printf("  effects                %7.3f s over the threads\n", effectsMicroseconds / 1e6);
    std::printf("  layout                 %7.3f s\n", times.layout);
    std::printf("  reduction              %7.3f s, %.0f MB of sampled pages at %.2f GB/s\n", times.reduction,
                sampledBytes / 1e6, sampledBytes / 1e9 / times.reduction);
    std::printf("  writing                %7.3f s\n", times.writing);
    std::printf("  waiting for glyphs     %7.3f s\n", times.waitingForGlyphs);
    return 0;
}

int check(const std::string& folder, const std::string& list, int count, char** options) {
    const std::string plain = folder + "\\straightforward";
    CreateDirectoryA(plain.c_str(), nullptr);
    static GenerationSettings settings;
    auto characters = std::make_unique<CharacterList>();
    settingsFor(settings, plain, list, count, options, *characters);
    // 32-bit pages, reduced here with the straightforward colour reduction.
    const int32_t format = settings.pageFormat;
    settings.pageFormat = Tga32;
    const RunWindow window = {GetDesktopWindow(),  1,
                              openFontPerGlyph,    closeFontPerGlyph,
                              drawStraightforward, reportEmptyGlyph,
                              ignoreProgress,      ignoreStep,
                              ignorePages,         printFailure};
    const auto start = Clock::now();
    require(referenceRun(window, settings, *characters), "the straightforward run");

    const std::string gfd = descriptorFileName(settings.outName);
    bool same = readFileBytes(plain + "\\" + gfd) == readFileBytes(folder + "\\" + gfd);
    const FontDescriptor d = parseDescriptor(readFileBytes(plain + "\\" + gfd));
    const int32_t width = pageSizes[settings.pageWidthIndex];
    const int32_t height = pageSizes[settings.pageHeightIndex];
    for (int p = 0; p < d.pageCount; ++p) {
        const std::vector<uint8_t> tga =
            readFileBytes(plain + "\\" + pageFile(settings, p, PageImageType::Tga));
        if (format == Tga32) {
            same = same && tga == readFileBytes(folder + "\\" + pageFile(settings, p, PageImageType::Tga));
            continue;
        }
        const int bits = format == Bmp4 ? 4 : 8;
        const std::string bmpName = folder + "\\" + pageFile(settings, p, PageImageType::Bmp);
        const std::vector<uint8_t> bmp = readFileBytes(bmpName);
        same = same && bmp.size() > 26;
        if (!same) break;
        const int32_t rows = static_cast<int32_t>(readU32(bmp, 22));
        // The TGA holds the page's top rows; the reduction needs the whole page.
        const PageImage reduced = parsePageImage(tga);
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
        for (size_t i = 0; i < reduced.pixels.size(); ++i)
            pixels[i] = reduced.pixels[i] >> 24 ? reduced.pixels[i] : 0;
        const ReferenceReduction r = referenceReduce(pixels, width, height, bits);
        same = same && bmp == referenceBmpFile(r, bits, width, rows) &&
               readFileBytes(tgaCopyName(bmpName)) == referenceBmpTgaCopy(r, bits, width, rows);
    }
    std::printf("  straightforward run %.1f s; same bytes (descriptor and %d pages%s): %s\n",
                secondsSince(start), d.pageCount, format == Tga32 ? "" : " with their TGA copies",
                same ? "yes" : "NO");
    return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: typekiln_run_bench split|check <folder> <list> <options...>\n");
        return 2;
    }
    const std::string mode = argv[1];
    if (mode == "split") return split(argv[2], argv[3], argc - 4, argv + 4);
    if (mode == "check") return check(argv[2], argv[3], argc - 4, argv + 4);
    std::fprintf(stderr, "typekiln_run_bench: unknown mode %s\n", argv[1]);
    return 2;
}
