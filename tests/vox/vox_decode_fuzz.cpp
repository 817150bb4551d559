// Feeds arbitrary bytes to the decoder behind VoxLoad and VoxPlay, as a
// damaged user file would arrive, and again with every page's checksum made
// right, so that mutations inside pages get past the page check into the
// Vorbis decoder. LeakSanitizer watches what the library allocates on the
// way.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/vox/decoded_sound.h"
#include "tests/vox/ogg_page_editing.h"

namespace {
// Enough to play through every chained stream a small input can hold, small
// enough that no input keeps the fuzzer long.
constexpr size_t kMaxPcmBytes = 16u << 20;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<unsigned char> bytes(data, data + size);
    decodeWhole(bytes, kMaxPcmBytes);
    repairChecksums(bytes);
    decodeWhole(bytes, kMaxPcmBytes);
    return 0;
}
