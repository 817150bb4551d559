#include "engine/shift_jis.h"

#include <gtest/gtest.h>

#include <string>

TEST(CodePage932, LiteralsAreCompiledToShiftJisBytes) {
    EXPECT_EQ(std::string("ＭＳ ゴシック"), "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E");
    EXPECT_EQ(std::string("表"), "\x95\x5C");
}

TEST(ShiftJis, LeadBytesAreTheTwoDoubleByteRanges) {
    for (int byte = 0; byte < 256; ++byte) {
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFE);
        EXPECT_EQ(isLeadByte(static_cast<uint8_t>(byte)), lead) << byte;
    }
    EXPECT_EQ(characterCode("あ"), 0x82A0);
    const char single[1] = {'\xDF'};  // nothing after it may be read
    EXPECT_EQ(characterCode(single), 0xDF);
}

TEST(ShiftJis, TheLastSeparatorIsNeverATrailByte) {
    EXPECT_STREQ(findLastSeparator("C:\\表\\ソ.txt") + 1, "ソ.txt");  // 表 and ソ end in 0x5C
    EXPECT_EQ(findLastSeparator("表.txt"), nullptr);
}
