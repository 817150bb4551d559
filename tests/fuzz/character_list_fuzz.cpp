// Loads arbitrary bytes as a character file and checks the list's promises:
// ascending, duplicate-free codes that match their bytes, no blanks or
// control characters, zeros past the count.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "engine/character_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/character_list_fuzz." + std::to_string(getpid()) + ".txt";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    static auto list = std::make_unique<CharacterList>();
    if (!list->load(path.c_str())) __builtin_trap();
    const CharacterEntry* entries = list->entries();
    for (int32_t i = 0; i < list->count(); ++i) {
        const CharacterEntry& e = entries[i];
        if (characterCode(e.text) != e.code) __builtin_trap();
        if (i > 0 && entries[i - 1].code >= e.code) __builtin_trap();
        if (e.code < 0x20 || e.code == 0x20 || e.code == 0x8140) __builtin_trap();
        if (e.text[2] != 0 || e.text[3] != 0) __builtin_trap();
    }
    if (list->count() < kMaxCharacters && entries[list->count()].code != 0) __builtin_trap();
    return 0;
}
