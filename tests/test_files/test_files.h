#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A new, empty folder under the system's temporary folder for one test,
// removed with its contents when the test ends.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return folder; }
    // The path of `name` inside the folder, with the platform's separator.
    std::string file(const std::string& name) const;

private:
    std::string folder;
};

// Makes `folder` the current directory for the life of the object.
class CurrentFolderScope {
public:
    explicit CurrentFolderScope(const std::string& folder);
    ~CurrentFolderScope();
    CurrentFolderScope(const CurrentFolderScope&) = delete;
    CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

private:
    std::string previous;
};

// Paths are in the platform's narrow encoding (code page 932 under Wine).
// readFileBytes and writeFileBytes throw std::runtime_error when they fail.
std::vector<uint8_t> readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);
void writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool fileExists(const std::string& path);  // a file or a folder
void createFolder(const std::string& path);

// Little-endian field readers for checking file bytes.
uint32_t readU16(const std::vector<uint8_t>& bytes, size_t offset);
uint32_t readU32(const std::vector<uint8_t>& bytes, size_t offset);
