#include "gfd/text_renderer.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "gfd/page_loader.h"

namespace {

constexpr uint32_t kOpaque = 0xFF000000;

uint32_t pixelOf(Colour colour) {
    return kOpaque | uint32_t{colour.red} << 16 | uint32_t{colour.green} << 8 | colour.blue;
}

// Black on light backgrounds, white on dark ones (by perceived brightness).
uint32_t boxColour(Colour background) {
    const int brightness = (299 * background.red + 587 * background.green + 114 * background.blue) / 1000;
    return brightness >= 128 ? kOpaque : 0xFFFFFFFF;
}

void fillRect(Surface& image, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t pixel) {
    for (int32_t row = y; row < y + height; ++row)
        for (int32_t column = x; column < x + width; ++column) image.setPixel(column, row, pixel);
}

void outline(Surface& image, const MissingBox& box, uint32_t pixel) {
    if (box.width <= 0 || box.height <= 0) return;
    fillRect(image, box.x, box.y, box.width, 1, pixel);
    fillRect(image, box.x, box.y + box.height - 1, box.width, 1, pixel);
    fillRect(image, box.x, box.y, 1, box.height, pixel);
    fillRect(image, box.x + box.width - 1, box.y, 1, box.height, pixel);
}

struct LoadedPage {
    FileIdentity identity;
    std::unique_ptr<Surface> pixels;
};

// The pixels of page `page`, loaded at its first use; a page whose file is
// loaded already shares that copy, so that memory stays within what the
// files hold. nullptr, with the reason, when the page cannot be loaded.
const Surface* pageOf(const Font& font, int32_t page, std::vector<LoadedPage>& loaded, std::string& error) {
    FileIdentity identity = {};
    const bool identified = pageFileIdentity(font, page, &identity);
    for (const LoadedPage& other : loaded)
        if (identified && other.identity == identity) return other.pixels.get();
    loaded.push_back({identity, std::make_unique<Surface>()});
    return loadPage(font, page, *loaded.back().pixels, error) ? loaded.back().pixels.get() : nullptr;
}

}  // namespace

bool renderText(const TextLayout& layout, const Font& font, Colour background, Surface& image,
                std::string& error) {
    if (!image.create(layout.width, layout.height)) {
        error = "an image of " + std::to_string(layout.width) + " x " + std::to_string(layout.height) +
                " pixels cannot be made";
        return false;
    }
    uint32_t* pixels = nullptr;
    int32_t pitch = 0;
    image.lockPixels(&pixels, &pitch);
    std::fill(pixels, pixels + static_cast<size_t>(pitch) * layout.height, pixelOf(background));

    // Cells of neighbouring glyphs can overlap, and blending is not
    // commutative: draw in text order, with each page loaded once.
    std::vector<const Surface*> pages(font.descriptor.header.pageCount, nullptr);
    std::vector<LoadedPage> loaded;
    for (const PlacedCell& cell : layout.cells) {
        const GlyphRecord& r = font.descriptor.records[cell.record];
        const Surface*& page = pages[r.page];
        if (!page) page = pageOf(font, r.page, loaded, error);
        if (!page) return false;
        image.blendRect(cell.x, cell.y, *page, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    for (const MissingBox& box : layout.boxes) outline(image, box, boxColour(background));
    return true;
}
