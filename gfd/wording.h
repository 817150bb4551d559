#pragma once

#include <cstdint>
#include <string>

// Numbers as the messages say them: "3,228 glyphs", "1 page".
std::string counted(uint64_t count, const char* singular, const char* plural);

// A character code of code page 932 as the messages name it: "0x82A0".
std::string codeName(uint16_t code);

// A Unicode character as the messages name it: "U+3042".
std::string unicodeName(char32_t character);
