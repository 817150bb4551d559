#include "gfd/fnt_export.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "engine/font_file_names.h"
#include "engine/shift_jis.h"
#include "gfd/page_loader.h"
#include "gfd/png_writer.h"
#include "gfd/text_setter.h"
#include "platform/file_system.h"

namespace {

// A lead byte with a trail byte of 0x40-0xFC other than 0x7F, or a byte
// that is no lead byte: the codes that can be characters at all. The others
// share slots with real characters and would only repeat them.
bool isWellFormed(uint16_t code) {
    if (code <= 0xFF) return !isLeadByte(static_cast<uint8_t>(code));
    const uint8_t trail = static_cast<uint8_t>(code);
    return isLeadByte(static_cast<uint8_t>(code >> 8)) && trail >= 0x40 && trail <= 0xFC && trail != 0x7F;
}

// The file name part of a path, and a path without a ".fnt" ending.
std::string withoutFolder(const std::string& path) {
    return path.substr(folderPartLength(path.c_str()));
}

// Without the extension (".fnt", lower case), in whatever case it is written.
std::string withoutExtension(const std::string& path, const std::string& extension) {
    if (path.size() <= extension.size()) return path;
    const size_t start = path.size() - extension.size();
    for (size_t i = 0; i < extension.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(path[start + i])) != extension[i]) return path;
    return path.substr(0, start);
}

// Named as the font's own pages are, as PNGs.
std::string pageFileName(const std::string& stem, int32_t page) {
    return pageName(stem, page) + ".png";
}

// A blank as a record: an empty cell at the corner of page 0 whose advance
// is the blank's.
GlyphRecord blankRecord(char32_t blank, int32_t fontSize) {
    return {0, 0, static_cast<uint8_t>(blankAdvance(blank, fontSize)), 0, 0, 0, 0, 0};
}

// The files an export has written, removed again unless it completes: a
// failed export, or one an exception ends, leaves nothing behind.
class WrittenFiles {
public:
    explicit WrittenFiles(size_t count) { files.reserve(count); }
    ~WrittenFiles() {
        if (!kept)
            for (const std::string& file : files) removeFile(file.c_str());
    }
    WrittenFiles(const WrittenFiles&) = delete;
    WrittenFiles& operator=(const WrittenFiles&) = delete;

    // Room for `count` was reserved: recording cannot fail.
    void add(const std::string& file) { files.push_back(file); }
    void keep() { kept = true; }

private:
    std::vector<std::string> files;
    bool kept = false;
};

// Page `page` as a PNG at the full page size: page images stop below their
// lowest glyph, the rows below are transparent.
bool writePagePng(const Font& font, int32_t page, const std::string& path, std::string& error) {
    const DescriptorHeader& header = font.descriptor.header;
    Surface stored;
    Surface full;
    if (!loadPage(font, page, stored, error)) return false;
    if (!full.create(header.pageWidth, header.pageHeight)) {
        error = "page " + std::to_string(page) + " does not fit in memory";
        return false;
    }
    full.copyRect(0, 0, stored, 0, 0, stored.getWidth(), stored.getHeight());
    return writePng(path.c_str(), full, PngAlpha::Keep, 1, error);
}

}  // namespace

std::vector<FntCharacter> unicodeCharacters(const DescriptorFile& descriptor, const CodePage932& codePage,
                                            std::vector<uint16_t>& unmapped) {
    std::vector<FntCharacter> characters;
    std::vector<std::vector<uint16_t>> codesWithoutId(descriptor.records.size());
    std::vector<bool> hasId(descriptor.records.size(), false);
    for (uint32_t value = 0; value <= 0xFFFF; ++value) {
        const uint16_t code = static_cast<uint16_t>(value);
        if (!isWellFormed(code)) continue;
        const int32_t glyph = recordOfCode(descriptor, code);
        if (glyph < 0) continue;
        char32_t id = 0;
        if (codePage.toUnicode(code, &id)) {
            characters.push_back({id, glyph});
            hasId[glyph] = true;
        } else {
            codesWithoutId[glyph].push_back(code);
        }
    }
    // A code without a character that shares its slot with one is no loss;
    // a glyph that no code with a character reaches is.
    for (size_t glyph = 0; glyph < hasId.size(); ++glyph) {
        if (!hasId[glyph])
            unmapped.insert(unmapped.end(), codesWithoutId[glyph].begin(), codesWithoutId[glyph].end());
    }
    for (char32_t blank : kBlanks) characters.push_back({blank, kBlankRecord});
    // Stable: of two codes for one character, the lower stays first, and a
    // glyph comes before the blank that would stand in for it.
    std::stable_sort(characters.begin(), characters.end(),
                     [](const FntCharacter& a, const FntCharacter& b) { return a.id < b.id; });
    characters.erase(std::unique(characters.begin(), characters.end(),
                                 [](const FntCharacter& a, const FntCharacter& b) { return a.id == b.id; }),
                     characters.end());
    return characters;
}

std::string describeFnt(const DescriptorFile& descriptor, const std::string& face,
                        const std::vector<std::string>& pageFiles,
                        const std::vector<FntCharacter>& characters, int32_t base) {
    const DescriptorHeader& header = descriptor.header;
    const int32_t lineHeight = header.fontSize + 2;
    std::string text;
    char line[256];
    text += "info face=\"" + face + "\"";
    std::snprintf(line, sizeof line,
                  " size=%d bold=0 italic=0 charset=\"\" unicode=1 stretchH=100 smooth=0 aa=1 "
                  "padding=0,0,0,0 spacing=0,0\n",
                  header.fontSize);
    text += line;
    // The pages hold coloured glyphs, so every channel carries glyph data.
    std::snprintf(line, sizeof line,
                  "common lineHeight=%d base=%d scaleW=%d scaleH=%d pages=%d packed=0 alphaChnl=0 redChnl=0 "
                  "greenChnl=0 blueChnl=0\n",
                  lineHeight, base, header.pageWidth, header.pageHeight, header.pageCount);
    text += line;
    for (size_t page = 0; page < pageFiles.size(); ++page)
        text += "page id=" + std::to_string(page) + " file=\"" + pageFiles[page] + "\"\n";
    text += "chars count=" + std::to_string(characters.size()) + "\n";
    for (const FntCharacter& c : characters) {
        const GlyphRecord r =
            c.record == kBlankRecord ? blankRecord(c.id, header.fontSize) : descriptor.records[c.record];
        std::snprintf(line, sizeof line,
                      "char id=%u x=%d y=%d width=%d height=%d xoffset=%d yoffset=0 xadvance=%d page=%d "
                      "chnl=15\n",
                      static_cast<unsigned>(c.id), r.left, r.top, r.right - r.left, r.bottom - r.top,
                      r.leftBearing, r.leftBearing + r.cellWidth + r.rightBearing, r.page);
        text += line;
    }
    return text;
}

std::vector<std::string> exportedFiles(const std::string& fntPath, int32_t pageCount) {
    std::vector<std::string> files;
    const std::string stem = withoutExtension(fntPath, ".fnt");
    for (int32_t page = 0; page < pageCount; ++page) files.push_back(pageFileName(stem, page));
    files.push_back(fntPath);
    return files;
}

bool exportFnt(const Font& font, const CodePage932& codePage, const std::string& fntPath, int32_t base,
               std::vector<uint16_t>& unmapped, std::string& error) {
    // The format quotes file names and knows no escape.
    if (withoutFolder(withoutExtension(fntPath, ".fnt")).find('"') != std::string::npos) {
        error = fntPath + ": a .fnt file cannot name pages with a double quote in their name";
        return false;
    }
    const int32_t pageCount = font.descriptor.header.pageCount;
    const std::vector<std::string> files = exportedFiles(fntPath, pageCount);
    WrittenFiles written(files.size());
    std::vector<std::string> pageFiles;
    for (int32_t page = 0; page < pageCount; ++page) {
        if (!writePagePng(font, page, files[page], error)) return false;
        written.add(files[page]);
        pageFiles.push_back(withoutFolder(files[page]));
    }
    std::string face = withoutExtension(withoutFolder(font.path), kDescriptorExtension);
    face.erase(std::remove(face.begin(), face.end(), '"'), face.end());
    const std::string text = describeFnt(font.descriptor, face, pageFiles,
                                         unicodeCharacters(font.descriptor, codePage, unmapped), base);
    if (!writeWholeFile(fntPath.c_str(), text.data(), text.size())) {
        error = fntPath + " cannot be written";
        return false;
    }
    written.keep();
    return true;
}
