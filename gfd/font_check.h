#pragma once

#include <string>
#include <vector>

#include "gfd/descriptor_reader.h"
#include "gfd/font.h"

// What can be wrong with a font, in plain words.

enum class FindingKind {
    Header,             // page size, font size or page count no font can have
    Slot,               // a slot points past the last record
    Record,             // a record's cell is not on its page
    Page,               // a page image missing or unusable, or one more than the count
    UnreachableRecord,  // no slot points at a record: no reader finds its glyph
    StrayPixels,        // opaque pixels outside every glyph cell of their page
};

struct Finding {
    FindingKind kind;
    std::string text;  // one line, without the font's name
};

// The damage of the descriptor alone that makes drawing from it unsafe:
// header sizes, slots pointing past the last record, records whose cell is
// not on its page. Empty for a descriptor that can be used.
std::vector<Finding> findDescriptorDamage(const DescriptorFile& descriptor);

// Everything: the damage above, records no slot points at, every page
// image (present, a 32-bit TGA of the page's width and at most its height,
// no two pages read from one file, and no further page beyond the count),
// and every opaque pixel of a page lying inside some record's cell. Pages
// are loaded one at a time, and not at all when the header's sizes are
// damaged: then only their presence is checked.
std::vector<Finding> checkFont(const Font& font);

// "4 pages, 3,228 glyphs, font size 32, page size 1024 x 1024".
std::string fontSummary(const DescriptorFile& descriptor);
