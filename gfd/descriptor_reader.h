#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/descriptor.h"

// Reading a font descriptor through the engine's decoder, with a one-line
// reason (English, for gfd's messages) when it is not one. Reading checks
// sizes only; whether slots, records and pages agree is the font check's
// business.

// Reads the bytes of a descriptor file with decodeDescriptor. Returns false,
// with a one-line reason in `error`, when they are not one: shorter than the
// header, without the "GFD" mark, or of another length than the header's
// counts call for.
bool readDescriptorBytes(const uint8_t* bytes, size_t size, DescriptorFile& descriptor, std::string& error);

// Reads the descriptor file `name` (the system's text). A file longer than
// any descriptor (kMaxDescriptorBytes) is refused unread.
bool readDescriptorFile(const char* name, DescriptorFile& descriptor, std::string& error);
