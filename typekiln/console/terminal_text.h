#pragma once

#include <string>

// Text for the terminal, in the encoding the locale gives it (LANG, LC_ALL,
// LC_CTYPE): the program's own code page 932 texts, and UTF-8 ones (face
// names). A character the terminal's encoding lacks becomes '?'.
std::string terminalTextFromCodePage932(const std::string& text);
std::string terminalTextFromUtf8(const std::string& text);
