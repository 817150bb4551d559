// Reads arbitrary bytes as a font descriptor and looks for its damage: never
// a crash, and what is accepted keeps the reader's promises.
#include <cstdint>
#include <memory>

#include "gfd/descriptor_reader.h"
#include "gfd/font_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto descriptor = std::make_unique<DescriptorFile>();
    std::string error;
    if (!readDescriptorBytes(data, size, *descriptor, error)) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    const DescriptorHeader& header = descriptor->header;
    if (descriptor->pageNames.size() != header.pageCount || descriptor->records.size() != header.glyphCount)
        __builtin_trap();
    for (const std::string& name : descriptor->pageNames)
        if (name.size() > kPageNameBytes || name.find('\0') != std::string::npos) __builtin_trap();
    for (const Finding& finding : findDescriptorDamage(*descriptor))
        if (finding.text.empty()) __builtin_trap();
    return 0;
}
