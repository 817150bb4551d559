#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/descriptor.h"

// A font descriptor as its file holds it: the header with the slot table,
// the page names and the glyph records. Reading checks sizes only; whether
// slots, records and pages agree is the font check's business.
struct DescriptorFile {
    DescriptorHeader header;
    std::vector<std::string> pageNames;  // code page 932 bytes, without the zero fill
    std::vector<GlyphRecord> records;    // header.glyphCount of them
};

// The longest descriptor there can be: 255 pages and 65,535 glyphs.
constexpr size_t kMaxDescriptorBytes = descriptorFileSize(255, 65535);

// Reads the bytes of a descriptor file. Returns false, with a one-line
// reason in `error`, when they are not one: shorter than the header, without
// the "GFD" mark, or of another length than the header's counts call for.
bool decodeDescriptor(const uint8_t* bytes, size_t size, DescriptorFile& descriptor, std::string& error);

// Reads the descriptor file `name` (the system's text). A file longer than
// any descriptor is refused unread.
bool readDescriptorFile(const char* name, DescriptorFile& descriptor, std::string& error);

// The record that character code `code` leads to through its slot, or -1
// when its slot is empty or points past the last record.
int32_t recordOfCode(const DescriptorFile& descriptor, uint16_t code);
