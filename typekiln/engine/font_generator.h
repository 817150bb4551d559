#pragma once

#include <cstdint>

#include "character_list.h"
#include "generation_settings.h"
#include "page_layout.h"
#include "surface.h"

// What a run needs from the window that shows it: the progress window on
// Windows, a recording stand-in in tests. `handle` is passed back to every
// function.
struct RunWindow {
    void* handle;
    // Draws one character (its bytes, NUL-terminated) into the empty `glyph`
    // at sampled size with the effects applied, leaving its metrics in the
    // working state of `options`; leaves `glyph` empty when it cannot.
    void (*rasterize)(void* handle, Surface& glyph, GlyphOptions& options, const char* text);
    void (*setProgressRange)(void* handle, int32_t count);
    void (*stepProgress)(void* handle);
    // Tells the user why the run stopped (Japanese text for a message box).
    void (*reportFailure)(void* handle, const char* message);
};

namespace FontGenerator {

// One generation run: every character of `characters`, in order, is drawn,
// laid out on the pages, recorded in the descriptor; then each page is
// reduced by the sampling factor and written, and the descriptor last, all
// in the input file's folder (which becomes the current directory). The
// settings must have passed findSettingsProblem().
//
// Returns true when every file was written. A run that cannot finish (more
// than 255 pages, a glyph wider or taller than an empty page, a buffer or a
// file that cannot be obtained) reports why through the window, removes any
// file it had written, and returns false.
bool run(const RunWindow& window, GenerationSettings& settings, const CharacterList& characters,
         WorkTables& tables);

}  // namespace FontGenerator

// The folder that output files go to: `inputPath` up to its last backslash
// (kept when the folder is a root, such as "C:\"), or empty when the path
// names no folder.
void outputFolderOf(const char* inputPath, char folder[kMaxPathBytes]);
