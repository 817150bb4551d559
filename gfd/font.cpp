#include "gfd/font.h"

#include "platform/file_system.h"

bool openFont(const char* path, Font& font, std::string& error) {
    font.path = path;
    font.folder = font.path.substr(0, folderPartLength(path));
    if (!readDescriptorFile(path, font.descriptor, error)) {
        error = font.path + ": " + error;
        return false;
    }
    return true;
}
