#include "engine/descriptor.h"

#include <algorithm>
#include <cstring>

#include "engine/font_file_names.h"
#include "engine/shift_jis.h"
#include "platform/file_system.h"

namespace {

// The fields of the header and of a record in file order, the one list that
// both the writer and the reader walk: `fields` is handed each field in
// turn, and the field's type gives its width.
template <typename Fields, typename... Field>
constexpr void inOrder(Fields& fields, Field&... field) {
    (fields(field), ...);
}

template <typename Fields, typename Header>
constexpr void headerFields(Fields& fields, Header& header) {
    inOrder(fields, header.magic, header.fontSize, header.pageCount, header.pageWidth, header.pageHeight,
            header.glyphCount);
    for (auto& slot : header.slots) fields(slot);
}

template <typename Fields, typename Record>
constexpr void recordFields(Fields& fields, Record& record) {
    inOrder(fields, record.page, record.leftBearing, record.cellWidth, record.rightBearing, record.left,
            record.top, record.right, record.bottom);
}

struct FieldWidths {
    size_t total = 0;
    template <typename Field>
    constexpr void operator()(const Field& field) {
        total += sizeof field;
    }
};

constexpr size_t headerWidth() {
    FieldWidths widths;
    const DescriptorHeader header{};
    headerFields(widths, header);
    return widths.total;
}

constexpr size_t recordWidth() {
    FieldWidths widths;
    const GlyphRecord record{};
    recordFields(widths, record);
    return widths.total;
}

static_assert(headerWidth() == kDescriptorHeaderBytes, "the header's fields fill its bytes");
static_assert(recordWidth() == kGlyphRecordBytes, "a record's fields fill its bytes");

// Puts each field little-endian.
struct FieldWriter {
    ByteBuffer& out;
    void operator()(const char (&magic)[4]) { putBytes(out, magic, sizeof magic); }
    void operator()(uint8_t value) { put8(out, value); }
    void operator()(int8_t value) { put8(out, static_cast<uint8_t>(value)); }
    void operator()(uint16_t value) { put16(out, value); }
    void operator()(int16_t value) { put16(out, static_cast<uint16_t>(value)); }
};

// Takes each field little-endian from `at` on; the caller has made sure the
// bytes are there.
struct FieldReader {
    const uint8_t* at;
    void operator()(char (&magic)[4]) {
        std::memcpy(magic, at, sizeof magic);
        at += sizeof magic;
    }
    void operator()(uint8_t& value) { value = *at++; }
    void operator()(int8_t& value) { value = static_cast<int8_t>(*at++); }
    void operator()(uint16_t& value) {
        value = static_cast<uint16_t>(at[0] | at[1] << 8);
        at += 2;
    }
    void operator()(int16_t& value) {
        uint16_t bits;
        (*this)(bits);
        value = static_cast<int16_t>(bits);
    }
};

}  // namespace

int32_t characterSlot(uint16_t code) {
    for (const SlotRange& range : kSlotRanges) {
        if (code >= range.first && code <= range.last) return code - range.offset;
    }
    return kNoSlot;
}

void clearDescriptorHeader(DescriptorHeader& header) {
    std::memset(&header, 0, sizeof header);
    std::memcpy(header.magic, kDescriptorMagic, sizeof header.magic);
    for (uint16_t& slot : header.slots) slot = kEmptySlot;
}

void formatPageName(const char* outName, int32_t page, char field[kPageNameBytes]) {
    const char* separator = findLastSeparator(outName);
    const std::string name = pageName(separator ? separator + 1 : outName, page);
    std::memset(field, 0, kPageNameBytes);
    std::memcpy(field, name.data(), std::min<size_t>(name.size(), kPageNameBytes));
}

bool encodeDescriptor(const DescriptorHeader& header, const char* outName, const GlyphRecord* records,
                      ByteBuffer& out) {
    if (!reserveBytes(out, descriptorFileSize(header.pageCount, header.glyphCount))) return false;
    FieldWriter writer{out};
    headerFields(writer, header);
    for (int32_t page = 0; page < header.pageCount; ++page) {
        char field[kPageNameBytes];
        formatPageName(outName, page, field);
        putBytes(out, field, sizeof field);
    }
    for (int32_t i = 0; i < header.glyphCount; ++i) recordFields(writer, records[i]);
    return isComplete(out);
}

bool writeDescriptor(const char* fileName, const DescriptorHeader& header, const char* outName,
                     const GlyphRecord* records) {
    ByteBuffer bytes;
    return encodeDescriptor(header, outName, records, bytes) &&
           writeWholeFile(fileName, bytes.bytes.get(), bytes.size);
}

DescriptorDecoding decodeDescriptor(const uint8_t* bytes, size_t size, DescriptorFile& descriptor) {
    if (size < sizeof kDescriptorMagic || std::memcmp(bytes, kDescriptorMagic, sizeof kDescriptorMagic) != 0)
        return DescriptorDecoding::NotADescriptor;
    if (size < size_t{kDescriptorHeaderBytes}) return DescriptorDecoding::ShorterThanHeader;
    DescriptorHeader& header = descriptor.header;
    FieldReader reader{bytes};
    headerFields(reader, header);
    if (size != descriptorFileSize(header.pageCount, header.glyphCount))
        return DescriptorDecoding::WrongLength;

    descriptor.pageNames.clear();
    for (int32_t page = 0; page < header.pageCount; ++page) {
        const char* field = reinterpret_cast<const char*>(reader.at);
        descriptor.pageNames.emplace_back(field, strnlen(field, kPageNameBytes));
        reader.at += kPageNameBytes;
    }
    descriptor.records.resize(header.glyphCount);
    for (GlyphRecord& record : descriptor.records) recordFields(reader, record);
    return DescriptorDecoding::Decoded;
}

int32_t recordOfCode(const DescriptorFile& descriptor, uint16_t code) {
    const int32_t slot = characterSlot(code);
    if (slot == kNoSlot) return -1;
    const uint16_t glyph = descriptor.header.slots[slot];
    return glyph < descriptor.records.size() ? glyph : -1;
}
