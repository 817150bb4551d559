#pragma once

#include <windows.h>

#include <cstddef>

// The main dialog's three file dialogs. Each asks, owned by `owner`, for one
// file and returns true with its full path in `path` (`size` bytes, the
// name starting empty), or false when the user cancels or the path does not
// fit. Like every file dialog they make the chosen file's folder the
// current directory.

// An existing text file to convert ("参照").
bool askInputFile(HWND owner, char* path, size_t size);

// A batch file to save the settings in; asks before replacing one.
bool askBatchFileToSave(HWND owner, char* path, size_t size);

// An existing batch file to load the settings from.
bool askBatchFileToLoad(HWND owner, char* path, size_t size);

// The file dialogs' name buffer: 256 bytes, so that every path they give
// fits the settings' 260-byte paths.
constexpr size_t kFileDialogPathBytes = 256;
