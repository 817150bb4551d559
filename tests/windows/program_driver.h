#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Runs a program of this build as a person would: started in a folder of
// the test's choosing, its message boxes read and answered with OK.

struct MessageBoxSeen {
    std::string caption;
    std::string text;
};

struct ProgramRun {
    bool finished = false;  // false when it outlived the timeout (it is then ended)
    DWORD exitCode = 0;
    std::vector<MessageBoxSeen> boxes;
    // Captions of the program's other dialogs seen while it ran, each once,
    // with the class of their control 1028 appended after a slash.
    std::vector<std::string> dialogs;
    // What a console program wrote to its standard output and error.
    std::string output;
    std::string errors;
};

// The full path of a program that the build puts beside the test programs.
std::string besideTests(const std::string& program);

// Starts `commandLine` (program path first) with `folder` as its current
// directory and waits for it to end, pressing OK in every message box it
// shows on the way. Its standard output and error go to files of their own.
ProgramRun runProgram(const std::string& commandLine, const std::string& folder, DWORD timeoutMs = 60000);

// Answers the message boxes of the calling process from a thread of its
// own while it lives, recording them.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Stops watching (finishing an answer under way) and returns the boxes seen.
    std::vector<MessageBoxSeen> stop();

private:
    static DWORD WINAPI watch(void* self);
    HANDLE thread;
    volatile LONG stopping = 0;
    std::vector<MessageBoxSeen> boxes;  // written by the watching thread until stop()
};
