#include "engine/sampled_page.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/reference_effects.h"
#include "tests/support/surface_pixels.h"

namespace {

// A glyph with holes and runs of a few colours, some pixels partly covered.
void drawGlyph(std::mt19937& random, int32_t width, int32_t height, Surface& glyph) {
    const uint32_t inks[] = {0, 0, 0xFFFFFFFFu, 0xFF203040u, 0x80C08040u};
    glyph.create(width, height);
    for (int32_t y = 0; y < height; ++y) {
        uint32_t ink = 0;
        for (int32_t x = 0; x < width; ++x) {
            if (random() % 4 == 0) ink = inks[random() % 5];
            glyph.setPixel(x, y, ink);
        }
    }
}

// A sampled page, and beside it the whole sampled surface that copying the
// same glyphs onto it makes: the reference the page's reduction must match.
struct PageAndWhole {
    SampledPage page;
    Surface whole;
    GlyphRuns runs;

    PageAndWhole(int32_t width, int32_t height) {
        page.open(width, height);
        whole.create(width, height);
    }

    // False when the page cannot keep the glyph.
    bool place(int32_t x, int32_t y, const Surface& glyph) {
        if (!runs.encode(glyph) || !page.place(x, y, runs)) return false;
        whole.copyRect(x, y, glyph, 0, 0, glyph.getWidth(), glyph.getHeight());
        return true;
    }

    // Reduces the page into `reduced`, and the whole surface in place the
    // straightforward way.
    bool reduce(int32_t sample, Surface& reduced) {
        GlyphOptions options{};
        options.sample = sample;
        referenceReduceSamples(whole, options);
        return page.reduceInto(sample, reduced);
    }
};

}  // namespace

// Glyphs placed anywhere, overlapping each other and the page's edges, give
// the page that copying them onto a whole sampled page and reducing it gives.
TEST(SampledPage, ReducesBandByBandAsTheWholePageWould) {
    std::mt19937 random(21);
    for (int32_t sample : {1, 2, 3, 5}) {
        const int32_t width = 24 * sample;
        const int32_t height = 16 * sample;
        PageAndWhole pages(width, height);
        for (int i = 0; i < 12; ++i) {
            Surface glyph;
            drawGlyph(random, 1 + random() % (10 * sample), 1 + random() % (10 * sample), glyph);
            const int32_t x = static_cast<int32_t>(random() % (width + 8 * sample)) - 4 * sample;
            const int32_t y = static_cast<int32_t>(random() % (height + 8 * sample)) - 4 * sample;
            ASSERT_TRUE(pages.place(x, y, glyph));
        }
        Surface reduced;
        ASSERT_TRUE(pages.reduce(sample, reduced));
        ASSERT_EQ(reduced.getWidth(), 24);
        ASSERT_EQ(reduced.getHeight(), 16);
        // With sample 1 nothing is reduced; only the colour of transparent pixels may differ.
        std::vector<uint32_t> expected = pixelsOf(pages.whole);
        for (uint32_t& p : expected) p = p >> 24 ? p : 0;
        EXPECT_EQ(pixelsOf(reduced), expected) << "sample " << sample;
        EXPECT_EQ(pages.page.glyphCount(), 0);  // forgotten once reduced
    }
}

// Glyphs of a run in every other column keep far more than one chunk of
// the page's store (4 MB) busy: the chunks hold them all, and all of them go
// back once the page is reduced (the sanitizers see a leak or a late read).
TEST(SampledPage, GlyphsSpreadOverSeveralChunksReduceAsOnePage) {
    PageAndWhole pages(2048, 128);
    for (int32_t i = 0; i < 24; ++i) {
        Surface glyph;
        glyph.create(2000, 64);
        for (int32_t y = 0; y < glyph.getHeight(); ++y) {
            for (int32_t x = (y + i) % 2; x < glyph.getWidth(); x += 2)
                glyph.setPixel(x, y, 0xFF000000u | static_cast<uint32_t>(i) * 0x0A0B0C);
        }
        ASSERT_TRUE(pages.place(i, 2 * i, glyph));
    }
    Surface reduced;
    ASSERT_TRUE(pages.reduce(2, reduced));
    EXPECT_EQ(pixelsOf(reduced), pixelsOf(pages.whole));
    EXPECT_EQ(pages.page.glyphCount(), 0);
}

TEST(GlyphRuns, KeepCoveredPixelsAsRunsOfOneValuePerRow) {
    Surface glyph;
    glyph.create(6, 2);
    const uint32_t row0[6] = {0, 0xFF000001u, 0xFF000001u, 0x01000001u, 0, 0xFF000001u};
    for (int x = 0; x < 6; ++x) glyph.setPixel(x, 0, row0[x]);
    GlyphRuns runs;
    ASSERT_TRUE(runs.encode(glyph));
    ASSERT_EQ(runs.height(), 2);
    ASSERT_EQ(runs.runCount(), 3);  // the second row is empty
    EXPECT_EQ(runs.rowStarts()[1], 3u);
    EXPECT_EQ(runs.rowStarts()[2], 3u);
    const PixelRun expected[3] = {{1, 2, 0xFF000001u}, {3, 1, 0x01000001u}, {5, 1, 0xFF000001u}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(runs.runs()[i].x, expected[i].x);
        EXPECT_EQ(runs.runs()[i].length, expected[i].length);
        EXPECT_EQ(runs.runs()[i].value, expected[i].value);
    }
    Surface empty;
    ASSERT_TRUE(runs.encode(empty));
    EXPECT_EQ(runs.width() + runs.height() + runs.runCount(), 0);
}
