#include "engine/font_file_names.h"

#include <cstdio>

#include "engine/generation_settings.h"
#include "engine/page_layout.h"

static_assert(kMaxWrittenPages <= 1000, "page numbers have three digits at most");

PageImageType pageImageType(int32_t pageFormat) {
    return pageFormat == Tga32 ? PageImageType::Tga : PageImageType::Bmp;
}

std::string descriptorFileName(const std::string& outName) {
    return outName + kDescriptorExtension;
}

std::string pageName(const std::string& outName, int32_t page) {
    char number[16];
    std::snprintf(number, sizeof number, "_%02d", page);
    return outName + number;
}

std::string pageImageName(const std::string& pageName, PageImageType type) {
    return pageName + (type == PageImageType::Tga ? kTgaExtension : kBmpExtension);
}

std::string tgaCopyName(const std::string& bmpImageName) {
    return bmpImageName + kTgaExtension;
}
