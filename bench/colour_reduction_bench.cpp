// Times the colour reduction and 8-bit BMP write of one 2048 x 2048 page with
// thousands of distinct colours, the product's fast path against the
// straightforward algorithm, and checks that both give the same bytes.
//
//   colour_reduction_bench [folder]     (files are written there; default: current folder)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "engine/font_file_names.h"
#include "images/image_writers.h"
#include "images/surface.h"
#include "tests/support/reference_reduction.h"
#include "tests/test_files/test_files.h"

namespace {

constexpr int kSize = 2048;

// A page that looks like anti-aliased glyphs in many colours: mostly
// transparent, with runs of partly and fully covered pixels in 400 colours,
// which alpha quantisation turns into a few thousand distinct values.
std::vector<uint32_t> makePage() {
    std::mt19937 random(1);
    std::uniform_int_distribution<uint32_t> rgb(0, 0xFFFFFF);
    std::vector<uint32_t> inks(400);
    for (auto& ink : inks) ink = rgb(random);
    std::uniform_int_distribution<size_t> pick(0, inks.size() - 1);
    std::uniform_int_distribution<int> coin(0, 99);
    std::uniform_int_distribution<uint32_t> alpha(1, 255);
    std::uniform_int_distribution<int> run(1, 24);
    std::vector<uint32_t> pixels(static_cast<size_t>(kSize) * kSize, 0);
    for (size_t i = 0; i < pixels.size();) {
        int length = run(random);
        uint32_t value = coin(random) < 45 ? alpha(random) << 24 | inks[pick(random)] : 0;
        for (int k = 0; k < length && i < pixels.size(); ++k) pixels[i++] = value;
    }
    return pixels;
}

// The write leaves the page's pixels quantised: their distinct values are
// the reduction's colours.
size_t distinctValues(const uint32_t* pixels, size_t count) {
    std::vector<uint32_t> values(pixels, pixels + count);
    std::sort(values.begin(), values.end());
    return static_cast<size_t>(std::unique(values.begin(), values.end()) - values.begin());
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : "";
    const std::vector<uint32_t> pixels = makePage();

    Surface page;
    page.create(kSize, kSize);
    uint32_t* target = nullptr;
    int32_t pitch = 0;
    page.lockPixels(&target, &pitch);
    std::copy(pixels.begin(), pixels.end(), target);

    auto start = std::chrono::steady_clock::now();
    const std::string fastName = folder + "bench_fast.bmp";
    const std::string fastCopyName = tgaCopyName(fastName);
    if (!writeBmp8(page, fastName.c_str(), fastCopyName.c_str(), 0)) {
        std::fprintf(stderr, "writing %s failed\n", fastName.c_str());
        return 1;
    }
    const double fast = secondsSince(start);
    std::printf("page %d x %d, %zu distinct colours after alpha quantisation\n", kSize, kSize,
                distinctValues(target, pixels.size()));
    std::printf("fast path:          %8.3f s  (reduction, index image, BMP and TGA copy)\n", fast);
    std::fflush(stdout);

    start = std::chrono::steady_clock::now();
    const ReferenceReduction reference = referenceReduce(pixels, kSize, kSize, 8);
    const std::vector<uint8_t> bmp = referenceBmpFile(reference, 8, kSize, kSize);
    const std::vector<uint8_t> copy = referenceBmpTgaCopy(reference, 8, kSize, kSize);
    writeFileBytes(folder + "bench_reference.bmp", std::string(bmp.begin(), bmp.end()));
    writeFileBytes(tgaCopyName(folder + "bench_reference.bmp"), std::string(copy.begin(), copy.end()));
    const double straightforward = secondsSince(start);
    std::printf("straightforward:    %8.3f s\n", straightforward);
    std::printf("speed-up:           %8.1f x\n", straightforward / fast);

    const bool same = readFileBytes(fastName) == bmp && readFileBytes(fastCopyName) == copy;
    std::printf("same bytes:         %s\n", same ? "yes" : "NO");
    return same ? 0 : 1;
}
