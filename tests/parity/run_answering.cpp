// Runs a program of this build to its end as a person at the screen would:
// presses OK in every message box it shows, prints each box's text on a line
// of its own, and exits with the program's exit code (255 when it did not
// end within ten minutes).
//
//   run_answering <program> <arguments...>
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/gui_driver/program_driver.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: run_answering <program> <arguments...>\n");
        return 2;
    }
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        const std::string argument = argv[i];
        commandLine += argument.find(' ') == std::string::npos ? argument : "\"" + argument + "\"";
    }
    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);
    const ProgramRun run = runProgram(commandLine, folder, 600000);
    for (const ShownBox& box : run.boxes) std::printf("box: %s\n", box.text.c_str());
    return run.finished ? static_cast<int>(run.exitCode) : 255;
}
