#include "gfd/descriptor_reader.h"

#include <cstring>

#include "gfd/wording.h"
#include "platform/file_system.h"

namespace {

uint32_t read16(const uint8_t* at) {
    return at[0] | at[1] << 8;
}

std::string byteCount(uint64_t bytes) {
    return counted(bytes, "byte", "bytes");
}

void decodeHeader(const uint8_t* bytes, DescriptorHeader& header) {
    std::memcpy(header.magic, bytes, sizeof header.magic);
    header.fontSize = bytes[4];
    header.pageCount = bytes[5];
    header.pageWidth = static_cast<uint16_t>(read16(bytes + 6));
    header.pageHeight = static_cast<uint16_t>(read16(bytes + 8));
    header.glyphCount = static_cast<uint16_t>(read16(bytes + 10));
    for (int32_t slot = 0; slot < kSlotCount; ++slot)
        header.slots[slot] = static_cast<uint16_t>(read16(bytes + 12 + 2 * slot));
}

GlyphRecord decodeRecord(const uint8_t* at) {
    GlyphRecord record;
    record.page = at[0];
    record.leftBearing = static_cast<int8_t>(at[1]);
    record.cellWidth = at[2];
    record.rightBearing = static_cast<int8_t>(at[3]);
    record.left = static_cast<int16_t>(read16(at + 4));
    record.top = static_cast<int16_t>(read16(at + 6));
    record.right = static_cast<int16_t>(read16(at + 8));
    record.bottom = static_cast<int16_t>(read16(at + 10));
    return record;
}

}  // namespace

bool decodeDescriptor(const uint8_t* bytes, size_t size, DescriptorFile& descriptor, std::string& error) {
    if (size < 4 || std::memcmp(bytes, "GFD", 4) != 0) {
        error = "not a font descriptor: it does not start with \"GFD\"";
        return false;
    }
    if (size < size_t{kDescriptorHeaderBytes}) {
        error = "truncated: " + byteCount(size) + ", shorter than the " + byteCount(kDescriptorHeaderBytes) +
                " of the header";
        return false;
    }
    DescriptorHeader& header = descriptor.header;
    decodeHeader(bytes, header);
    const size_t expected = descriptorFileSize(header.pageCount, header.glyphCount);
    if (size != expected) {
        error = (size < expected ? "truncated: " : "too long: ") + byteCount(size) + " where " +
                counted(header.pageCount, "page", "pages") + " and " +
                counted(header.glyphCount, "glyph", "glyphs") + " take " + byteCount(expected);
        return false;
    }

    const uint8_t* names = bytes + kDescriptorHeaderBytes;
    descriptor.pageNames.clear();
    for (uint32_t page = 0; page < header.pageCount; ++page) {
        const char* field = reinterpret_cast<const char*>(names + kPageNameBytes * page);
        descriptor.pageNames.emplace_back(field, strnlen(field, kPageNameBytes));
    }
    const uint8_t* records = names + size_t{kPageNameBytes} * header.pageCount;
    descriptor.records.resize(header.glyphCount);
    for (uint32_t i = 0; i < header.glyphCount; ++i)
        descriptor.records[i] = decodeRecord(records + size_t{kGlyphRecordBytes} * i);
    return true;
}

bool readDescriptorFile(const char* name, DescriptorFile& descriptor, std::string& error) {
    uint64_t size = 0;
    if (!getFileSize(name, &size)) {
        error = "cannot be opened";
        return false;
    }
    if (size > kMaxDescriptorBytes) {
        error = "too long: " + byteCount(size) + ", more than any font descriptor (" +
                byteCount(kMaxDescriptorBytes) + ")";
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!readFileStart(name, bytes.data(), bytes.size())) {
        error = "cannot be read";
        return false;
    }
    return decodeDescriptor(bytes.data(), bytes.size(), descriptor, error);
}

int32_t recordOfCode(const DescriptorFile& descriptor, uint16_t code) {
    const int32_t slot = characterSlot(code);
    if (slot == kNoSlot) return -1;
    const uint16_t glyph = descriptor.header.slots[slot];
    return glyph < descriptor.records.size() ? glyph : -1;
}
