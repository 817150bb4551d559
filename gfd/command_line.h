#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfd/text_renderer.h"
#include "platform/program_arguments.h"

// The command line of gfd:
//   gfd check FONT.gfd
//   gfd render FONT.gfd TEXT -o OUT.png [--background R,G,B] [--scale N] [--base N]
//   gfd export FONT.gfd -o OUT.fnt [--base N]
// Options go before, between or after the other arguments; "--" ends them,
// for a TEXT that starts with "-".

enum class CommandKind { Help, Check, Render, Export };

// No --base given: the baseline is measured on the pages.
constexpr int32_t kMeasuredBase = -1;

struct Command {
    CommandKind kind = CommandKind::Help;
    std::string font;     // the descriptor (the system's text)
    std::u32string text;  // render: what to set
    std::string output;   // render, export: the file to write (the system's text)
    Colour background = {128, 128, 128};
    int32_t scale = 1;
    int32_t base = kMeasuredBase;  // render, export: the baseline, rows below a row's top
};

constexpr int32_t kMaxScale = 16;
constexpr int32_t kMaxBase = 255;

// What `gfd --help` prints.
extern const char kUsage[];

// Reads the arguments after the program name. Returns false, with a
// one-line reason in `error`, when they make no command.
bool parseCommandLine(const std::vector<ProgramArgument>& arguments, Command& command, std::string& error);
