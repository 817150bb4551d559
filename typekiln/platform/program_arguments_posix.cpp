#include "program_arguments.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at `at`, moving past it. Overlong forms,
// surrogates and cut sequences give U+FFFD and move past one byte.
char32_t decodeUtf8(const std::string& text, size_t& at) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    int length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, least = 0x10000;
    } else {
        ++at;
        return kReplacement;
    }
    if (at + length > text.size()) {
        ++at;
        return kReplacement;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return kReplacement;
        }
        value = value << 6 | (next & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++at;
        return kReplacement;
    }
    at += length;
    return value;
}

}  // namespace

std::vector<ProgramArgument> programArguments(int argc, char** argv) {
    std::vector<ProgramArgument> arguments;
    for (int i = 1; i < argc; ++i) {
        ProgramArgument argument;
        argument.systemText = argv[i];
        for (size_t at = 0; at < argument.systemText.size();)
            argument.characters += decodeUtf8(argument.systemText, at);
        arguments.push_back(argument);
    }
    return arguments;
}
