#include "gfd/wording.h"

#include <cstdio>

std::string counted(uint64_t count, const char* singular, const char* plural) {
    std::string digits = std::to_string(count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
    return digits + " " + (count == 1 ? singular : plural);
}

std::string codeName(uint16_t code) {
    char name[8];
    std::snprintf(name, sizeof name, code > 0xFF ? "0x%04X" : "0x%02X", code);
    return name;
}

std::string unicodeName(char32_t character) {
    char name[12];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(character));
    return name;
}
