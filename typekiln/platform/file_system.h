#pragma once

#include <cstddef>
#include <cstdint>

// The few file-system calls the engine makes. Names are byte strings in the
// system code page; relative names are taken from the current directory.

// Creates `name` anew (an existing file is replaced), shared for reading, and
// writes `size` bytes into it. Returns false when the file cannot be created
// or not every byte reaches it; a file that was not completely written is
// removed, so that no truncated output is left behind.
bool writeWholeFile(const char* name, const void* bytes, size_t size);

// Copies the current directory into `buffer` (NUL-terminated) and returns its
// length in bytes, or 0 when it cannot be read or does not fit.
size_t getCurrentFolder(char* buffer, size_t bufferSize);

// Makes `path` the process's current directory. Returns false on failure.
bool setCurrentFolder(const char* path);

// Deletes the file `name`. Returns false when it cannot be deleted.
bool removeFile(const char* name);

// The size in bytes of the file `name`. Returns false when there is no such
// file (a folder is not one) or it cannot be examined.
bool getFileSize(const char* name, uint64_t* size);

// Reads the first `size` bytes of the file `name` into `buffer`. Returns
// false when the file cannot be opened or holds fewer bytes.
bool readFileStart(const char* name, void* buffer, size_t size);

// The length in bytes of the folder part of `path`, up to and including its
// last separator; 0 when `path` names a file of the current folder.
size_t folderPartLength(const char* path);
