#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfd/descriptor_reader.h"
#include "gfd/font.h"
#include "platform/code_page.h"

// Export to the plain-text bitmap-font format (.fnt) with PNG pages, which
// most engines read: an "info", a "common", a "page" line per page, a
// "chars" count and a "char" line per character, each of "key=value" pairs.
// Character ids are Unicode; a character's x, y, width and height are its
// cell on the page, its xoffset the left bearing, its xadvance the left
// bearing, cell width and right bearing, as the descriptor's own readers set
// text. lineHeight is fontSize + 2, the row pitch; base is the glyphs'
// baseline in their row.

struct FntCharacter {
    char32_t id;
    int32_t record;  // kBlankRecord: a blank without a glyph
};

constexpr int32_t kBlankRecord = -1;

// The characters of the font with their Unicode ids, in ascending order of
// id: every well-formed code page 932 code whose slot leads to a record. A
// slot shared by two codes serves both, as it does for any reader of the
// descriptor (the slot rule folds the user-defined area onto the codes
// 0x09A1 below it). Where two codes stand for one Unicode character (code
// page 932 has a few such pairs) the lower code's glyph is taken. The codes
// of a glyph that no code with a Unicode character reaches go to
// `unmapped`. The blanks the font has no glyph for (kBlanks) are added with
// kBlankRecord, so that readers of the export advance over them as gfd
// does. `descriptor` has passed findDescriptorDamage.
std::vector<FntCharacter> unicodeCharacters(const DescriptorFile& descriptor, const CodePage932& codePage,
                                            std::vector<uint16_t>& unmapped);

// The text of the .fnt file. `face` names the font; `pageFiles` are the
// page images' file names, one per page, without folder. A blank's line
// has an empty rectangle and its blankAdvance.
std::string describeFnt(const DescriptorFile& descriptor, const std::string& face,
                        const std::vector<std::string>& pageFiles,
                        const std::vector<FntCharacter>& characters, int32_t base);

// The files an export to `fntPath` writes: one PNG per page, named after the
// .fnt file without its extension ("<name>_00.png" and on), then the .fnt.
std::vector<std::string> exportedFiles(const std::string& fntPath, int32_t pageCount);

// Writes the exportedFiles: each page as a PNG (full page size, colour and
// alpha as the page images hold them), then the .fnt with `base` as its
// base. `font` has passed findDescriptorDamage. Returns false, with a
// one-line reason, when a page cannot be loaded or a file cannot be
// written; what it wrote by then is removed again, as it is when an
// exception leaves it.
bool exportFnt(const Font& font, const CodePage932& codePage, const std::string& fntPath, int32_t base,
               std::vector<uint16_t>& unmapped, std::string& error);
