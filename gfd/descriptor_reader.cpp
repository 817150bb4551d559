#include "gfd/descriptor_reader.h"

#include <vector>

#include "gfd/wording.h"
#include "platform/file_system.h"

namespace {

std::string byteCount(uint64_t bytes) {
    return counted(bytes, "byte", "bytes");
}

}  // namespace

bool readDescriptorBytes(const uint8_t* bytes, size_t size, DescriptorFile& descriptor, std::string& error) {
    const DescriptorHeader& header = descriptor.header;
    switch (decodeDescriptor(bytes, size, descriptor)) {
        case DescriptorDecoding::Decoded:
            return true;
        case DescriptorDecoding::NotADescriptor:
            error = "not a font descriptor: it does not start with \"GFD\"";
            return false;
        case DescriptorDecoding::ShorterThanHeader:
            error = "truncated: " + byteCount(size) + ", shorter than the " +
                    byteCount(kDescriptorHeaderBytes) + " of the header";
            return false;
        case DescriptorDecoding::WrongLength: {
            const size_t expected = descriptorFileSize(header.pageCount, header.glyphCount);
            error = (size < expected ? "truncated: " : "too long: ") + byteCount(size) + " where " +
                    counted(header.pageCount, "page", "pages") + " and " +
                    counted(header.glyphCount, "glyph", "glyphs") + " take " + byteCount(expected);
            return false;
        }
    }
    return false;
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
    return readDescriptorBytes(bytes.data(), bytes.size(), descriptor, error);
}
