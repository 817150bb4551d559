#pragma once

#include <string>
#include <vector>

// The native program's command line: Typekiln.exe's batch arguments
// (chars.txt /size,26 ...), or one of the requests a command-line tool
// answers (--help, --version, --faces).
enum class Request { Run, Help, Version, Faces, BadArgument };

struct CommandLine {
    Request request;
    // For Run: the program word, then the arguments as the engine takes
    // them: options in code page 932, the input file's path as the system
    // names it. For BadArgument: the argument (UTF-8).
    std::vector<std::string> arguments;
    // For BadArgument: what is wrong with it (code page 932).
    const char* problem;
};

// Reads `argv` (UTF-8). An option holding a character code page 932 lacks
// is a bad argument, and so is an unknown "--" request.
CommandLine readCommandLine(int argc, char** argv);
