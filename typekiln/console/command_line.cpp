#include "console/command_line.h"

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/utf8.h"

namespace {

// An option's text in code page 932; false when a character has no code.
bool codePage932Text(const CodePage932& codePage, const std::string& utf8, std::string* text) {
    text->clear();
    for (char32_t character : unicodeFromUtf8(utf8)) {
        uint16_t code = 0;
        if (!codePage.fromUnicode(character, &code)) return false;
        if (code > 0xFF) *text += static_cast<char>(code >> 8);
        *text += static_cast<char>(code);
    }
    return true;
}

}  // namespace

CommandLine readCommandLine(int argc, char** argv) {
    CommandLine line = {Request::Run, {"typekiln"}, nullptr};
    const CodePage932 codePage;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") return {Request::Help, {}, nullptr};
        if (argument == "--version") return {Request::Version, {}, nullptr};
        if (argument == "--faces") return {Request::Faces, {}, nullptr};
        if (argument.rfind("--", 0) == 0) return {Request::BadArgument, {argument}, "知らない引数です"};
        if (namesInputFile(argument.c_str())) {
            line.arguments.push_back(argument);
            continue;
        }
        std::string option;
        if (!codePage932Text(codePage, argument, &option))
            return {Request::BadArgument, {argument}, "コードページ932にない文字を含む引数です"};
        line.arguments.push_back(option);
    }
    return line;
}
