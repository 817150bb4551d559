#include "tests/test_files/test_files.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include <sys/stat.h>

namespace fs = std::filesystem;

TemporaryFolder::TemporaryFolder() {
    static std::atomic<int> serial{0};
    for (;;) {
        fs::path candidate =
            fs::temp_directory_path() /
            ("typekiln-test-" + std::to_string(std::random_device{}()) + "-" + std::to_string(serial++));
        if (fs::create_directory(candidate)) {
            folder = candidate.string();
            return;
        }
    }
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

std::string TemporaryFolder::file(const std::string& name) const {
    return (fs::path(folder) / name).string();
}

CurrentFolderScope::CurrentFolderScope(const std::string& folder) : previous(fs::current_path().string()) {
    fs::current_path(folder);
}

CurrentFolderScope::~CurrentFolderScope() {
    std::error_code ignored;
    fs::current_path(previous, ignored);
}

std::vector<uint8_t> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

void writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    writeFileBytes(path, std::string(bytes.begin(), bytes.end()));
}

// stat, not std::filesystem: MinGW's filesystem reads a narrow path in the C
// library's locale rather than the ANSI code page, and so misses Japanese
// names.
bool fileExists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

void createFolder(const std::string& path) {
    fs::create_directory(path);
}

uint32_t readU16(const std::vector<uint8_t>& bytes, size_t offset) {
    return bytes.at(offset) | bytes.at(offset + 1) << 8;
}

uint32_t readU32(const std::vector<uint8_t>& bytes, size_t offset) {
    return readU16(bytes, offset) | readU16(bytes, offset + 2) << 16;
}
