#pragma once

#include <cstdint>
#include <string>

// Code page 932 against Unicode, by the system's own tables (iconv's CP932
// on POSIX systems, Windows' code page 932), and the text the system itself
// speaks: its file names, program arguments and console are UTF-8 on POSIX
// systems and the ANSI code page on Windows.

// A character code is a single byte, or lead byte * 256 + trail byte, as
// characterCode gives it.
class CodePage932 {
public:
    CodePage932();
    ~CodePage932();
    CodePage932(const CodePage932&) = delete;
    CodePage932& operator=(const CodePage932&) = delete;

    // False when the system has no code page 932 tables; every conversion
    // then fails.
    bool available() const;
    // The Unicode character of a character code; false when code page 932
    // gives it none (a lone lead byte, a bad trail byte, an unassigned code).
    bool toUnicode(uint16_t code, char32_t* character) const;
    // The character code of a Unicode character; false when code page 932
    // has none. Exact mappings only: no look-alike stands in.
    bool fromUnicode(char32_t character, uint16_t* code) const;

private:
    void* decoder = nullptr;  // conversion state where the system needs one
    void* encoder = nullptr;
};

// Code page 932 text (a page name in a descriptor) as the system's text, to
// name a file. False when the bytes are not code page 932 text.
bool systemTextFromCodePage932(const std::string& text, std::string* systemText);

// Unicode characters as the system's text, to show them; a character the
// system's text cannot hold becomes '?'.
std::string systemTextFromUnicode(const std::u32string& text);
