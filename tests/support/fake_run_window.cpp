#include "fake_run_window.h"

#include "shift_jis.h"

namespace {

FakeRunWindow& fakeOf(void* handle) {
    return *static_cast<FakeRunWindow*>(handle);
}

FakeRunWindow::Glyph defaultGlyph(uint16_t, const GlyphOptions& options) {
    return {10 * options.sample, 20 * options.sample, 2 * options.sample, options.sample, -options.sample};
}

void rasterize(void* handle, Surface& glyph, GlyphOptions& options, const char* text) {
    FakeRunWindow& fake = fakeOf(handle);
    const FakeRunWindow::Glyph g =
        (fake.glyphFor ? fake.glyphFor : defaultGlyph)(characterCode(text), options);
    options.abc = {g.abcA, static_cast<uint32_t>(g.width), g.abcC};
    options.topOffset = g.topOffset;
    if (!glyph.create(g.width, g.height)) return;
    const uint32_t body = pixelFromPackedColour(options.color, 255);
    for (int32_t y = 0; y < g.height; ++y)
        for (int32_t x = 0; x < g.width; ++x) glyph.setPixel(x, y, body);
}

void setProgressRange(void* handle, int32_t count) {
    fakeOf(handle).progressRange = count;
}

void stepProgress(void* handle) {
    ++fakeOf(handle).progressSteps;
}

void reportFailure(void* handle, const char* message) {
    fakeOf(handle).failures.push_back(message);
}

}  // namespace

RunWindow FakeRunWindow::window() {
    return {this, rasterize, setProgressRange, stepProgress, reportFailure};
}
