#pragma once

#include <string>

#include "tests/support/font_files.h"

// Reads a PNG file with libpng's own reader into 0xAARRGGBB pixels, rows top
// to bottom, whatever its colour type. Throws std::runtime_error when it
// cannot.
PageImage readPng(const std::string& path);
