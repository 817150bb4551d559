#pragma once

#include "engine/generation_settings.h"

// The checks before a run. Each returns the message that says why the run
// cannot start (Japanese, for a box captioned "Error" with the stop icon),
// or nullptr when it may start.

// Batch mode: an input file must be named, and the settings must be usable
// (findSettingsProblem).
const char* findBatchRunProblem(const GenerationSettings& settings);

// The main dialog's "作成": first an output name of 1 to 16 bytes, then what
// batch mode checks.
const char* findDialogRunProblem(const GenerationSettings& settings);

// What a run says when its input file cannot be read.
constexpr char kInputUnreadableMessage[] = "入力ファイルが開けません";

// The longest output name the main dialog takes: 16 half-width or 8
// full-width characters.
constexpr int kMaxDialogOutNameBytes = 16;
