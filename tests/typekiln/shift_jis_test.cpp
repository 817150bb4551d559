#include "shift_jis.h"

#include <gtest/gtest.h>

#include <string>

TEST(CodePage932, LiteralsAreCompiledToShiftJisBytes) {
    const std::string face = "ＭＳ ゴシック";
    EXPECT_EQ(face, "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E");
    EXPECT_EQ(std::string("表"), "\x95\x5C");
}

TEST(ShiftJis, LeadBytesAreTheTwoDoubleByteRanges) {
    EXPECT_FALSE(isLeadByte(0x80));
    EXPECT_TRUE(isLeadByte(0x81));
    EXPECT_TRUE(isLeadByte(0x9F));
    EXPECT_FALSE(isLeadByte(0xA0));
    EXPECT_FALSE(isLeadByte(0xDF));
    EXPECT_TRUE(isLeadByte(0xE0));
    EXPECT_TRUE(isLeadByte(0xFE));
    EXPECT_FALSE(isLeadByte(0xFF));
}

TEST(ShiftJis, CharacterCodeReadsTheTrailByteOnlyAfterALead) {
    EXPECT_EQ(characterCode("あ"), 0x82A0);
    EXPECT_EQ(characterCode("A\xFF"), 0x41);
    EXPECT_EQ(characterCode("\xDF"), 0xDF);
    const char lone[1] = {'\x7A'};  // nothing after it may be read
    EXPECT_EQ(characterCode(lone), 0x7A);
}

TEST(ShiftJis, TheLastSeparatorIsNeverATrailByte) {
    const char* path = "C:\\表\\ソ.txt";  // 表 and ソ both end in 0x5C
    ASSERT_NE(findLastSeparator(path), nullptr);
    EXPECT_STREQ(findLastSeparator(path) + 1, "ソ.txt");
    EXPECT_EQ(findLastSeparator("表.txt"), nullptr);
    EXPECT_EQ(findLastSeparator(""), nullptr);
}

TEST(ShiftJis, CopyTextCutsBeforeACharacterThatDoesNotFit) {
    char out[6];
    EXPECT_FALSE(copyText(out, sizeof out, "abあい", 6));
    EXPECT_STREQ(out, "abあ");
    EXPECT_TRUE(copyText(out, sizeof out, "abcあ", 5));
    EXPECT_STREQ(out, "abcあ");
    EXPECT_TRUE(copyText(out, sizeof out, "abcd", 4));
    EXPECT_STREQ(out, "abcd");
    EXPECT_FALSE(copyText(out, sizeof out, "abcdあ", 6));
    EXPECT_STREQ(out, "abcd");
}
