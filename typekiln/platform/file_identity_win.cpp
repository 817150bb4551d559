#include "platform/file_identity.h"

#include <windows.h>

bool getFileIdentity(const char* name, FileIdentity* identity) {
    // No access rights are needed to read a file's information, and sharing
    // everything lets a file that another program holds open be examined.
    HANDLE file = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION information;
    const bool examined = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    if (!examined) return false;
    *identity = {information.dwVolumeSerialNumber,
                 static_cast<uint64_t>(information.nFileIndexHigh) << 32 | information.nFileIndexLow};
    return true;
}
