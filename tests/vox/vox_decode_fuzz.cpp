// Feeds arbitrary bytes to the decoder behind VoxLoad, as a damaged user file
// would arrive, and again with every page's checksum made right, so that
// mutations inside pages get past the page check into the Vorbis decoder.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ogg_decoder.h"
#include "ogg_page_editing.h"

namespace {
// Small enough that no input can push the fuzzer to its memory limit.
constexpr size_t kMaxPcmBytes = 16u << 20;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedSound sound;
    decodeOggVorbis(data, size, kMaxPcmBytes, sound);

    std::vector<unsigned char> repaired(data, data + size);
    repairChecksums(repaired);
    decodeOggVorbis(repaired.data(), repaired.size(), kMaxPcmBytes, sound);
    return 0;
}
