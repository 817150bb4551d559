#include "platform/program_arguments.h"

#include <windows.h>
// windows.h first: shellapi.h builds on its types.
#include <shellapi.h>

namespace {

std::u32string charactersOf(const wchar_t* wide) {
    std::u32string characters;
    for (const wchar_t* p = wide; *p; ++p) {
        const char32_t unit = static_cast<char16_t>(*p);
        const char32_t next = static_cast<char16_t>(p[1]);
        if (unit >= 0xD800 && unit <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
            characters += 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
            ++p;
        } else {
            characters += unit;
        }
    }
    return characters;
}

// As the C runtime's own argv has it: the ANSI code page, best fit included.
std::string ansiTextOf(const wchar_t* wide) {
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return std::string();
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, &text[0], bytes, nullptr, nullptr);
    text.resize(static_cast<size_t>(bytes) - 1);
    return text;
}

}  // namespace

std::vector<ProgramArgument> programArguments(int argc, char** argv) {
    std::vector<ProgramArgument> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) {
        // Only when memory runs out; the ANSI arguments still say what they can.
        for (int i = 1; i < argc; ++i) {
            const int units = MultiByteToWideChar(CP_ACP, 0, argv[i], -1, nullptr, 0);
            std::wstring text(static_cast<size_t>(units > 0 ? units : 1), L'\0');
            if (units > 0) MultiByteToWideChar(CP_ACP, 0, argv[i], -1, &text[0], units);
            arguments.push_back({argv[i], charactersOf(text.c_str())});
        }
        return arguments;
    }
    for (int i = 1; i < count; ++i) arguments.push_back({ansiTextOf(wide[i]), charactersOf(wide[i])});
    LocalFree(wide);
    return arguments;
}
