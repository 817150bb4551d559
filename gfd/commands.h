#pragma once

#include <string>

#include "gfd/command_line.h"

// Exit codes of gfd.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;  // the font is damaged, or a file cannot be read or written
constexpr int kExitUsage = 2;   // the command line makes no command

// Runs a parsed command. What it has to say goes to `out` (results) and
// `err` (problems, each line starting "gfd: "), lines in the system's text.
// Returns the exit code; a memory request the system refuses is a failed
// command with its one line, never an exception.
int runCommand(const Command& command, std::string& out, std::string& err);
