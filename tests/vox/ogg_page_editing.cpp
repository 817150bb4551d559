#include "tests/vox/ogg_page_editing.h"

#include <cstring>

namespace {

constexpr size_t kFixedHeaderBytes = 27;  // up to and including the segment count
constexpr size_t kSerialOffset = 14;

// Calls `visit(offset, page)` for each whole page, in file order.
void forEachPage(std::vector<unsigned char>& bytes, const std::function<void(size_t, ogg_page&)>& visit) {
    size_t offset = 0;
    while (offset + kFixedHeaderBytes <= bytes.size()) {
        unsigned char* start = bytes.data() + offset;
        if (std::memcmp(start, "OggS", 4) != 0) {
            ++offset;
            continue;
        }
        size_t headerBytes = kFixedHeaderBytes + start[kFixedHeaderBytes - 1];
        if (offset + headerBytes > bytes.size()) {
            return;
        }
        size_t bodyBytes = 0;
        for (size_t segment = kFixedHeaderBytes; segment < headerBytes; ++segment) {
            bodyBytes += start[segment];
        }
        if (offset + headerBytes + bodyBytes > bytes.size()) {
            return;
        }
        ogg_page page{start, static_cast<long>(headerBytes), start + headerBytes,
                      static_cast<long>(bodyBytes)};
        visit(offset, page);
        offset += headerBytes + bodyBytes;
    }
}

}  // namespace

void editPages(std::vector<unsigned char>& bytes, const std::function<void(ogg_page&)>& edit) {
    forEachPage(bytes, [&](size_t, ogg_page& page) {
        edit(page);
        ogg_page_checksum_set(&page);
    });
}

void repairChecksums(std::vector<unsigned char>& bytes) {
    editPages(bytes, [](ogg_page&) {});
}

void setSerialNumber(std::vector<unsigned char>& bytes, uint32_t serial) {
    editPages(bytes, [serial](ogg_page& page) {
        for (int i = 0; i < 4; ++i) {
            page.header[kSerialOffset + i] = static_cast<unsigned char>(serial >> (8 * i));
        }
    });
}

std::vector<size_t> pageOffsets(const std::vector<unsigned char>& bytes) {
    std::vector<unsigned char> copy = bytes;
    std::vector<size_t> offsets;
    forEachPage(copy, [&](size_t offset, ogg_page&) { offsets.push_back(offset); });
    return offsets;
}
