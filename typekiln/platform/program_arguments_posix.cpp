#include "platform/program_arguments.h"

#include "platform/utf8.h"

std::vector<ProgramArgument> programArguments(int argc, char** argv) {
    std::vector<ProgramArgument> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back({argv[i], unicodeFromUtf8(argv[i])});
    return arguments;
}
