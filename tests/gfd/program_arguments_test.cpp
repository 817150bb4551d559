// Arguments as a POSIX system hands them over: UTF-8 bytes. (On Windows they
// come from the process's own Unicode command line; the program tests there
// pass Japanese text through it.)
#include "platform/program_arguments.h"

#include <gtest/gtest.h>

TEST(ProgramArguments, DecodeUtf8AndMarkWhatDoesNotDecode) {
    char program[] = "gfd";
    char japanese[] = u8"日本 A";
    char emoji[] = u8"\U0001F600";
    // A lone continuation byte, an overlong slash, a cut sequence, a surrogate.
    char broken[] = "\x80/\xC0\xAF/\xE3\x81/\xED\xA0\x80";
    char* argv[] = {program, japanese, emoji, broken};
    const std::vector<ProgramArgument> arguments = programArguments(4, argv);
    ASSERT_EQ(arguments.size(), 3u);
    EXPECT_EQ(arguments[0].systemText, japanese);
    EXPECT_EQ(arguments[0].characters, U"日本 A");
    EXPECT_EQ(arguments[1].characters, U"\U0001F600");
    EXPECT_EQ(arguments[2].characters, U"\uFFFD/\uFFFD\uFFFD/\uFFFD\uFFFD/\uFFFD\uFFFD\uFFFD");
}
