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

// Paths as the system writes them: "C:\folder\name" on Windows (where a
// backslash can also be the trail byte of a double-byte character), and
// "/folder/name" on POSIX systems.
extern const char kFolderSeparator;

// True when `path` does not depend on the current directory: a drive letter
// and colon, or a leading backslash, on Windows; a leading slash on POSIX
// systems.
bool isAbsolutePath(const char* path);

// The last folder separator of `path`, or nullptr when it has none.
const char* findLastFolderSeparator(const char* path);

// True when a program argument names the input file rather than an option.
// Options start with "/"; on POSIX systems, where absolute paths start with
// "/" too, an argument that holds a second "/" before any comma, or names an
// existing file, is a path.
bool namesInputFile(const char* argument);
