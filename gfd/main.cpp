// gfd: checks a generated font, sets a text with it, and exports it to the
// plain-text bitmap-font format.
#include <cstdio>

#include "gfd/commands.h"

int main(int argc, char** argv) {
    Command command;
    std::string error;
    std::string out;
    std::string err;
    int code = kExitUsage;
    if (parseCommandLine(programArguments(argc, argv), command, error)) {
        code = runCommand(command, out, err);
    } else {
        err = "gfd: " + error + "\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return code;
}
