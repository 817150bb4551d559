#pragma once

#include <ogg/ogg.h>

#include <cstdint>
#include <functional>
#include <vector>

// Test-side surgery on Ogg files: finds each whole page in `bytes` (a
// capture pattern, a complete header and body), lets `edit` change it in
// place and gives it a correct checksum again, so that the change reaches
// the Vorbis decoder instead of being refused by the page check.
void editPages(std::vector<unsigned char>& bytes, const std::function<void(ogg_page&)>& edit);

// Recomputes the checksum of every whole page.
void repairChecksums(std::vector<unsigned char>& bytes);

// Gives every page the stream serial number `serial`.
void setSerialNumber(std::vector<unsigned char>& bytes, uint32_t serial);

// Offsets at which the whole pages of `bytes` start.
std::vector<size_t> pageOffsets(const std::vector<unsigned char>& bytes);
