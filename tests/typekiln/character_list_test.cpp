#include "engine/character_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/test_files/test_files.h"

namespace {

std::vector<uint16_t> codesOf(const CharacterList& list) {
    std::vector<uint16_t> codes;
    for (int i = 0; i < list.count(); ++i) codes.push_back(list.entries()[i].code);
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

TEST(CharacterList, DistinctPrintableCharactersInCodeOrder) {
    EXPECT_EQ(codesOfFile("あいうあ\r\n"), (std::vector<uint16_t>{0x82A0, 0x82A2, 0x82A4}));
    EXPECT_EQ(codesOfFile("亜B A亜"), (std::vector<uint16_t>{0x41, 0x42, 0x889F}));
    // Blanks and control bytes never become entries; kana and stray bytes are single-byte characters.
    EXPECT_EQ(codesOfFile(std::string("\x81\x40 \t\r\n\x08\x01\x1F", 10) + "\xDF\xA0\x80\xFF"),
              (std::vector<uint16_t>{0x80, 0xA0, 0xDF, 0xFF}));
}

TEST(CharacterList, TextModeRulesApplyOnEveryPlatform) {
    // A lead byte takes the next byte as it comes; CR LF reads as LF.
    EXPECT_EQ(codesOfFile("\x81\r\nA"), (std::vector<uint16_t>{0x41, 0x810A}));
    EXPECT_EQ(codesOfFile("\x81\rA"), (std::vector<uint16_t>{0x41, 0x810D}));
    // Byte 0x1A ends the text; a lead byte with nothing after it is dropped.
    EXPECT_EQ(codesOfFile("AB\x1A"
                          "CD"),
              (std::vector<uint16_t>{0x41, 0x42}));
    EXPECT_EQ(codesOfFile("A\x88"), (std::vector<uint16_t>{0x41}));
    EXPECT_EQ(codesOfFile("A\x88\x1A\x9F"), (std::vector<uint16_t>{0x41}));
}

TEST(CharacterList, EntriesKeepTheirBytesAndNothingOfAnEarlierLoad) {
    TemporaryFolder folder;
    const std::string path = folder.file("chars.txt");
    writeFileBytes(path, "漢z");
    auto list = std::make_unique<CharacterList>();
    ASSERT_TRUE(list->load(path.c_str()));
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(std::string(list->entries()[0].text, 4), std::string("z\0\0\0", 4));
    EXPECT_EQ(std::string(list->entries()[1].text, 4), std::string("漢\0\0", 4));
    writeFileBytes(path, "a");
    ASSERT_TRUE(list->load(path.c_str()));
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->entries()[1].code, 0);
    EXPECT_EQ(list->entries()[1].text[0], 0);
}

TEST(CharacterList, MissingFilesAndFoldersGiveNoEntries) {
    TemporaryFolder folder;
    auto list = std::make_unique<CharacterList>();
    EXPECT_FALSE(list->load(folder.file("missing.txt").c_str()));
    EXPECT_EQ(list->count(), 0);
    list->load(folder.path().c_str());  // a read error on one platform, no file on the other
    EXPECT_EQ(list->count(), 0);
}

TEST(CharacterList, HoldsEveryDistinctCode) {
    std::string all;
    for (int b = 0x20; b <= 0xFF; ++b)
        if (!isLeadByte(static_cast<uint8_t>(b))) all += static_cast<char>(b);
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFC && isLeadByte(static_cast<uint8_t>(lead)); ++trail)
            all += {static_cast<char>(lead), static_cast<char>(trail)};
    }
    const std::vector<uint16_t> codes = codesOfFile(all);
    const size_t singles = 0x100 - 0x20 - 62 - 1;     // less the 62 lead bytes and the space
    const size_t pairs = 62 * (0xFC - 0x40 + 1) - 1;  // less the full-width space
    EXPECT_EQ(codes.size(), singles + pairs);
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
}

TEST(CharacterList, TheExampleListHoldsAsciiKanaAndTheLevelOneKanji) {
    auto list = std::make_unique<CharacterList>();
    ASSERT_TRUE(list->load(EXAMPLES_FOLDER "/chars_jis_level1.txt"));
    EXPECT_EQ(list->count(), 94 + 83 + 86 + 2965);
    EXPECT_EQ(list->entries()[list->count() - 1].code, 0x9872);  // 腕, the last kanji of level 1
}
