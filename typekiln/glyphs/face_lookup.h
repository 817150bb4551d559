#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Font faces found as GDI finds them on a Japanese system (Wine's rules,
// among the faces fontconfig knows):
// 1. a family by its Japanese or English name, or by a standard Japanese
//    face name that stands for an installed family (face_replacements.tsv),
//    or a face by its full name;
// 2. else the fallbacks for a fixed-pitch modern face: Courier New,
//    Liberation Mono, Bitstream Vera Sans Mono, then the families
//    fontconfig matches to "monospace" for Japanese;
// 3. else any family, by name.
// Only faces whose OS/2 table claims the Japanese code page count, and in a
// family the face whose bold and italic come nearest to those asked.

struct FaceFile {
    std::string path;  // the font file, as the system names it
    int32_t index;     // the face's index in a collection
    bool bold;         // the face's own style, as its OS/2 table gives it
    bool italic;
};

// The face drawn for `name` (Unicode). False when no installed face can
// draw Japanese.
bool findFace(const std::u32string& name, bool bold, bool italic, FaceFile* face);

// The names of the families that draw Japanese, as a Japanese system lists
// them (the Japanese name where the face has one), and the standard names
// that stand for them, sorted; UTF-8.
std::vector<std::string> japaneseFaceNames();
