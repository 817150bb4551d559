#include "engine/descriptor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/generation_settings.h"
#include "engine/shift_jis.h"
#include "platform/file_system.h"

int32_t characterSlot(uint16_t code) {
    for (const SlotRange& range : kSlotRanges) {
        if (code >= range.first && code <= range.last) return code - range.offset;
    }
    return kNoSlot;
}

void clearDescriptorHeader(DescriptorHeader& header) {
    std::memset(&header, 0, sizeof header);
    std::memcpy(header.magic, "GFD", 4);
    for (uint16_t& slot : header.slots) slot = kEmptySlot;
}

void formatPageName(const char* outName, int32_t page, char field[kPageNameBytes]) {
    const char* separator = findLastSeparator(outName);
    const char* baseName = separator ? separator + 1 : outName;
    char name[kMaxPathBytes + 16];
    std::snprintf(name, sizeof name, "%s_%02d", baseName, page);
    std::memset(field, 0, kPageNameBytes);
    std::memcpy(field, name, std::min<size_t>(std::strlen(name), kPageNameBytes));
}

bool encodeDescriptor(const DescriptorHeader& header, const char* outName, const GlyphRecord* records,
                      ByteBuffer& out) {
    if (!reserveBytes(out, descriptorFileSize(header.pageCount, header.glyphCount))) return false;

    putBytes(out, header.magic, sizeof header.magic);
    put8(out, header.fontSize);
    put8(out, header.pageCount);
    put16(out, header.pageWidth);
    put16(out, header.pageHeight);
    put16(out, header.glyphCount);
    for (uint16_t slot : header.slots) put16(out, slot);

    for (int32_t page = 0; page < header.pageCount; ++page) {
        char field[kPageNameBytes];
        formatPageName(outName, page, field);
        putBytes(out, field, sizeof field);
    }

    for (int32_t i = 0; i < header.glyphCount; ++i) {
        const GlyphRecord& r = records[i];
        put8(out, r.page);
        put8(out, static_cast<uint8_t>(r.leftBearing));
        put8(out, r.cellWidth);
        put8(out, static_cast<uint8_t>(r.rightBearing));
        put16(out, static_cast<uint16_t>(r.left));
        put16(out, static_cast<uint16_t>(r.top));
        put16(out, static_cast<uint16_t>(r.right));
        put16(out, static_cast<uint16_t>(r.bottom));
    }
    return isComplete(out);
}

bool writeDescriptor(const char* fileName, const DescriptorHeader& header, const char* outName,
                     const GlyphRecord* records) {
    ByteBuffer bytes;
    return encodeDescriptor(header, outName, records, bytes) &&
           writeWholeFile(fileName, bytes.bytes.get(), bytes.size);
}
