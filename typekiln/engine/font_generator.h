#pragma once

#include <cstdint>

#include "engine/character_list.h"
#include "engine/generation_settings.h"
#include "engine/page_layout.h"
#include "engine/run_window.h"

namespace FontGenerator {

// Where the run's own thread spent its time, in seconds; glyphs are drawn
// on other threads meanwhile. For benchmarks.
struct Times {
    double waitingForGlyphs = 0;
    double layout = 0;     // placing glyphs, keeping their runs
    double reduction = 0;  // drawing finished pages band by band and reducing them
    double writing = 0;    // colour reduction and page files, descriptor
};

// One generation run: every character of `characters`, in order, is drawn,
// laid out on the pages, recorded in the descriptor; each page is reduced by
// the sampling factor once the run moves past it; then the pages are
// written, and the descriptor last, all in the input file's folder (which
// becomes the current directory). The settings must have passed
// findSettingsProblem(). The working state of settings.glyphOptions ends as
// the last glyph left it, as if the glyphs had been drawn one by one.
//
// Returns true when every file was written. A run that cannot finish (more
// than 255 pages, a glyph wider or taller than an empty page, a glyph whose
// cell width or bearings its record cannot hold, a buffer or a file that
// cannot be obtained) reports why through the window, removes any file it
// had written, and returns false. A character the font has no image for is
// reported through the window too, and the run goes on.
bool run(const RunWindow& window, GenerationSettings& settings, const CharacterList& characters,
         WorkTables& tables, Times* times = nullptr);

}  // namespace FontGenerator

// The folder that output files go to: `inputPath` up to its last folder
// separator (kept when the folder is a root, such as "C:\" or "/"), or
// empty when the path names no folder.
void outputFolderOf(const char* inputPath, char folder[kMaxPathBytes]);
