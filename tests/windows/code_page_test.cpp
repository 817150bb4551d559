#include <windows.h>

#include <gtest/gtest.h>

// Everything the programs show, read or write is code page 932; under Wine
// that needs the Japanese locale of the test wrapper.
TEST(WindowsLocale, AnsiCodePageIs932) {
    EXPECT_EQ(GetACP(), 932u);
}
