#pragma once

#include "engine/font_file_names.h"
#include "engine/generation_settings.h"

// Settings that the option parser stores unchecked but that no run can use:
// page sizes without a page, a sampling factor the reduction cannot divide
// by, a font size above the descriptor's one byte, a glyph that the effect
// margin shrinks to nothing, a degenerate scale, an em-wide glyph whose
// cell the descriptor cannot hold (255 pixels), an unknown extrusion
// direction, negative effect sizes, rows taller than a page, and output
// names too long for the page file names. Returns the
// message that names the wrong setting (Japanese, for a message box
// captioned "Error"), or nullptr when a run may start. Every run is checked
// first.
const char* findSettingsProblem(const GenerationSettings& settings);

// findSettingsProblem without the output name: the settings that decide how
// a glyph is drawn and whether its row fits a page. A preview draws nothing
// that fails this, since no run would draw it.
const char* findDrawingProblem(const GenerationSettings& settings);

// The longest output name whose file names still fit in 255 bytes, the most
// a file name buffer of 256 bytes holds.
constexpr int kMaxOutNameBytes = 255 - kLongestNameSuffixBytes;
