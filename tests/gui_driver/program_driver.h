#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/gui_driver/gui_driver.h"

// Runs a program of this build to its end as a batch job would: started in
// a folder of the test's choosing, its message boxes read and answered with
// OK on the way.

struct ProgramRun {
    bool finished = false;  // false when it outlived the timeout (it is then ended)
    DWORD exitCode = 0;
    std::vector<ShownBox> boxes;
    // Captions of the program's other dialogs seen while it ran, each once,
    // with the class of their control 1028 appended after a slash.
    std::vector<std::string> dialogs;
    // What a console program wrote to its standard output and error.
    std::string output;
    std::string errors;
};

// Starts `commandLine` (program path first) with `folder` as its current
// directory and waits for it to end, pressing OK in every message box it
// shows on the way. Its standard output and error go to files of their own.
ProgramRun runProgram(const std::string& commandLine, const std::string& folder, DWORD timeoutMs = 60000);
