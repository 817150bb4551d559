#pragma once

#include <cstddef>

#include "engine/generation_settings.h"

// The option language of batch runs. Its two carriers are the command line
// and the one-line .bat file that the main dialog writes and reads back:
//
//   Typekiln chars.txt /out,"font" /format,2 /width,1 /height,1 /sample,1
//            /aspect,1.0,1.0 /face,"ＭＳ ゴシック" /size,26 /color,255,255,255
//
// An argument that does not start with "/" names the input file (so does an
// absolute path on POSIX systems); every other argument is "/keyword"
// optionally followed by ",value,value...".

// Applies arguments 1 .. count-1 to `settings` in order (argument 0, the
// program name or the program word, is skipped). Never fails and never
// reports: unknown keywords are skipped, numbers convert as far as they go,
// values are stored unchecked, texts are cut to their fields. A value that
// is missing altogether (/size, or the blue of /color,255,0) leaves its
// field or colour channel as it was. Which arguments name the input file,
// and which paths are absolute, the system decides (namesInputFile,
// isAbsolutePath): a relative input file name is put behind the current
// directory, an absolute one is taken as it stands.
void parseOptions(GenerationSettings& settings, int count, const char* const* arguments);

constexpr int kMaxBatchLineBytes = 2047;
constexpr int kMaxBatchArguments = 255;  // the program word and 254 options

// The tokens of a batch line, ready for parseOptions.
struct BatchArguments {
    int count;
    const char* values[kMaxBatchArguments];
    char text[2 * (kMaxBatchLineBytes + 1)];  // the tokens, each NUL-terminated
};

// Splits the first line of a batch file's text (at most 2047 bytes) into
// arguments. Spaces separate tokens; a double quote opens or closes a quoted
// part, in which spaces are token bytes, and is dropped. Empty tokens are not
// handed over, and the last token needs no space after it. Tokens beyond the
// table's 255 entries are dropped.
void splitBatchLine(const char* text, BatchArguments& arguments);

// Room for every batch line the settings can produce.
constexpr size_t kBatchLineBufferBytes = kMaxBatchLineBytes + 1;

// Writes the settings as the batch line the main dialog saves: the program
// word and the input file's name (without its folder, quoted when it holds a
// space), then each option followed by one space, with no line end. Scales
// are written as the shortest decimal text that reads back unchanged, with
// at least one decimal place (1.0, 1.25). Returns the line's length in
// bytes, or 0 when it does not fit in `size` bytes.
size_t formatBatchLine(const GenerationSettings& settings, char* line, size_t size);
