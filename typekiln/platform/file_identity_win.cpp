#include "platform/file_identity.h"

#include <windows.h>

#include "win32/owners.h"

bool getFileIdentity(const char* name, FileIdentity* identity) {
    // No access rights are needed to read a file's information, and sharing
    // everything lets a file that another program holds open be examined.
    const KernelHandle file(CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!file || !GetFileInformationByHandle(file.get(), &information)) return false;
    *identity = {information.dwVolumeSerialNumber,
                 static_cast<uint64_t>(information.nFileIndexHigh) << 32 | information.nFileIndexLow};
    return true;
}
