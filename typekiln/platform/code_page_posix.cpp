#include "platform/code_page.h"

#include <iconv.h>

#include "platform/utf8.h"

namespace {

// glibc's CP932 is Microsoft's table (0x5C is the backslash, 0x8160 U+FF5E),
// which is what Windows programs and their fonts use.
constexpr char kCodePage932[] = "CP932";
// UTF-32 in the machine's byte order, so that a char32_t is one unit.
constexpr char kUnicode[] = "UTF-32LE";
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

iconv_t asConverter(void* state) {
    return state ? static_cast<iconv_t>(state) : kNoConverter;
}

void* openConverter(const char* to, const char* from) {
    iconv_t converter = iconv_open(to, from);
    return converter == kNoConverter ? nullptr : converter;
}

// Converts all of `in` in one go; false when any of it does not convert.
bool convertAll(iconv_t converter, const char* in, size_t inBytes, char* out, size_t outRoom,
                size_t* outBytes) {
    if (converter == kNoConverter) return false;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* input = const_cast<char*>(in);
    char* output = out;
    size_t inLeft = inBytes;
    size_t outLeft = outRoom;
    if (iconv(converter, &input, &inLeft, &output, &outLeft) == static_cast<size_t>(-1)) return false;
    // A stateless encoding has nothing to flush, but the call is cheap.
    if (iconv(converter, nullptr, nullptr, &output, &outLeft) == static_cast<size_t>(-1)) return false;
    *outBytes = outRoom - outLeft;
    return inLeft == 0;
}

}  // namespace

CodePage932::CodePage932()
    : decoder(openConverter(kUnicode, kCodePage932)), encoder(openConverter(kCodePage932, kUnicode)) {}

CodePage932::~CodePage932() {
    if (decoder) iconv_close(asConverter(decoder));
    if (encoder) iconv_close(asConverter(encoder));
}

bool CodePage932::available() const {
    return decoder && encoder;
}

bool CodePage932::toUnicode(uint16_t code, char32_t* character) const {
    const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code)};
    const bool twoBytes = code > 0xFF;
    unsigned char unit[8];
    size_t produced = 0;
    if (!convertAll(asConverter(decoder), twoBytes ? bytes : bytes + 1, twoBytes ? 2 : 1,
                    reinterpret_cast<char*>(unit), sizeof unit, &produced) ||
        produced != 4) {
        return false;
    }
    *character = static_cast<char32_t>(unit[0] | unit[1] << 8 | unit[2] << 16 | unit[3] << 24);
    return true;
}

bool CodePage932::fromUnicode(char32_t character, uint16_t* code) const {
    const unsigned char unit[4] = {
        static_cast<unsigned char>(character), static_cast<unsigned char>(character >> 8),
        static_cast<unsigned char>(character >> 16), static_cast<unsigned char>(character >> 24)};
    unsigned char bytes[4];
    size_t produced = 0;
    if (!convertAll(asConverter(encoder), reinterpret_cast<const char*>(unit), sizeof unit,
                    reinterpret_cast<char*>(bytes), sizeof bytes, &produced)) {
        return false;
    }
    if (produced == 1) {
        *code = bytes[0];
        return true;
    }
    if (produced == 2) {
        *code = static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
        return true;
    }
    return false;
}

bool systemTextFromCodePage932(const std::string& text, std::string* systemText) {
    iconv_t converter = iconv_open("UTF-8", kCodePage932);
    if (converter == kNoConverter) return false;
    // A code page 932 character of one or two bytes is at most three in UTF-8.
    std::string out(text.size() * 3, '\0');
    size_t produced = 0;
    const bool converted = convertAll(converter, text.data(), text.size(), &out[0], out.size(), &produced);
    iconv_close(converter);
    if (!converted) return false;
    out.resize(produced);
    *systemText = out;
    return true;
}

std::string systemTextFromUnicode(const std::u32string& text) {
    return utf8FromUnicode(text);
}
