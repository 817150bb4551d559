#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

#include "engine/run_window.h"

// A run shown in the terminal, on standard error: on a terminal one line of
// progress (glyphs placed of the total, pages written so far), redrawn in place and
// cleared when the run ends; a line for each character the font has no
// image for (the run goes on: nobody needs to answer); and the reason a run
// stops. Away from a terminal (a pipe, a file) only the lines.
class ConsoleWindow {
public:
    explicit ConsoleWindow(FILE* stream);
    ~ConsoleWindow();
    ConsoleWindow(const ConsoleWindow&) = delete;
    ConsoleWindow& operator=(const ConsoleWindow&) = delete;

    // The run's window: glyphs drawn with the glyph source, one drawing
    // thread per processor.
    RunWindow runWindow();

    // A line of its own, above the progress line: a message of the program's
    // (code page 932).
    void say(const char* message);

private:
    static void reportEmptyGlyph(void* handle, const char* text);
    static void setProgressRange(void* handle, int32_t count);
    static void stepProgress(void* handle);
    static void reportPageWritten(void* handle, int32_t written);
    static void reportFailure(void* handle, const char* message);

    void drawProgress(bool force);
    void clearProgress();

    FILE* stream;
    bool showsProgress;
    bool progressShown = false;
    int32_t glyphTotal = 0;
    int32_t glyphsPlaced = 0;
    int32_t pagesWritten = 0;
    std::chrono::steady_clock::time_point lastDrawn;
};
