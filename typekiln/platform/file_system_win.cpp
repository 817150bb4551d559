#include "file_system.h"

#include <windows.h>

bool writeWholeFile(const char* name, const void* bytes, size_t size) {
    HANDLE file = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;

    const char* next = static_cast<const char*>(bytes);
    size_t left = size;
    bool complete = true;
    while (left > 0) {
        DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file, next, chunk, &written, nullptr) || written == 0) {
            complete = false;
            break;
        }
        next += written;
        left -= written;
    }
    if (!CloseHandle(file)) complete = false;
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
