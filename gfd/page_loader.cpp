#include "gfd/page_loader.h"

#include <vector>

#include "engine/font_file_names.h"
#include "gfd/tga_reader.h"
#include "images/tga_header.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

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
    for (PageImageType type : kPageImageTypes) {
        const std::string image = pageImageName(base, type);
        if (fileExists(image)) return image;
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
    const std::string bmp = pageImageName(base, PageImageType::Bmp);
    path = presentFile(base);
    if (path.empty()) {
        error = pageLabel(page) + ": neither " + pageImageName(base, PageImageType::Tga) + " nor " + bmp +
                " is there";
        return false;
    }
    if (path == bmp) {
        path = tgaCopyName(bmp);
        if (!fileExists(path)) {
            error = pageLabel(page) + ": " + bmp + " has no 32-bit copy " + path + " beside it";
            return false;
        }
    }
    return true;
}

std::string presentPageFile(const Font& font, const std::string& pageName) {
    std::string base;
    return pageFileBase(font, pageName, base) ? presentFile(base) : std::string();
}

bool pageFileIdentity(const Font& font, int32_t page, FileIdentity* identity) {
    std::string path;
    std::string error;
    return findPageFile(font, page, path, error) && getFileIdentity(path.c_str(), identity);
}

std::vector<std::string> fontFiles(const Font& font) {
    std::vector<std::string> files = {font.path};
    for (const std::string& name : font.descriptor.pageNames) {
        std::string base;
        if (!pageFileBase(font, name, base)) continue;
        const std::string page = presentFile(base);
        if (page.empty()) continue;
        files.push_back(page);
        const std::string copy = tgaCopyName(page);
        if (page == pageImageName(base, PageImageType::Bmp) && fileExists(copy)) files.push_back(copy);
    }
    return files;
}

bool decodePageImage(const uint8_t* bytes, size_t size, int32_t pageWidth, int32_t pageHeight,
                     Surface& pixels, std::string& reason) {
    TgaLayout layout;
    if (!readTgaLayout(bytes, size, layout, reason)) return false;
    if (layout.width != pageWidth || layout.height > pageHeight) {
        reason = "is " + std::to_string(layout.width) + " x " + std::to_string(layout.height) +
                 " pixels, but the font's pages are " + std::to_string(pageWidth) + " x " +
                 std::to_string(pageHeight);
        return false;
    }
    return decodeTgaPixels(bytes, size, layout, pixels, reason);
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
    std::string reason;
    if (!decodePageImage(bytes.data(), bytes.size(), header.pageWidth, header.pageHeight, pixels, reason))
        return fail(reason);
    return true;
}
