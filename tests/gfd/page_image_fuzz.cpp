// Reads arbitrary bytes as the image file of a page of any size a font can
// have: never a crash, no pixels allocated beyond what the bytes hold, and
// what is accepted keeps the loader's promises.
#include <cstdint>
#include <iterator>
#include <string>

#include "engine/generation_settings.h"
#include "gfd/page_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kSizeCount = std::size(pageSizes);
    if (size < 2) return 0;
    // The first two bytes choose the page's width and height.
    const int32_t width = pageSizes[data[0] % kSizeCount];
    const int32_t height = pageSizes[data[1] % kSizeCount];
    Surface pixels;
    std::string reason;
    if (!decodePageImage(data + 2, size - 2, width, height, pixels, reason)) {
        if (reason.empty() || pixels.getWidth() != 0) __builtin_trap();
        return 0;
    }
    const size_t pixelBytes = size_t{4} * pixels.getWidth() * pixels.getHeight();
    if (pixels.getWidth() != width || pixels.getHeight() > height || pixelBytes > size - 2) __builtin_trap();
    return 0;
}
