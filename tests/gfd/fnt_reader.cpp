#include "tests/gfd/fnt_reader.h"

#include <sstream>
#include <stdexcept>

namespace {

FntLine parseLine(const std::string& line) {
    FntLine parsed;
    size_t at = 0;
    const auto skipSpaces = [&] {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
    };
    skipSpaces();
    while (at < line.size() && line[at] != ' ') parsed.tag += line[at++];
    for (skipSpaces(); at < line.size(); skipSpaces()) {
        const size_t equals = line.find('=', at);
        if (equals == std::string::npos) throw std::runtime_error("no '=' in: " + line);
        const std::string key = line.substr(at, equals - at);
        at = equals + 1;
        std::string value;
        if (at < line.size() && line[at] == '"') {
            const size_t close = line.find('"', at + 1);
            if (close == std::string::npos) throw std::runtime_error("unclosed quote in: " + line);
            value = line.substr(at + 1, close - at - 1);
            at = close + 1;
        } else {
            while (at < line.size() && line[at] != ' ' && line[at] != '\r') value += line[at++];
        }
        if (!parsed.values.emplace(key, value).second) throw std::runtime_error("repeated key in: " + line);
    }
    return parsed;
}

}  // namespace

int FntLine::number(const std::string& key) const {
    const auto found = values.find(key);
    if (found == values.end()) throw std::runtime_error(tag + " has no " + key);
    size_t used = 0;
    const int value = std::stoi(found->second, &used);
    if (used != found->second.size()) throw std::runtime_error(tag + " " + key + " is not a number");
    return value;
}

const FntChar* FntFont::find(int id) const {
    for (const FntChar& c : chars)
        if (c.id == id) return &c;
    return nullptr;
}

FntFont parseFnt(const std::string& text) {
    FntFont font;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const FntLine parsed = parseLine(line);
        if (parsed.tag == "info") {
            font.info = parsed;
        } else if (parsed.tag == "common") {
            font.common = parsed;
        } else if (parsed.tag == "page") {
            font.pageFiles[parsed.number("id")] = parsed.values.at("file");
        } else if (parsed.tag == "chars") {
            font.declaredChars = parsed.number("count");
        } else if (parsed.tag == "char") {
            font.chars.push_back({parsed.number("id"), parsed.number("x"), parsed.number("y"),
                                  parsed.number("width"), parsed.number("height"), parsed.number("xoffset"),
                                  parsed.number("yoffset"), parsed.number("xadvance"),
                                  parsed.number("page")});
        }
    }
    return font;
}
