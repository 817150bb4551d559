#pragma once

#include <cstdint>
#include <string>

#include "platform/code_page.h"

// The Unicode characters GDI's narrow calls measure and draw for a code page
// 932 character code, as Windows' code page 932 converts the code's bytes
// (flags 0, no error detection):
// - a lead byte (0x81-0x9F, 0xE0-0xFC) with any byte after it is one
//   character, and a pair the code page leaves unassigned is its default
//   character U+30FB (・);
// - every other byte is a character of its own: 0x80 is U+0080, 0xA0 and
//   0xFD-0xFF are U+F8F0-U+F8F3.

// Whether `byte` leads a pair on Windows; 0xFD-0xFF are single characters
// there.
bool isWindowsLeadByte(uint8_t byte);

// The character GetGlyphOutlineA draws: a code whose high byte is no lead
// byte is taken as its low byte alone.
char32_t glyphOutlineCharacter(const CodePage932& codePage, uint16_t code);

// The character GetCharABCWidthsA measures: the first of the characters the
// code's bytes convert to; a lone lead byte is taken as U+001F.
char32_t abcWidthsCharacter(const CodePage932& codePage, uint16_t code);

// The face name CreateFontA asks for: at most the first 31 bytes of `face`
// (its name field holds no more), converted as above.
std::u32string faceNameCharacters(const CodePage932& codePage, const char* face);
