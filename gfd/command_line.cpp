#include "gfd/command_line.h"

#include <cstring>

const char kUsage[] =
    "usage: gfd check FONT.gfd\n"
    "       gfd render FONT.gfd TEXT -o OUT.png [--background R,G,B] [--scale N] [--base N]\n"
    "       gfd export FONT.gfd -o OUT.fnt [--base N]\n"
    "\n"
    "check   reads the descriptor and its page images and says what is wrong\n"
    "render  sets TEXT with the font into a PNG image (default background 128,128,128)\n"
    "export  writes the font as a plain-text bitmap font (.fnt) with PNG pages\n"
    "--base  the glyphs' baseline in rows below a row's top (default: measured on the pages)\n";

namespace {

// A whole decimal number from `low` to `high`, and nothing else.
bool parseNumber(const std::string& text, int32_t low, int32_t high, int32_t* value) {
    if (text.empty() || text.size() > 6) return false;
    int32_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    if (number < low || number > high) return false;
    *value = number;
    return true;
}

bool parseColour(const std::string& text, Colour* colour) {
    int32_t channels[3];
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const size_t end = i < 2 ? text.find(',', start) : text.size();
        if (end == std::string::npos || !parseNumber(text.substr(start, end - start), 0, 255, &channels[i]))
            return false;
        start = end + 1;
    }
    *colour = {static_cast<uint8_t>(channels[0]), static_cast<uint8_t>(channels[1]),
               static_cast<uint8_t>(channels[2])};
    return true;
}

struct CommandShape {
    const char* name;
    CommandKind kind;
    size_t positionals;  // FONT, and TEXT for render
    bool takesOutput;
    bool takesLook;  // --background and --scale
    bool takesBase;
};

constexpr CommandShape kShapes[] = {
    {"check", CommandKind::Check, 1, false, false, false},
    {"render", CommandKind::Render, 2, true, true, true},
    {"export", CommandKind::Export, 1, true, false, true},
};

}  // namespace

bool parseCommandLine(const std::vector<ProgramArgument>& arguments, Command& command, std::string& error) {
    const auto refuse = [&error](const std::string& reason) {
        error = reason;
        return false;
    };
    command = Command();
    if (arguments.empty()) return refuse("no command given (check, render or export; --help tells more)");
    const std::string& name = arguments[0].systemText;
    if (name == "--help" || name == "-h" || name == "help") return true;
    const CommandShape* shape = nullptr;
    for (const CommandShape& candidate : kShapes)
        if (name == candidate.name) shape = &candidate;
    if (!shape) return refuse("unknown command \"" + name + "\" (check, render or export)");
    command.kind = shape->kind;

    std::vector<const ProgramArgument*> positionals;
    bool options = true;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i].systemText;
        const bool hasValue = i + 1 < arguments.size();
        const std::string value = hasValue ? arguments[i + 1].systemText : std::string();
        if (!options || argument.empty() || argument[0] != '-') {
            positionals.push_back(&arguments[i]);
        } else if (argument == "--") {
            options = false;
        } else if (argument == "-o" && shape->takesOutput) {
            if (!hasValue || value.empty()) return refuse("-o needs a file name");
            command.output = value;
            ++i;
        } else if (argument == "--background" && shape->takesLook) {
            if (!hasValue || !parseColour(value, &command.background))
                return refuse("--background needs a colour R,G,B of three numbers from 0 to 255");
            ++i;
        } else if (argument == "--scale" && shape->takesLook) {
            if (!hasValue || !parseNumber(value, 1, kMaxScale, &command.scale))
                return refuse("--scale needs a whole number from 1 to " + std::to_string(kMaxScale));
            ++i;
        } else if (argument == "--base" && shape->takesBase) {
            if (!hasValue || !parseNumber(value, 0, kMaxBase, &command.base))
                return refuse("--base needs a whole number from 0 to " + std::to_string(kMaxBase));
            ++i;
        } else {
            return refuse("\"" + argument + "\" is not an option of " + shape->name);
        }
    }
    if (positionals.size() != shape->positionals) {
        return refuse(std::string(shape->name) +
                      (shape->kind == CommandKind::Render ? " takes a font and a text" : " takes one font"));
    }
    command.font = positionals[0]->systemText;
    if (shape->kind == CommandKind::Render) {
        command.text = positionals[1]->characters;
        if (command.text.empty()) return refuse("render needs a text that is not empty");
    }
    if (shape->takesOutput && command.output.empty())
        return refuse(std::string(shape->name) + " needs -o and the file to write");
    return true;
}
