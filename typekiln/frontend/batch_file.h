#pragma once

#include <windows.h>

// The main dialog's batch files: one line that starts the program in batch
// mode with the current settings, saved with "バッチ保存" and loaded back
// with "バッチ読込". A cancelled dialog, a file that cannot be written or
// read, or an empty file change nothing and show no message.

// Asks for a file name and writes the settings' batch line into it.
void saveBatchFile(HWND dialog);

// Asks for a batch file and loads it (readBatchFile).
void loadBatchFile(HWND dialog);

// Writes the batch line of the current settings into `path`, replacing the
// file. Returns false when it could not be written whole (no file is left).
bool writeBatchFile(const char* path);

// Loads the settings of the batch file at `path`: its folder becomes the
// current directory (the input file it names is taken from there), the
// glyph settings are zeroed and the file's options applied, the page and
// file settings keep what the file does not set; then `dialog` shows every
// setting and renders its preview. Returns false, changing nothing, when
// the file cannot be opened or is empty.
bool readBatchFile(HWND dialog, const char* path);
