#pragma once

#include <cstdint>

#include "engine/generation_settings.h"
#include "images/surface.h"

// What a drawer that cannot open, or a program that cannot start, says when
// memory runs out.
constexpr char kNoMemoryMessage[] = "メモリが足りません";

// What drawing one character came to.
enum class GlyphOutcome {
    Drawn,        // the glyph holds the character with its effects
    Empty,        // the font has no image for it: the run tells the user and goes on
    OutOfMemory,  // a buffer was not granted: the run ends
};

// What a run needs from the window that shows it and from the platform that
// draws its glyphs: the progress window and GDI on Windows, the terminal and
// FreeType natively, a recording stand-in in tests. `handle` is passed back
// to the window's functions.
//
// Glyphs are drawn on several threads at once, each with a drawer of its own
// (its own system font objects) and its own copy of the glyph options; the
// run places them in list order on its own thread, which is also the only
// one that calls the window's functions.
struct RunWindow {
    void* handle;
    // How many threads draw glyphs side by side; 0 means one per processor.
    int32_t drawingThreads;
    // Makes one drawing thread's drawer for glyphs with `options` (its own
    // copy, whose working state the drawer may fill); null when it cannot,
    // with *problem set to the reason (a message for the user) or null.
    void* (*openDrawer)(void* handle, GlyphOptions& options, const char** problem);
    void (*closeDrawer)(void* drawer);
    // Draws one character (its bytes, NUL-terminated) into the empty `glyph`
    // at sampled size with the effects applied, leaving its metrics in the
    // working state of `options`. Empty: `glyph` stays empty, the A and C
    // widths are left unscaled and topOffset is not touched. OutOfMemory:
    // `glyph` is empty and the working state means nothing. Shows nothing.
    GlyphOutcome (*drawGlyph)(void* drawer, Surface& glyph, GlyphOptions& options, const char* text);
    // Tells the user that the character `text` (its bytes) had no image
    // (Windows: "ERROR Failed GetFontBuffer"); the run goes on.
    void (*reportEmptyGlyph)(void* handle, const char* text);
    void (*setProgressRange)(void* handle, int32_t count);
    void (*stepProgress)(void* handle);
    // Tells how many page files are written so far: each page is written
    // as soon as the run moves past it.
    void (*reportPageWritten)(void* handle, int32_t written);
    // Tells the user why the run stopped (Japanese text for a message box).
    void (*reportFailure)(void* handle, const char* message);
};
