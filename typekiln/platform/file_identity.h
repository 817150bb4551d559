#pragma once

#include <cstdint>

// Which file a name reaches, whatever its spelling: two names lead to the
// same file (through links, "..", another letter case where the system
// ignores case) exactly when their identities are equal. Names are byte
// strings in the system code page.
struct FileIdentity {
    uint64_t volume;
    uint64_t index;
};

inline bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.volume == b.volume && a.index == b.index;
}

// The identity of the file `name` reaches, links followed. Returns false
// when there is no such file or it cannot be examined.
bool getFileIdentity(const char* name, FileIdentity* identity);
