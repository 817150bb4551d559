#pragma once

#include <map>
#include <string>
#include <vector>

// A reader of the plain-text bitmap-font format written from its published
// description, not from gfd's writer: each line is a tag followed by
// key=value pairs separated by spaces, a value in double quotes may hold
// spaces, and keys may come in any order. Tags it does not know are kept
// but not interpreted, as a reader should.

struct FntLine {
    std::string tag;
    std::map<std::string, std::string> values;

    // The value of `key` as a number; throws when the key is missing.
    int number(const std::string& key) const;
};

struct FntChar {
    int id, x, y, width, height, xoffset, yoffset, xadvance, page;
};

struct FntFont {
    FntLine info;
    FntLine common;
    std::map<int, std::string> pageFiles;  // by page id
    int declaredChars = -1;                // the "chars count", -1 when absent
    std::vector<FntChar> chars;            // in file order

    const FntChar* find(int id) const;
};

// Reads the text of a .fnt file. Throws std::runtime_error on a line that
// does not follow the format.
FntFont parseFnt(const std::string& text);
