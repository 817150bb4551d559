#pragma once

#include <cstdio>
#include <string>
#include <vector>

// One batch run as Typekiln.exe makes it from the same arguments: the
// options applied to the start-up settings, the same checks in the same
// order, the same files beside the character list. Messages go to
// `messages` (standard error) through a ConsoleWindow. Returns the exit
// code: 0 when every file was written, 1 when the run was refused or failed.
int runNativeBatch(const std::vector<std::string>& arguments, FILE* messages);
