#include "vox/ogg_file.h"

#include <windows.h>

#include <algorithm>
#include <new>

std::unique_ptr<OggFile> OggFile::open(const char* path) {
    // No exception may cross into the calling program.
    try {
        std::unique_ptr<OggFile> opened(new OggFile);
        // Others may go on reading, writing, renaming or deleting the file
        // while it plays: the browser copies it, a user may tidy up.
        opened->file_.reset(
            CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!opened->file_) {
            return nullptr;
        }
        OggFile* self = opened.get();
        auto readFile = [self](unsigned char* buffer, size_t bytes) -> size_t {
            if (self->stop_ != nullptr && WaitForSingleObject(self->stop_, 0) == WAIT_OBJECT_0) {
                return 0;
            }
            DWORD got = 0;
            const DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes, 1u << 30));
            return ReadFile(self->file_.get(), buffer, wanted, &got, nullptr) ? got : 0;
        };
        if (!opened->stream_.open(readFile)) {
            return nullptr;
        }
        return opened;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
