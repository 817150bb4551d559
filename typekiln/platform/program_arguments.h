#pragma once

#include <string>
#include <vector>

// One argument of the program's command line, in the two forms a command
// needs: as the system's text, which the file functions take for names, and
// as Unicode characters, for an argument that is text to show.
struct ProgramArgument {
    std::string systemText;
    std::u32string characters;
};

// The arguments after the program name. On Windows they are read from the
// process's Unicode command line, so that characters the ANSI code page
// cannot hold still arrive; on POSIX systems `argv` is taken as UTF-8, and a
// byte that does not decode becomes U+FFFD.
std::vector<ProgramArgument> programArguments(int argc, char** argv);
