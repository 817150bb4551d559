#pragma once

#include <cstddef>
#include <vector>

// Reads the file at `path` (code page 932) into `bytes`. Returns false when
// it cannot be opened or read, or is larger than `maxBytes`.
bool readWholeFile(const char* path, size_t maxBytes, std::vector<unsigned char>& bytes);
