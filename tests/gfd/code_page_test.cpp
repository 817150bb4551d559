// The platform's code page conversions, file reads and path splitting, as
// gfd uses them; the same expectations hold natively and on Windows.
#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "tests/test_files/test_files.h"

TEST(CodePage932, ConvertsBothWaysByMicrosoftsTable) {
    const CodePage932 codePage;
    ASSERT_TRUE(codePage.available());
    const std::pair<uint16_t, char32_t> pairs[] = {
        {0x41, U'A'},        {0x5C, U'\\'},       {0x7E, U'~'},        {0xB1, U'\uFF71'},
        {0x82A0, U'\u3042'}, {0x8160, U'\uFF5E'}, {0x815F, U'\uFF3C'}, {0x889F, U'\u4E9C'},
        {0xE040, U'\u6F3E'}, {0xFA5C, U'\u7E8A'}, {0xFC4B, U'\u9ED1'},
    };
    for (const auto& pair : pairs) {
        char32_t character = 0;
        uint16_t code = 0;
        EXPECT_TRUE(codePage.toUnicode(pair.first, &character) && character == pair.second)
            << std::hex << pair.first;
        EXPECT_TRUE(codePage.fromUnicode(pair.second, &code) && code == pair.first) << std::hex << pair.first;
    }
    // Two codes for one character: both read as it, and it writes as one of them.
    char32_t character = 0;
    EXPECT_TRUE(codePage.toUnicode(0xED40, &character));
    EXPECT_EQ(character, U'\u7E8A');
}

TEST(CodePage932, RefusesWhatHasNoCounterpart) {
    const CodePage932 codePage;
    for (uint16_t code : {0x81, 0x8100, 0x4142, 0x8540, 0x82FF}) {
        char32_t character = 0;
        EXPECT_FALSE(codePage.toUnicode(code, &character)) << std::hex << code;
    }
    // 鷗 (a JIS X 0213 kanji), an emoji, a code past the last plane.
    for (char32_t character : {U'\u9DD7', U'\U0001F600', static_cast<char32_t>(0x110000)}) {
        uint16_t code = 0;
        EXPECT_FALSE(codePage.fromUnicode(character, &code)) << std::hex << static_cast<uint32_t>(character);
    }
}

TEST(SystemText, PageNamesAndShownCharacters) {
    std::string name;
    // 表 ends in the byte of a backslash.
    ASSERT_TRUE(systemTextFromCodePage932("\x95\x5C_00", &name));
#ifdef _WIN32
    EXPECT_EQ(name, "\x95\x5C_00");
    EXPECT_EQ(systemTextFromUnicode(U"\u8868A\U0001F600"),
              "\x95\x5C"
              "A??");
#else
    EXPECT_EQ(name, u8"表_00");
    EXPECT_EQ(systemTextFromUnicode(U"\u8868A\U0001F600"), u8"表A\U0001F600");
#endif
    EXPECT_FALSE(systemTextFromCodePage932("\x82", &name));
}

TEST(FileSystem, SizesReadsAndFolderParts) {
    TemporaryFolder folder;
    writeFileBytes(folder.file("data"), "0123456789");
    uint64_t size = 0;
    ASSERT_TRUE(getFileSize(folder.file("data").c_str(), &size));
    EXPECT_EQ(size, 10u);
    EXPECT_FALSE(getFileSize(folder.file("missing").c_str(), &size));
    EXPECT_FALSE(getFileSize(folder.path().c_str(), &size));  // a folder is no file

    char start[4] = {};
    EXPECT_TRUE(readFileStart(folder.file("data").c_str(), start, 3));
    EXPECT_EQ(std::string(start, 3), "012");
    char all[11];
    EXPECT_FALSE(readFileStart(folder.file("data").c_str(), all, sizeof all));
    EXPECT_FALSE(readFileStart(folder.file("missing").c_str(), all, 1));

    EXPECT_EQ(folderPartLength("font.gfd"), 0u);
    EXPECT_EQ(folderPartLength("fonts/kiln/font.gfd"), 11u);
#ifdef _WIN32
    EXPECT_EQ(folderPartLength("C:font.gfd"), 2u);
    EXPECT_EQ(folderPartLength("\x95\x5C.gfd"), 0u);
    EXPECT_EQ(folderPartLength("a\\\x95\x5C\\b.gfd"), 5u);
#endif
}
