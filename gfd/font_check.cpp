#include "gfd/font_check.h"

#include <algorithm>
#include <cstring>

#include "engine/font_file_names.h"
#include "engine/generation_settings.h"
#include "gfd/page_loader.h"
#include "gfd/wording.h"

namespace {

bool isPageSize(int32_t size) {
    return std::find(std::begin(pageSizes), std::end(pageSizes), size) != std::end(pageSizes);
}

// "128, 256, 512, 1024 or 2048": the page sizes a font can have.
std::string pageSizeChoices() {
    std::string text;
    for (int32_t i = 0; i < kPageSizeCount; ++i) {
        if (i > 0) text += i + 1 < kPageSizeCount ? ", " : " or ";
        text += std::to_string(pageSizes[i]);
    }
    return text;
}

std::string pixelSize(int32_t width, int32_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// The lowest character code of a slot, to name the slot in a message: the
// slot rule inverted once, walking the codes downwards so that the lowest
// code of each slot is written last.
uint16_t lowestCodeOf(int32_t slot) {
    static const std::vector<uint16_t> lowest = [] {
        std::vector<uint16_t> codes(kSlotCount, 0);
        for (int32_t code = 0xFFFF; code >= 0; --code) {
            const int32_t codeSlot = characterSlot(static_cast<uint16_t>(code));
            if (codeSlot != kNoSlot) codes[codeSlot] = static_cast<uint16_t>(code);
        }
        return codes;
    }();
    return lowest[slot];
}

std::string recordName(int32_t index, const GlyphRecord& r) {
    return "record " + std::to_string(index) + " (page " + std::to_string(r.page) + ", cell " +
           std::to_string(r.left) + "," + std::to_string(r.top) + " to " + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

bool cellOnPage(const GlyphRecord& r, const DescriptorHeader& header) {
    return r.page < header.pageCount && r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
           r.right <= header.pageWidth && r.bottom <= header.pageHeight;
}

void findHeaderDamage(const DescriptorHeader& header, std::vector<Finding>& findings) {
    if (!isPageSize(header.pageWidth) || !isPageSize(header.pageHeight)) {
        findings.push_back({FindingKind::Header, "page size " +
                                                     pixelSize(header.pageWidth, header.pageHeight) +
                                                     " is not a font's (" + pageSizeChoices() + " a side)"});
    }
    if (header.fontSize == 0) {
        findings.push_back({FindingKind::Header, "font size is 0"});
    } else if (header.fontSize + 2 > header.pageHeight) {
        findings.push_back({FindingKind::Header, "rows of font size " + std::to_string(header.fontSize) +
                                                     " + 2 pixels are taller than the pages (" +
                                                     std::to_string(header.pageHeight) + ")"});
    }
    if (header.pageCount == 0) findings.push_back({FindingKind::Header, "it counts no pages"});
}

void findSlotDamage(const DescriptorHeader& header, std::vector<Finding>& findings) {
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
        const uint16_t glyph = header.slots[slot];
        if (glyph == kEmptySlot || glyph < header.glyphCount) continue;
        findings.push_back({FindingKind::Slot, "slot " + std::to_string(slot) + " (character " +
                                                   codeName(lowestCodeOf(slot)) + ") points at record " +
                                                   std::to_string(glyph) + ", but there are " +
                                                   counted(header.glyphCount, "record", "records")});
    }
}

void findRecordDamage(const DescriptorFile& descriptor, std::vector<Finding>& findings) {
    const DescriptorHeader& header = descriptor.header;
    for (size_t i = 0; i < descriptor.records.size(); ++i) {
        const GlyphRecord& r = descriptor.records[i];
        if (cellOnPage(r, header)) continue;
        std::string why;
        if (r.page >= header.pageCount) {
            why = "is on a page the font does not have (it counts " +
                  counted(header.pageCount, "page", "pages") + ")";
        } else if (r.left >= r.right || r.top >= r.bottom) {
            why = "has an empty cell";
        } else {
            why = "reaches outside its " + pixelSize(header.pageWidth, header.pageHeight) + " page";
        }
        findings.push_back({FindingKind::Record, recordName(static_cast<int32_t>(i), r) + " " + why});
    }
}

void findUnreachableRecords(const DescriptorFile& descriptor, std::vector<Finding>& findings) {
    std::vector<bool> reached(descriptor.records.size(), false);
    for (uint16_t glyph : descriptor.header.slots)
        if (glyph < reached.size()) reached[glyph] = true;
    for (size_t i = 0; i < reached.size(); ++i) {
        if (reached[i]) continue;
        findings.push_back(
            {FindingKind::UnreachableRecord,
             recordName(static_cast<int32_t>(i), descriptor.records[i]) + " is reached by no slot"});
    }
}

// The opaque pixels of one page that no cell of the page covers.
void findStrayPixels(const Font& font, int32_t page, const Surface& pixels, std::vector<Finding>& findings) {
    const int32_t width = pixels.getWidth();
    const int32_t height = pixels.getHeight();
    // A cell reaching off the page still covers the part that is on it:
    // that fault is the record's, not its pixels'.
    std::vector<uint8_t> covered(static_cast<size_t>(width) * height, 0);
    for (const GlyphRecord& r : font.descriptor.records) {
        if (r.page != page) continue;
        const int32_t left = std::max<int32_t>(r.left, 0);
        const int32_t right = std::min<int32_t>(r.right, width);
        for (int32_t y = std::max<int32_t>(r.top, 0); y < std::min<int32_t>(r.bottom, height) && left < right;
             ++y)
            std::memset(&covered[static_cast<size_t>(y) * width + left], 1,
                        static_cast<size_t>(right - left));
    }
    const uint32_t* row = nullptr;
    int32_t pitch = 0;
    if (!pixels.lockPixels(&row, &pitch)) return;
    uint64_t stray = 0;
    int32_t firstX = 0;
    int32_t firstY = 0;
    for (int32_t y = 0; y < height; ++y, row += pitch) {
        const uint8_t* inside = &covered[static_cast<size_t>(y) * width];
        for (int32_t x = 0; x < width; ++x) {
            if (!(row[x] >> 24) || inside[x]) continue;
            if (stray++ == 0) firstX = x, firstY = y;
        }
    }
    if (stray == 0) return;
    findings.push_back({FindingKind::StrayPixels, "page " + std::to_string(page) + " has " +
                                                      counted(stray, "opaque pixel", "opaque pixels") +
                                                      " outside every glyph cell, the first at " +
                                                      std::to_string(firstX) + "," + std::to_string(firstY)});
}

// The page files: each one present, none more than the count, and, when the
// header's page size can be trusted, each usable and read once: two pages
// led to one file by their names are one fault, not two pages' pixels.
// Page names end in the two-digit page number, so the name one past the
// last is known when the first follows that pattern.
void checkPages(const Font& font, bool readPixels, std::vector<Finding>& findings) {
    const DescriptorFile& descriptor = font.descriptor;
    std::vector<std::pair<FileIdentity, int32_t>> read;
    for (int32_t page = 0; page < descriptor.header.pageCount; ++page) {
        std::string path;
        std::string error;
        if (!findPageFile(font, page, path, error)) {
            findings.push_back({FindingKind::Page, error});
            continue;
        }
        if (!readPixels) continue;
        FileIdentity identity;
        if (getFileIdentity(path.c_str(), &identity)) {
            const auto earlier = std::find_if(read.begin(), read.end(),
                                              [&](const auto& other) { return other.first == identity; });
            if (earlier != read.end()) {
                findings.push_back({FindingKind::Page, "page " + std::to_string(page) + ": " + path +
                                                           " is page " + std::to_string(earlier->second) +
                                                           "'s image already"});
                continue;
            }
            read.push_back({identity, page});
        }
        Surface pixels;
        if (!loadPage(font, page, pixels, error)) {
            findings.push_back({FindingKind::Page, error});
            continue;
        }
        findStrayPixels(font, page, pixels, findings);
    }
    if (descriptor.pageNames.empty()) return;
    const std::string& first = descriptor.pageNames[0];
    const std::string firstSuffix = pageName("", 0);
    if (first.size() < firstSuffix.size() ||
        first.compare(first.size() - firstSuffix.size(), firstSuffix.size(), firstSuffix) != 0)
        return;
    const std::string stem = first.substr(0, first.size() - firstSuffix.size());
    char next[kPageNameBytes];
    formatPageName(stem.c_str(), descriptor.header.pageCount, next);
    const std::string nextName(next, strnlen(next, sizeof next));
    const std::string extra = presentPageFile(font, nextName);
    if (!extra.empty()) {
        findings.push_back({FindingKind::Page, extra + " lies beside it as one more page, but it counts " +
                                                   counted(descriptor.header.pageCount, "page", "pages")});
    }
}

}  // namespace

std::vector<Finding> findDescriptorDamage(const DescriptorFile& descriptor) {
    std::vector<Finding> findings;
    findHeaderDamage(descriptor.header, findings);
    findSlotDamage(descriptor.header, findings);
    findRecordDamage(descriptor, findings);
    return findings;
}

std::vector<Finding> checkFont(const Font& font) {
    std::vector<Finding> findings = findDescriptorDamage(font.descriptor);
    // A header of impossible sizes says nothing about the pages' pixels, and
    // reading by it would cost what the header claims, not what the files
    // hold.
    const bool headerSound = std::none_of(findings.begin(), findings.end(),
                                          [](const Finding& f) { return f.kind == FindingKind::Header; });
    findUnreachableRecords(font.descriptor, findings);
    checkPages(font, headerSound, findings);
    return findings;
}

std::string fontSummary(const DescriptorFile& descriptor) {
    const DescriptorHeader& header = descriptor.header;
    return counted(header.pageCount, "page", "pages") + ", " + counted(header.glyphCount, "glyph", "glyphs") +
           ", font size " + std::to_string(header.fontSize) + ", page size " +
           pixelSize(header.pageWidth, header.pageHeight);
}
