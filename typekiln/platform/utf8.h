#pragma once

#include <string>

// UTF-8, the text of POSIX systems' file names, arguments and terminals.

// Appends the UTF-8 form of `c`; a value beyond Unicode becomes '?'.
void appendUtf8(std::string& out, char32_t c);

std::string utf8FromUnicode(const std::u32string& text);

// The characters of UTF-8 text. Overlong forms, surrogates and cut
// sequences give U+FFFD and move past one byte.
std::u32string unicodeFromUtf8(const std::string& text);
