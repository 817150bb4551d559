#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
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

bool getFileSize(const char* name, uint64_t* size) {
    struct stat status;
    if (stat(name, &status) != 0 || !S_ISREG(status.st_mode)) return false;
    *size = static_cast<uint64_t>(status.st_size);
    return true;
}

bool readFileStart(const char* name, void* buffer, size_t size) {
    int file = open(name, O_RDONLY);
    if (file < 0) return false;
    char* next = static_cast<char*>(buffer);
    size_t left = size;
    while (left > 0) {
        ssize_t got = read(file, next, left);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        next += got;
        left -= static_cast<size_t>(got);
    }
    close(file);
    return left == 0;
}

size_t folderPartLength(const char* path) {
    const char* separator = std::strrchr(path, '/');
    return separator ? static_cast<size_t>(separator - path) + 1 : 0;
}

const char kFolderSeparator = '/';

bool isAbsolutePath(const char* path) {
    return path[0] == '/';
}

const char* findLastFolderSeparator(const char* path) {
    return std::strrchr(path, '/');
}

bool namesInputFile(const char* argument) {
    if (argument[0] != '/') return true;
    const char* slash = std::strchr(argument + 1, '/');
    const char* comma = std::strchr(argument, ',');
    if (slash && (!comma || slash < comma)) return true;
    struct stat status;
    return stat(argument, &status) == 0 && S_ISREG(status.st_mode);
}
