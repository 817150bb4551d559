#include "platform/file_identity.h"

#include <sys/stat.h>

bool getFileIdentity(const char* name, FileIdentity* identity) {
    struct stat status;
    if (stat(name, &status) != 0) return false;
    *identity = {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
    return true;
}
