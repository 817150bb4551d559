// Splits the time of a sampled, outlined 8-bit BMP run over the example
// list into rasterising, effects, layout, reduction and writing, and checks
// that its files equal those of the straightforward algorithms (edge grown
// one pixel per pass, colour reduction with linear searches).
//
//   typekiln_run_bench <character list> <scratch folder>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "effects.h"
#include "font_files.h"
#include "font_generator.h"
#include "glyph_rasterizer_win.h"
#include "image_writers.h"
#include "reference_effects.h"
#include "reference_reduction.h"
#include "test_files.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Timings {
    double rasterising = 0;
    double effects = 0;
};
Timings timings;
bool straightforwardEffects = false;

void rasterize(void* handle, Surface& glyph, GlyphOptions& options, const char* text) {
    auto start = Clock::now();
    const bool drawn = drawGlyphOutline(static_cast<HWND>(handle), glyph, options, text);
    timings.rasterising += secondsSince(start);
    if (!drawn) return;
    start = Clock::now();
    if (straightforwardEffects) {
        referenceApplyEdge(options, glyph);
    } else {
        applyEdge(options, glyph);
    }
    applyBevel(options, glyph);
    timings.effects += secondsSince(start);
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

// Settings of the measured run: 32-pixel glyphs drawn at 4 x, a 2-pixel
// black outline, 1024 x 1024 pages, 8-bit BMP.
void measuredSettings(GenerationSettings& settings, const std::string& list, int32_t format) {
    setStartupSettings(settings);
    std::snprintf(settings.inputPath, sizeof settings.inputPath, "%s", list.c_str());
    settings.pageWidthIndex = 3;
    settings.pageHeightIndex = 3;
    settings.pageFormat = format;
    settings.glyphOptions.size = 32;
    settings.glyphOptions.sample = 4;
    settings.glyphOptions.edgeOn = 1;
    settings.glyphOptions.edgeSize = 2;
}

// One run in `folder` on a copy of the list; returns its wall time.
double timedRun(const std::string& list, const std::string& folder, int32_t format, WorkTables& tables,
                CharacterList& characters) {
    const std::string copy = folder + "\\chars.txt";
    require(CopyFileA(list.c_str(), copy.c_str(), FALSE), "copying the character list");
    static GenerationSettings settings;
    measuredSettings(settings, copy, format);
    require(characters.load(copy.c_str()), "loading the character list");
    timings = {};
    const RunWindow window = {GetDesktopWindow(), rasterize, ignoreProgress, ignoreStep, printFailure};
    const auto start = Clock::now();
    require(FontGenerator::run(window, settings, characters, tables), "the run");
    return secondsSince(start);
}

std::string pageName(const char* format, int page) {
    char name[64];
    std::snprintf(name, sizeof name, format, page);
    return name;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: typekiln_run_bench <character list> <scratch folder>\n");
        return 2;
    }
    const std::string list = argv[1];
    const std::string scratch = argv[2];
    WorkTables tables{};
    require(reserveWorkTables(tables), "reserving the work tables");
    auto characters = std::make_unique<CharacterList>();

    const std::string fast = scratch + "\\fast";
    const std::string noImages = scratch + "\\no-images";
    const std::string plain = scratch + "\\straightforward";
    for (const std::string& folder : {fast, noImages, plain}) CreateDirectoryA(folder.c_str(), nullptr);

    // The same run without page images shows what writing them costs.
    const double total = timedRun(list, fast, Bmp8, tables, *characters);
    const Timings fastTimings = timings;
    const double restWithImages = total - timings.rasterising - timings.effects;
    const double withoutImages = timedRun(list, noImages, 5, tables, *characters);
    const double restWithoutImages = withoutImages - timings.rasterising - timings.effects;
    const FontDescriptor descriptor = parseDescriptor(readFileBytes(fast + "\\font.gfd"));

    // Reduction, measured on pages of the run's size and number.
    Surface page;
    GlyphOptions options;
    setStartupGlyphOptions(options);
    options.sample = 4;
    auto start = Clock::now();
    for (int p = 0; p < descriptor.pageCount; ++p) {
        require(page.create(1024 * 4, 1024 * 4), "a sampled page");
        page.clear();  // touch every pixel, as a filled page is
        reduceSamples(page, options);
    }
    const double reduction = secondsSince(start);
    const double writing = restWithImages - restWithoutImages;

    std::printf("characters %d, pages %d\n", characters->count(), descriptor.pageCount);
    std::printf("whole run (no window)  %7.3f s\n", total);
    std::printf("  rasterising (GDI)    %7.3f s\n", fastTimings.rasterising);
    std::printf("  effects (edge)       %7.3f s\n", fastTimings.effects);
    std::printf("  reduction            %7.3f s   (measured apart on pages of the same size)\n", reduction);
    std::printf("  writing              %7.3f s   (colour reduction, BMP and TGA copy)\n", writing);
    std::printf("  layout and the rest  %7.3f s\n", restWithoutImages - reduction);

    // The straightforward run: passes for the edge, 32-bit pages, then the
    // textbook colour reduction and BMP writer on those pages.
    straightforwardEffects = true;
    start = Clock::now();
    timedRun(list, plain, Tga32, tables, *characters);
    bool same = readFileBytes(plain + "\\font.gfd") == readFileBytes(fast + "\\font.gfd");
    for (int p = 0; p < descriptor.pageCount; ++p) {
        const PageImage reduced = parsePageImage(readFileBytes(plain + "\\" + pageName("font_%02d.tga", p)));
        const std::vector<uint8_t> bmp = readFileBytes(fast + "\\" + pageName("font_%02d.bmp", p));
        const int32_t rows = static_cast<int32_t>(readU32(bmp, 22));
        // The TGA holds the page's top rows; the reduction needs the whole page.
        std::vector<uint32_t> pixels(static_cast<size_t>(1024) * 1024, 0);
        std::copy(reduced.pixels.begin(), reduced.pixels.end(), pixels.begin());
        const ReferenceReduction r = referenceReduce(pixels, 1024, 1024, 8);
        same = same && bmp == referenceBmpFile(r, 8, 1024, rows) &&
               readFileBytes(fast + "\\" + pageName("font_%02d.bmp.tga", p)) ==
                   referenceBmpTgaCopy(r, 8, 1024, rows);
    }
    const double straightforward = secondsSince(start);
    std::printf("straightforward run    %7.3f s   (edge effects %.3f s)\n", straightforward, timings.effects);
    std::printf("same bytes (descriptor, BMP pages, TGA copies): %s\n", same ? "yes" : "NO");
    releaseWorkTables(tables);
    return same ? 0 : 1;
}
