#include "tests/support/fake_run_window.h"

#include "engine/effects.h"
#include "engine/shift_jis.h"

namespace {

FakeRunWindow& fakeOf(void* handle) {
    return *static_cast<FakeRunWindow*>(handle);
}

FakeRunWindow::Glyph defaultGlyph(uint16_t, const GlyphOptions& options) {
    return {10 * options.sample, 20 * options.sample, 2 * options.sample, options.sample, -options.sample};
}

void* openDrawer(void* handle, GlyphOptions&, const char**) {
    return handle;
}

void closeDrawer(void*) {}

// A pixel of a patterned glyph: a hash of the code and the position picks
// a hole (about one in four) or one of three colours.
uint32_t patternPixel(uint16_t code, int32_t x, int32_t y, uint32_t body) {
    uint32_t h = (code * 0x9E3779B1u) ^ (static_cast<uint32_t>(x) * 0x85EBCA6Bu) ^
                 (static_cast<uint32_t>(y) * 0xC2B2AE35u);
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    const uint32_t colours[4] = {0, body, 0xFF20C040u, 0xFF4060E0u};
    return colours[h % 4];
}

GlyphOutcome drawGlyph(void* drawer, Surface& glyph, GlyphOptions& options, const char* text) {
    const FakeRunWindow& fake = fakeOf(drawer);
    const uint16_t code = characterCode(text);
    const FakeRunWindow::Glyph g = (fake.glyphFor ? fake.glyphFor : defaultGlyph)(code, options);
    options.abc = {g.abcA, static_cast<uint32_t>(g.width), g.abcC};
    if (g.width <= 0) return GlyphOutcome::Empty;
    if (!glyph.create(g.width, g.height)) return GlyphOutcome::OutOfMemory;
    options.topOffset = g.topOffset;
    const uint32_t body = pixelFromPackedColour(options.color, 255);
    for (int32_t y = 0; y < g.height; ++y)
        for (int32_t x = 0; x < g.width; ++x)
            glyph.setPixel(x, y, fake.patterned ? patternPixel(code, x, y, body) : body);
    return applyEffects(options, glyph) ? GlyphOutcome::Drawn : GlyphOutcome::OutOfMemory;
}

void reportEmptyGlyph(void* handle, const char*) {
    ++fakeOf(handle).emptyGlyphs;
}

void setProgressRange(void* handle, int32_t count) {
    fakeOf(handle).progressRange = count;
}

void stepProgress(void* handle) {
    ++fakeOf(handle).progressSteps;
}

void reportPageWritten(void* handle, int32_t written) {
    fakeOf(handle).pagesWritten = written;
}

void reportFailure(void* handle, const char* message) {
    fakeOf(handle).failures.push_back(message);
}

}  // namespace

RunWindow FakeRunWindow::window() {
    return {this,
            drawingThreads,
            openDrawer,
            closeDrawer,
            drawGlyph,
            reportEmptyGlyph,
            setProgressRange,
            stepProgress,
            reportPageWritten,
            reportFailure};
}
