#include "page_loader.h"

#include <vector>

#include "code_page.h"
#include "file_system.h"
#include "tga_reader.h"

namespace {

bool fileExists(const std::string& path) {
    uint64_t size = 0;
    return getFileSize(path.c_str(), &size);
}

std::string pageLabel(int32_t page) {
    return "page " + std::to_string(page);
}

// The path of a page's files without their extension: the font's folder and
// the page name as the system's text. A page name never holds a folder; one
// that does must not lead the reader elsewhere.
bool pageFileBase(const Font& font, const std::string& pageName, std::string& base) {
    std::string fileName;
    if (pageName.empty() || !systemTextFromCodePage932(pageName, &fileName) ||
        folderPartLength(fileName.c_str()) != 0) {
        return false;
    }
    base = font.folder + fileName;
    return true;
}

// "<base>.tga", else "<base>.bmp"; empty when there is neither.
std::string presentFile(const std::string& base) {
    for (const char* extension : {".tga", ".bmp"}) {
        if (fileExists(base + extension)) return base + extension;
    }
    return std::string();
}

}  // namespace

bool findPageFile(const Font& font, int32_t page, std::string& path, std::string& error) {
    const std::string& name = font.descriptor.pageNames[page];
    std::string base;
    if (!pageFileBase(font, name, base)) {
        error = pageLabel(page) + (name.empty() ? " has no name" : " has a name that is no file name");
        return false;
    }
    path = presentFile(base);
    if (path.empty()) {
        error = pageLabel(page) + ": neither " + base + ".tga nor " + base + ".bmp is there";
        return false;
    }
    if (path == base + ".bmp") {
        path += ".tga";
        if (!fileExists(path)) {
            error = pageLabel(page) + ": " + base + ".bmp has no 32-bit copy " + path + " beside it";
            return false;
        }
    }
    return true;
}

std::string presentPageFile(const Font& font, const std::string& pageName) {
    std::string base;
    return pageFileBase(font, pageName, base) ? presentFile(base) : std::string();
}

bool loadPage(const Font& font, int32_t page, Surface& pixels, std::string& error) {
    std::string path;
    if (!findPageFile(font, page, path, error)) return false;
    const DescriptorHeader& header = font.descriptor.header;
    const auto fail = [&](const std::string& reason) {
        error = pageLabel(page) + ": " + path + " " + reason;
        return false;
    };

    uint64_t fileSize = 0;
    if (!getFileSize(path.c_str(), &fileSize)) return fail("cannot be opened");
    // One read: the header with the longest identification field and the
    // pixels of a whole page. A footer after the pixels is not a page's
    // business, nor is anything beyond what a page can hold.
    const size_t most = kTgaHeaderBytes + kMaxTgaIdBytes + size_t{4} * header.pageWidth * header.pageHeight;
    std::vector<uint8_t> bytes(fileSize < most ? static_cast<size_t>(fileSize) : most);
    if (!readFileStart(path.c_str(), bytes.data(), bytes.size())) return fail("cannot be read");
    TgaLayout layout;
    std::string reason;
    if (!readTgaLayout(bytes.data(), bytes.size(), layout, reason)) return fail(reason);
    if (layout.width != header.pageWidth || layout.height > header.pageHeight) {
        return fail("is " + std::to_string(layout.width) + " x " + std::to_string(layout.height) +
                    " pixels, but the font's pages are " + std::to_string(header.pageWidth) + " x " +
                    std::to_string(header.pageHeight));
    }
    if (!pixels.create(header.pageWidth, header.pageHeight)) return fail("does not fit in memory");
    if (!decodeTgaPixels(bytes.data(), bytes.size(), layout, pixels, reason)) {
        pixels.release();
        return fail(reason);
    }
    return true;
}
