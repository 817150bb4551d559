#pragma once

#include <string>

#include "gfd/descriptor_reader.h"

// A font as gfd reads it: the descriptor, and where its page images lie
// (beside it).
struct Font {
    std::string path;    // the descriptor, as the user named it (the system's text)
    std::string folder;  // its folder part with the separator, "" for the current folder
    DescriptorFile descriptor;
};

// Reads the descriptor at `path`. Returns false, with a one-line reason in
// `error` (which names the file), when it cannot be read as a descriptor.
bool openFont(const char* path, Font& font, std::string& error);
