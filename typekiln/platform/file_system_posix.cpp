#include "file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

bool writeWholeFile(const char* name, const void* bytes, size_t size) {
    int file = open(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0) return false;

    const char* next = static_cast<const char*>(bytes);
    size_t left = size;
    bool complete = true;
    while (left > 0) {
        ssize_t written = write(file, next, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            complete = false;
            break;
        }
        next += written;
        left -= static_cast<size_t>(written);
    }
    if (close(file) != 0) complete = false;
    if (!complete) unlink(name);
    return complete;
}

size_t getCurrentFolder(char* buffer, size_t bufferSize) {
    if (bufferSize == 0) return 0;
    if (!getcwd(buffer, bufferSize)) {
        buffer[0] = '\0';
        return 0;
    }
    return std::strlen(buffer);
}

bool setCurrentFolder(const char* path) {
    return chdir(path) == 0;
}

bool removeFile(const char* name) {
    return unlink(name) == 0;
}
