#pragma once

#include "engine/character_list.h"
#include "engine/font_generator.h"

// The generation run done the straightforward way, against which the
// product's run is checked: one glyph at a time on the calling thread, with
// the run's own options as the drawer's working state; every page held whole
// at sampled resolution, each glyph copied onto it, and the page reduced with
// the bounds-checked reduction when the run moves past it. Writes the same
// files as FontGenerator::run, beside the input file. Returns false when
// the run cannot finish (it reports nothing itself).
bool referenceRun(const RunWindow& window, GenerationSettings& settings, const CharacterList& characters);
