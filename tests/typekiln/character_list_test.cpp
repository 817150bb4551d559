#include "character_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "test_files.h"

namespace {

std::vector<uint16_t> codesOf(const CharacterList& list) {
    std::vector<uint16_t> codes;
    for (int i = 0; i < list.count(); ++i)
        codes.push_back(list.entries()[i].code);
    return codes;
}

// Loads a file holding exactly `bytes`.
std::vector<uint16_t> codesOfFile(const std::string& bytes) {
    TemporaryFolder folder;
    const std::string path = folder.file("chars.txt");
    writeFileBytes(path, bytes);
    auto list = std::make_unique<CharacterList>();
    EXPECT_TRUE(list->load(path.c_str()));
    return codesOf(*list);
}

}  // namespace

TEST(CharacterList, DistinctCharactersInCodeOrder) {
    EXPECT_EQ(codesOfFile("あいうあ\r\n"), (std::vector<uint16_t>{0x82A0, 0x82A2, 0x82A4}));
    EXPECT_EQ(codesOfFile("B A"), (std::vector<uint16_t>{0x41, 0x42}));
    EXPECT_EQ(codesOfFile("亜A亜A亜A"), (std::vector<uint16_t>{0x41, 0x889F}));
}

TEST(CharacterList, BlanksAndControlBytesNeverBecomeEntries) {
    EXPECT_EQ(codesOfFile(std::string("\x81\x40 \t\r\n\x08\x01\x1F", 10) + "x"),
              (std::vector<uint16_t>{'x'}));
}

TEST(CharacterList, KanaAndStrayBytesAreSingleByteCharacters) {
    EXPECT_EQ(codesOfFile("\xDF\xA0\x80\xFF"), (std::vector<uint16_t>{0x80, 0xA0, 0xDF, 0xFF}));
}

TEST(CharacterList, EntriesKeepTheirBytesAndZeroPadding) {
    TemporaryFolder folder;
    const std::string path = folder.file("chars.txt");
    writeFileBytes(path, "漢z");
    auto list = std::make_unique<CharacterList>();
    ASSERT_TRUE(list->load(path.c_str()));
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(std::string(list->entries()[0].text, 4), std::string("z\0\0\0", 4));
    EXPECT_EQ(std::string(list->entries()[1].text, 4), std::string("漢\0\0", 4));
    EXPECT_EQ(characterCode(list->entries()[1].text), list->entries()[1].code);
    // A smaller file afterwards leaves nothing of the bigger one behind.
    writeFileBytes(path, "a");
    ASSERT_TRUE(list->load(path.c_str()));
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->entries()[1].code, 0);
    EXPECT_EQ(list->entries()[1].text[0], 0);
}

TEST(CharacterList, TextModeRulesApplyOnEveryPlatform) {
    // A lead byte takes the next byte as it comes; CR LF reads as LF.
    EXPECT_EQ(codesOfFile("\x81\r\nA"), (std::vector<uint16_t>{0x41, 0x810A}));
    EXPECT_EQ(codesOfFile("\x81\nA"), (std::vector<uint16_t>{0x41, 0x810A}));
    EXPECT_EQ(codesOfFile("\x81\rA"), (std::vector<uint16_t>{0x41, 0x810D}));
    // Byte 0x1A ends the text.
    EXPECT_EQ(codesOfFile("AB\x1A"
                          "CD"),
              (std::vector<uint16_t>{0x41, 0x42}));
}

TEST(CharacterList, ALeadByteAtTheVeryEndIsDropped) {
    EXPECT_EQ(codesOfFile("A\x88"), (std::vector<uint16_t>{0x41}));
    EXPECT_EQ(codesOfFile("A\x88\x1A\x9F"), (std::vector<uint16_t>{0x41}));
}

TEST(CharacterList, EmptyOrMissingFilesGiveNoEntries) {
    EXPECT_TRUE(codesOfFile("").empty());
    TemporaryFolder folder;
    auto list = std::make_unique<CharacterList>();
    EXPECT_FALSE(list->load(folder.file("missing.txt").c_str()));
    EXPECT_EQ(list->count(), 0);
    // A folder cannot be read as a text file on either platform.
    list->load(folder.path().c_str());
    EXPECT_EQ(list->count(), 0);
}

TEST(CharacterList, AddSkipsBlanksAndDuplicates) {
    auto list = std::make_unique<CharacterList>();
    list->add("\x81\x40");
    list->add(" ");
    list->add("\x82\xA0");
    list->add("\x82\xA0");
    list->add("A");
    EXPECT_EQ(codesOf(*list), (std::vector<uint16_t>{0x82A0, 0x41}));  // add does not sort
}

TEST(CharacterList, HoldsEveryDistinctCode) {
    // Every printable single byte and every lead/trail pair: more distinct
    // characters than any real list, all of which must fit.
    std::string all;
    for (int b = 0x20; b <= 0xFF; ++b)
        if (!isLeadByte(static_cast<uint8_t>(b)))
            all += static_cast<char>(b);
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        if (!isLeadByte(static_cast<uint8_t>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            all += static_cast<char>(lead);
            all += static_cast<char>(trail);
        }
    }
    std::vector<uint16_t> codes = codesOfFile(all);
    const size_t singles = 0x100 - 0x20 - 62 - 1;     // less the 62 lead bytes and the space
    const size_t pairs = 62 * (0xFC - 0x40 + 1) - 1;  // less the full-width space
    EXPECT_EQ(codes.size(), singles + pairs);
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
}

TEST(CharacterList, TheExampleListHoldsAsciiKanaAndTheLevelOneKanji) {
    auto list = std::make_unique<CharacterList>();
    ASSERT_TRUE(list->load(EXAMPLES_FOLDER "/chars_jis_level1.txt"));
    EXPECT_EQ(list->count(), 94 + 83 + 86 + 2965);
    EXPECT_EQ(list->entries()[0].code, '!');
    EXPECT_EQ(list->entries()[list->count() - 1].code, 0x9872);  // 腕, the last kanji of level 1
}
