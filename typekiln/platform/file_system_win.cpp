#include "platform/file_system.h"

#include <windows.h>

#include "win32/owners.h"

bool writeWholeFile(const char* name, const void* bytes, size_t size) {
    KernelHandle file(CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;

    const char* next = static_cast<const char*>(bytes);
    size_t left = size;
    bool complete = true;
    while (left > 0) {
        DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file.get(), next, chunk, &written, nullptr) || written == 0) {
            complete = false;
            break;
        }
        next += written;
        left -= written;
    }
    if (!file.close()) complete = false;
    if (!complete) DeleteFileA(name);
    return complete;
}

size_t getCurrentFolder(char* buffer, size_t bufferSize) {
    if (bufferSize == 0) return 0;
    DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(bufferSize), buffer);
    // A result of bufferSize or more is the size the path would need.
    if (length == 0 || length >= bufferSize) {
        buffer[0] = '\0';
        return 0;
    }
    return length;
}

bool setCurrentFolder(const char* path) {
    return SetCurrentDirectoryA(path) != 0;
}

bool removeFile(const char* name) {
    return DeleteFileA(name) != 0;
}

bool getFileSize(const char* name, uint64_t* size) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(name, GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    *size = static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    return true;
}

bool readFileStart(const char* name, void* buffer, size_t size) {
    KernelHandle file(CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    char* next = static_cast<char*>(buffer);
    size_t left = size;
    while (left > 0) {
        DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(file.get(), next, chunk, &got, nullptr) || got == 0) break;
        next += got;
        left -= got;
    }
    return left == 0;
}

size_t folderPartLength(const char* path) {
    // Double-byte characters are stepped over whole: their trail byte can be
    // a backslash (表 is 0x95 0x5C).
    size_t length = 0;
    for (const char* p = path; *p; ++p) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) {
            ++p;
        } else if (*p == '\\' || *p == '/' || *p == ':') {
            length = static_cast<size_t>(p - path) + 1;
        }
    }
    return length;
}

const char kFolderSeparator = '\\';

bool isAbsolutePath(const char* path) {
    const bool driveLetter =
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) && path[1] == ':';
    return driveLetter || path[0] == '\\';
}

const char* findLastFolderSeparator(const char* path) {
    const char* last = nullptr;
    for (const char* p = path; *p; ++p) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*p))) {
            if (!p[1]) break;
            ++p;
        } else if (*p == '\\') {
            last = p;
        }
    }
    return last;
}

bool namesInputFile(const char* argument) {
    return argument[0] != '/';
}
