#include "console/terminal_text.h"

#include <iconv.h>
#include <langinfo.h>

#include <cstring>

#include "platform/code_page.h"

namespace {

bool isUtf8(const char* codeset) {
    return std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0;
}

std::string asciiOnly(const std::string& text) {
    std::string out;
    for (char c : text) {
        // A UTF-8 character is one lead byte and its continuation bytes.
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else if ((byte & 0xC0) != 0x80) {
            out += '?';
        }
    }
    return out;
}

}  // namespace

std::string terminalTextFromUtf8(const std::string& text) {
    const char* codeset = nl_langinfo(CODESET);
    if (isUtf8(codeset)) return text;
    const iconv_t converter = iconv_open((std::string(codeset) + "//TRANSLIT").c_str(), "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return asciiOnly(text);
    std::string out(text.size() * 4 + 16, '\0');
    char* input = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* output = &out[0];
    size_t outLeft = out.size();
    const bool converted = iconv(converter, &input, &inLeft, &output, &outLeft) != static_cast<size_t>(-1);
    iconv_close(converter);
    if (!converted) return asciiOnly(text);
    out.resize(out.size() - outLeft);
    return out;
}

std::string terminalTextFromCodePage932(const std::string& text) {
    std::string utf8;
    if (!systemTextFromCodePage932(text, &utf8)) return asciiOnly(text);
    return terminalTextFromUtf8(utf8);
}
