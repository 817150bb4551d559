#include "glyphs/face_lookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

// The faces of the machine: the setup installs the IPA fonts, whose files
// Wine's GDI draws these names with here. Names in and out are UTF-8.
namespace {

std::string fileOf(const std::u32string& name, bool bold = false, bool italic = false) {
    FaceFile face;
    if (!findFace(name, bold, italic, &face)) return "(none)";
    return std::filesystem::canonical(face.path).filename().string();
}

}  // namespace

TEST(FaceLookup, NamesEndAtTheFilesAJapaneseSystemDrawsThemWith) {
    const struct {
        const char32_t* name;
        const char* file;
    } cases[] = {
        {U"IPAGothic", "ipag.ttf"},     {U"IPAゴシック", "ipag.ttf"},     // English or Japanese name
        {U"ipagothic", "ipag.ttf"},     {U"IPA Pゴシック", "ipagp.ttf"},  // any case; the spaced name
        {U"ＭＳ ゴシック", "ipag.ttf"}, {U"MS Gothic", "ipag.ttf"},       // standard names
        {U"ＭＳ Ｐ明朝", "ipamp.ttf"},  {U"ms mincho", "ipam.ttf"},
        {U"NoSuchFace", "ipag.ttf"},    {U"", "ipag.ttf"},  // the fixed-pitch fallback for Japanese
        {U"DejaVu Sans", "ipag.ttf"},                       // a face that cannot draw Japanese is passed over
    };
    for (const auto& c : cases) EXPECT_EQ(fileOf(c.name), c.file) << c.file;
    // A family of one face gives it for every style: the styles are simulated.
    EXPECT_EQ(fileOf(U"IPAMincho", true, true), "ipam.ttf");
}

TEST(FaceLookup, TheFaceListHoldsTheJapaneseFamiliesAndTheStandardNames) {
    const std::vector<std::string> names = japaneseFaceNames();
    for (const char* name : {u8"IPAゴシック", u8"IPA P明朝", u8"ＭＳ ゴシック", u8"MS PMincho"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    EXPECT_EQ(std::find(names.begin(), names.end(), u8"DejaVu Sans"), names.end());
}
