#include "glyphs/face_lookup.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

#include "glyphs/ansi_characters.h"
#include "platform/code_page.h"
#include "platform/utf8.h"

namespace {

// The system's language as Wine's GDI sees it here (Japanese), and English.
constexpr uint16_t kJapanese = 0x0411;
constexpr uint16_t kEnglish = 0x0409;
constexpr uint16_t kNeutral = 0;

constexpr FT_UShort kNameFamily = 1;
constexpr FT_UShort kNameFullName = 4;
constexpr FT_UShort kPlatformUnicode = 0;
constexpr FT_UShort kPlatformMacintosh = 1;
constexpr FT_UShort kPlatformWindows = 3;
constexpr FT_UShort kWindowsShiftJis = 2;

constexpr FT_ULong kJapaneseCodePage = 1u << 17;  // ulCodePageRange1's bit for code page 932
constexpr FT_UShort kSelectionItalic = 1u << 0;
constexpr FT_UShort kSelectionBold = 1u << 5;

// The standard Japanese face names and the families they stand for.
struct Replacement {
    const char32_t* name;
    const char32_t* family;
};
constexpr Replacement kReplacements[] = {
#include "glyphs/face_replacements.inc"
};

// The fallbacks GDI tries, before fontconfig's, for a fixed-pitch face.
constexpr const char32_t* kFixedPitchFallbacks[] = {U"Courier New", U"Liberation Mono",
                                                    U"Bitstream Vera Sans Mono"};

// Names are compared as GDI compares them: ASCII and full-width Latin
// letters without regard to case.
char32_t foldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + (U'a' - U'A');
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
    return c;
}

bool sameName(const std::u32string& a, const std::u32string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char32_t x, char32_t y) {
               return foldCase(x) == foldCase(y);
           });
}

bool nameBefore(const std::u32string& a, const std::u32string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char32_t x, char32_t y) { return foldCase(x) < foldCase(y); });
}

// An installed face as a Japanese system names and classes it.
struct InstalledFace {
    FaceFile file;
    std::u32string family;      // the Japanese family name where there is one
    std::u32string secondName;  // the English one, or another
    std::u32string fullName;
    bool japanese;  // the face claims code page 932

    bool isNamed(const std::u32string& name) const {
        return sameName(family, name) || sameName(secondName, name);
    }
    // Regular, bold, italic, bold italic: the order of a family's faces.
    int styleOrder() const { return (file.bold ? 1 : 0) + (file.italic ? 2 : 0); }
};

// A name record's language as Windows numbers languages: Macintosh and
// Unicode records number theirs another way, of which only English and
// Japanese matter here.
uint16_t languageOf(const FT_SfntName& name) {
    if (name.platform_id == kPlatformWindows) return name.language_id;
    if (name.platform_id == kPlatformUnicode && name.encoding_id > 3) return kNeutral;
    if (name.language_id == 0) return kEnglish;
    if (name.language_id == 11) return kJapanese;
    return kNeutral + 1;  // some other language
}

// UTF-16 big-endian for Windows' Unicode records and Unicode's; Shift-JIS
// records through code page 932; other encodings as far as they are ASCII.
std::u32string decodeName(const FT_SfntName& name, const CodePage932& codePage) {
    const bool utf16 = name.platform_id == kPlatformUnicode ||
                       (name.platform_id == kPlatformWindows &&
                        (name.encoding_id == 0 || name.encoding_id == 1 || name.encoding_id == 10));
    const bool shiftJis = name.platform_id == kPlatformWindows && name.encoding_id == kWindowsShiftJis;
    std::u32string text;
    for (FT_UInt i = 0; i < name.string_len; ++i) {
        const uint8_t byte = name.string[i];
        char32_t character = 0xFFFD;
        if (utf16) {
            if (i + 1 == name.string_len) break;
            character = static_cast<char32_t>(byte << 8 | name.string[++i]);
        } else if (shiftJis && i + 1 < name.string_len && isWindowsLeadByte(byte)) {
            codePage.toUnicode(static_cast<uint16_t>(byte << 8 | name.string[++i]), &character);
        } else if (byte < 0x80) {
            character = byte;
        }
        text += character;
    }
    return text;
}

// The name records of one id, platform by platform as GDI reads them
// (Windows, Macintosh, Unicode), until `take` says it has enough.
template <typename Take>
void readNames(FT_Face face, FT_UShort nameId, Take take) {
    const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
    for (FT_UShort platform : {kPlatformWindows, kPlatformMacintosh, kPlatformUnicode}) {
        for (FT_UInt i = 0; i < count; ++i) {
            FT_SfntName name;
            if (FT_Get_Sfnt_Name(face, i, &name) != 0) continue;
            if (name.name_id != nameId || name.platform_id != platform || name.language_id >= 0x8000)
                continue;
            if (take(languageOf(name), name)) return;
        }
    }
}

// The family name is the Japanese one where the face has it, and the
// English one comes second; the full name is the Japanese one, else the
// first English one.
void readFaceNames(FT_Face face, const CodePage932& codePage, InstalledFace& installed) {
    const FT_SfntName* family = nullptr;
    const FT_SfntName* second = nullptr;
    FT_SfntName familyRecord, secondRecord;
    bool japaneseSeen = false, englishSeen = false;
    readNames(face, kNameFamily, [&](uint16_t language, const FT_SfntName& name) {
        if (language == kEnglish) {
            englishSeen = true;
            if (!family) {
                familyRecord = name;
                family = &familyRecord;
            } else {
                secondRecord = name;
                second = &secondRecord;
            }
        } else if (language == kJapanese) {
            japaneseSeen = true;
            if (!second && family) {
                secondRecord = familyRecord;
                second = &secondRecord;
            }
            familyRecord = name;
            family = &familyRecord;
        } else if (!second) {
            secondRecord = name;
            second = &secondRecord;
        }
        return family && second && japaneseSeen && englishSeen;
    });
    if (family) installed.family = decodeName(*family, codePage);
    if (second) installed.secondName = decodeName(*second, codePage);

    const FT_SfntName* full = nullptr;
    FT_SfntName fullRecord;
    readNames(face, kNameFullName, [&](uint16_t language, const FT_SfntName& name) {
        if (language == kJapanese || (language == kEnglish && !full)) {
            fullRecord = name;
            full = &fullRecord;
        }
        return language == kJapanese;
    });
    if (full) installed.fullName = decodeName(*full, codePage);
}

struct FontSetFree {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
struct PatternFree {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using FontSet = std::unique_ptr<FcFontSet, FontSetFree>;
using Pattern = std::unique_ptr<FcPattern, PatternFree>;

// What fontconfig knows, read the way a Japanese system reads it. Faces are
// read once each; the whole lookup runs under one lock, since every
// drawing thread opens its font through it.
class FaceCatalogue {
public:
    FaceCatalogue() : config(FcInitLoadConfigAndFonts()) {
        if (FT_Init_FreeType(&library) != 0) library = nullptr;
    }
    ~FaceCatalogue() {
        if (library) FT_Done_FreeType(library);
        if (config) FcConfigDestroy(config);
    }
    FaceCatalogue(const FaceCatalogue&) = delete;
    FaceCatalogue& operator=(const FaceCatalogue&) = delete;

    std::mutex lock;
    // The face found for each request: every drawing thread asks the same.
    std::map<std::tuple<std::u32string, bool, bool>, const InstalledFace*> found;

    // The scalable faces fontconfig lists for `pattern` (null: all), read.
    std::vector<const InstalledFace*> listed(const char* object, const std::u32string* value) {
        std::vector<const InstalledFace*> faces;
        if (!config || !library) return faces;
        Pattern pattern(FcPatternCreate());
        FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
        if (object) FcPatternAddString(pattern.get(), object, toFc(utf8FromUnicode(*value)));
        FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, FC_FONTFORMAT, nullptr);
        FontSet set(FcFontList(config, pattern.get(), objects));
        FcObjectSetDestroy(objects);
        if (!set) return faces;
        for (int i = 0; i < set->nfont; ++i) {
            FcChar8* file = nullptr;
            FcChar8* format = nullptr;
            int index = 0;
            if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
            // GDI reads TrueType and OpenType faces, not Type 1 ones.
            if (FcPatternGetString(set->fonts[i], FC_FONTFORMAT, 0, &format) != FcResultMatch ||
                std::string(fromFc(format)) == "Type 1")
                continue;
            FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &index);
            if (const InstalledFace* face = read(fromFc(file), index)) faces.push_back(face);
        }
        return faces;
    }

    // The family names fontconfig gives a Japanese fixed-pitch fallback.
    std::vector<std::u32string> monospaceFamilies() {
        std::vector<std::u32string> names;
        if (!config) return names;
        Pattern pattern(FcPatternCreate());
        FcPatternAddString(pattern.get(), FC_FAMILY, toFc("monospace"));
        FcPatternAddString(pattern.get(), FC_NAMELANG, toFc("en-us"));
        FcPatternAddString(pattern.get(), FC_LANG, toFc("ja"));
        // So that rules written for Wine's fallbacks apply here too.
        FcPatternAddString(pattern.get(), FC_PRGNAME, toFc("wine"));
        FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
        FcDefaultSubstitute(pattern.get());
        FcResult result;
        Pattern match(FcFontMatch(config, pattern.get(), &result));
        if (!match || result != FcResultMatch) return names;
        FcChar8* family = nullptr;
        for (int i = 0; FcPatternGetString(match.get(), FC_FAMILY, i, &family) == FcResultMatch; ++i)
            names.push_back(unicodeFromUtf8(fromFc(family)));
        return names;
    }

private:
    static const FcChar8* toFc(const std::string& text) {
        return reinterpret_cast<const FcChar8*>(text.c_str());
    }
    static const char* fromFc(const FcChar8* text) { return reinterpret_cast<const char*>(text); }

    const InstalledFace* read(const std::string& path, int index) {
        const auto key = std::make_pair(path, index);
        auto known = faces.find(key);
        if (known != faces.end()) return known->second.family.empty() ? nullptr : &known->second;
        InstalledFace& installed = faces[key];
        installed.file = {path, index, false, false};
        FT_Face face = nullptr;
        if (FT_New_Face(library, path.c_str(), index, &face) != 0) return nullptr;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        // GDI takes no face without these tables, nor one named like a hidden file.
        if (os2 && FT_Get_Sfnt_Table(face, FT_SFNT_HHEA) && FT_Get_Sfnt_Table(face, FT_SFNT_HEAD)) {
            readFaceNames(face, codePage, installed);
            if (!installed.family.empty() && installed.family[0] == U'.') installed.family.clear();
            installed.file.bold = os2->fsSelection & kSelectionBold;
            installed.file.italic = os2->fsSelection & kSelectionItalic;
            installed.japanese = os2->version != 0 && (os2->ulCodePageRange1 & kJapaneseCodePage);
        }
        FT_Done_Face(face);
        return installed.family.empty() ? nullptr : &installed;
    }

    FcConfig* config;
    FT_Library library = nullptr;
    CodePage932 codePage;
    std::map<std::pair<std::string, int>, InstalledFace> faces;
};

FaceCatalogue& catalogue() {
    static FaceCatalogue instance;
    return instance;
}

// The face of a family's that comes nearest to the style asked: fewest
// differences in bold and italic, the later of equals in style order.
const InstalledFace* bestOfFamily(std::vector<const InstalledFace*> faces, bool bold, bool italic) {
    std::stable_sort(faces.begin(), faces.end(), [](const InstalledFace* a, const InstalledFace* b) {
        return a->styleOrder() < b->styleOrder();
    });
    const InstalledFace* best = nullptr;
    int bestScore = 4;
    for (const InstalledFace* face : faces) {
        if (!face->japanese) continue;
        const int score = (face->file.bold != bold) + (face->file.italic != italic);
        if (score > bestScore) continue;
        bestScore = score;
        best = face;
        if (score == 0) break;
    }
    return best;
}

// The faces of the family called `name` (by either of its names), in the
// order fontconfig lists them; a face listed again under another path (a
// link to the same font, say) counts once, as first listed.
std::vector<const InstalledFace*> familyFaces(FaceCatalogue& faces, const std::u32string& name) {
    std::vector<const InstalledFace*> family;
    for (const InstalledFace* face : faces.listed(FC_FAMILY, &name)) {
        if (!face->isNamed(name)) continue;
        const bool known = std::any_of(family.begin(), family.end(), [face](const InstalledFace* other) {
            return sameName(other->fullName, face->fullName);
        });
        if (!known) family.push_back(face);
    }
    return family;
}

const InstalledFace* findByName(FaceCatalogue& faces, const std::u32string& name, bool bold, bool italic) {
    if (const InstalledFace* face = bestOfFamily(familyFaces(faces, name), bold, italic)) return face;
    // A standard name stands for its family only where no family of its own
    // is installed.
    for (const Replacement& replacement : kReplacements) {
        if (sameName(replacement.name, name))
            return bestOfFamily(familyFaces(faces, replacement.family), bold, italic);
    }
    for (const InstalledFace* face : faces.listed(FC_FULLNAME, &name)) {
        if (face->japanese && sameName(face->fullName, name)) return face;
    }
    return nullptr;
}

const InstalledFace* findFallback(FaceCatalogue& faces, bool bold, bool italic) {
    std::vector<std::u32string> fallbacks(std::begin(kFixedPitchFallbacks), std::end(kFixedPitchFallbacks));
    for (const std::u32string& name : faces.monospaceFamilies()) fallbacks.push_back(name);
    for (const std::u32string& name : fallbacks) {
        if (const InstalledFace* face = bestOfFamily(familyFaces(faces, name), bold, italic)) return face;
    }
    // Then any family, by name.
    std::vector<const InstalledFace*> all = faces.listed(nullptr, nullptr);
    std::stable_sort(all.begin(), all.end(), [](const InstalledFace* a, const InstalledFace* b) {
        return nameBefore(a->family, b->family);
    });
    for (const InstalledFace* face : all) {
        if (!face->japanese) continue;
        return bestOfFamily(familyFaces(faces, face->family), bold, italic);
    }
    return nullptr;
}

}  // namespace

bool findFace(const std::u32string& name, bool bold, bool italic, FaceFile* face) {
    FaceCatalogue& faces = catalogue();
    std::lock_guard<std::mutex> guard(faces.lock);
    const auto key = std::make_tuple(name, bold, italic);
    auto known = faces.found.find(key);
    if (known == faces.found.end()) {
        const InstalledFace* chosen = findByName(faces, name, bold, italic);
        if (!chosen) chosen = findFallback(faces, bold, italic);
        known = faces.found.emplace(key, chosen).first;
    }
    if (!known->second) return false;
    *face = known->second->file;
    return true;
}

std::vector<std::string> japaneseFaceNames() {
    FaceCatalogue& faces = catalogue();
    std::lock_guard<std::mutex> guard(faces.lock);
    std::vector<std::u32string> names;
    for (const InstalledFace* face : faces.listed(nullptr, nullptr)) {
        if (face->japanese) names.push_back(face->family);
    }
    for (const Replacement& replacement : kReplacements) {
        const bool present = std::any_of(names.begin(), names.end(), [&](const std::u32string& name) {
            return sameName(name, replacement.name);
        });
        if (!present && bestOfFamily(familyFaces(faces, replacement.family), false, false))
            names.push_back(replacement.name);
    }
    std::sort(names.begin(), names.end(), nameBefore);
    names.erase(std::unique(names.begin(), names.end(), sameName), names.end());
    std::vector<std::string> texts;
    for (const std::u32string& name : names) texts.push_back(utf8FromUnicode(name));
    return texts;
}
