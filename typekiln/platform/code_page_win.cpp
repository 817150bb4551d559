#include "platform/code_page.h"

#include <windows.h>

namespace {

constexpr UINT kCodePage932 = 932;

// One or two UTF-16 units from a character; false beyond the last plane.
int toUtf16(char32_t character, wchar_t units[2]) {
    if (character < 0x10000) {
        units[0] = static_cast<wchar_t>(character);
        return 1;
    }
    if (character > 0x10FFFF) return 0;
    character -= 0x10000;
    units[0] = static_cast<wchar_t>(0xD800 | character >> 10);
    units[1] = static_cast<wchar_t>(0xDC00 | (character & 0x3FF));
    return 2;
}

std::wstring utf16From(const std::u32string& text) {
    std::wstring wide;
    for (char32_t c : text) {
        wchar_t units[2];
        const int count = toUtf16(c, units);
        if (count == 0) {
            wide += L'?';
        } else {
            wide.append(units, count);
        }
    }
    return wide;
}

bool wideToCodePage(UINT codePage, const std::wstring& wide, std::string* text) {
    if (wide.empty()) {
        text->clear();
        return true;
    }
    const int length = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return false;
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), length, &out[0], bytes, nullptr, nullptr);
    *text = out;
    return true;
}

}  // namespace

// Windows converts without state: the two members stay unused.
CodePage932::CodePage932() {}

CodePage932::~CodePage932() {}

bool CodePage932::available() const {
    return IsValidCodePage(kCodePage932) != 0;
}

bool CodePage932::toUnicode(uint16_t code, char32_t* character) const {
    // A lone lead byte, or two bytes that are two characters, do not make
    // exactly one unit and fail.
    const bool twoBytes = code > 0xFF;
    const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code)};
    wchar_t unit = 0;
    if (MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, twoBytes ? bytes : bytes + 1,
                            twoBytes ? 2 : 1, &unit, 1) != 1) {
        return false;
    }
    *character = unit;
    return true;
}

bool CodePage932::fromUnicode(char32_t character, uint16_t* code) const {
    wchar_t units[2];
    const int count = toUtf16(character, units);
    if (count == 0) return false;
    char bytes[2];
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, units, count, bytes,
                                           sizeof bytes, nullptr, &usedDefault);
    if (usedDefault || length < 1) return false;
    *code = length == 1
                ? static_cast<uint8_t>(bytes[0])
                : static_cast<uint16_t>(static_cast<uint8_t>(bytes[0]) << 8 | static_cast<uint8_t>(bytes[1]));
    return true;
}

bool systemTextFromCodePage932(const std::string& text, std::string* systemText) {
    if (text.empty()) {
        systemText->clear();
        return true;
    }
    // The usual case, and the only one that keeps every byte: with code page
    // 932 as the ANSI code page the names are already the system's. A round
    // trip would turn duplicates such as 0xED40 into their other code.
    const int length = static_cast<int>(text.size());
    const int units =
        MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (units <= 0) return false;
    if (GetACP() == kCodePage932) {
        *systemText = text;
        return true;
    }
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, text.data(), length, &wide[0], units);
    return wideToCodePage(CP_ACP, wide, systemText);
}

std::string systemTextFromUnicode(const std::u32string& text) {
    std::string out;
    return wideToCodePage(CP_ACP, utf16From(text), &out) ? out : std::string(text.size(), '?');
}
