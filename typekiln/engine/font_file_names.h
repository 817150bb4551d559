#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The names of a generated font's files, all made from the run's output
// name (code page 932; it may start with folders):
//   "<out>.gfd"      the descriptor
//   "<out>_NN"       page NN's name, its number in two digits at least; the
//                    descriptor records it without the folders
//   "<page>.tga"     a 32-bit TGA page image
//   "<page>.bmp"     a 4- or 8-bit BMP page image, which comes with a 32-bit
//                    TGA copy "<page>.bmp.tga" beside it
// The generator names its files by these rules, and a reader finds a page's
// files from its recorded name by the same. What they add to a name is plain
// ASCII, so they apply to a name in the system's text just as well.

enum class PageImageType { Tga, Bmp };

// Both types, in the order a reader looks for a page's image.
constexpr PageImageType kPageImageTypes[] = {PageImageType::Tga, PageImageType::Bmp};

constexpr char kDescriptorExtension[] = ".gfd";
constexpr char kTgaExtension[] = ".tga";
constexpr char kBmpExtension[] = ".bmp";
// What a page's name adds to the output name at most: "_NNN", since page
// numbers have three digits at most.
constexpr size_t kLongestPageSuffixBytes = 4;
// What a file's name adds to the output name at most: "_NNN.bmp.tga", the
// TGA copy of a BMP page.
constexpr size_t kLongestNameSuffixBytes =
    kLongestPageSuffixBytes + (sizeof kBmpExtension - 1) + (sizeof kTgaExtension - 1);

// The type of image a page format writes: a TGA for Tga32, a BMP otherwise.
PageImageType pageImageType(int32_t pageFormat);

// "<outName>.gfd".
std::string descriptorFileName(const std::string& outName);

// "<outName>_NN" for page number `page`, folders kept.
std::string pageName(const std::string& outName, int32_t page);

// The image file of the page named `pageName`: "<pageName>.tga" or ".bmp".
std::string pageImageName(const std::string& pageName, PageImageType type);

// The 32-bit TGA copy that goes with the BMP image `bmpImageName`.
std::string tgaCopyName(const std::string& bmpImageName);
