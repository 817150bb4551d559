#include "gfd/text_setter.h"

#include <algorithm>

namespace {

bool isHalfWidth(char32_t character) {
    return character < 0x100 || (character >= 0xFF61 && character <= 0xFF9F);
}

// The record of a character, or -1 when the font has none.
int32_t recordOf(const DescriptorFile& descriptor, const CodePage932& codePage, char32_t character) {
    uint16_t code = 0;
    return codePage.fromUnicode(character, &code) ? recordOfCode(descriptor, code) : -1;
}

// The pen of one line at a time, and the extent of everything set so far.
class Pen {
public:
    Pen(TextLayout& layout, int32_t lineHeight) : layout(layout), lineHeight(lineHeight) {}

    void newLine() {
        x = 0;
        y += lineHeight;
    }

    void drawCell(int32_t record, const GlyphRecord& r) {
        const int32_t left = x + r.leftBearing;
        layout.cells.push_back({record, left, y});
        cover(left, left + (r.right - r.left));
        advance(r.leftBearing + r.cellWidth + r.rightBearing);
    }

    // From below the row's top margin down to the baseline.
    void drawBox(int32_t advanceBy, int32_t baseline) {
        layout.boxes.push_back({x + 1, y + 1, advanceBy - 2, baseline - 1});
        advance(advanceBy);
    }

    void advance(int32_t by) {
        x += by;
        cover(x, x);
    }

    // Moves everything right by what stands left of the first pen position,
    // and sizes the image.
    void finish() {
        for (PlacedCell& cell : layout.cells) cell.x -= left;
        for (MissingBox& box : layout.boxes) box.x -= left;
        layout.width = right - left;
        layout.height = y + lineHeight;
    }

private:
    void cover(int32_t from, int32_t to) {
        left = std::min(left, from);
        right = std::max(right, to);
    }

    TextLayout& layout;
    const int32_t lineHeight;
    int32_t x = 0;
    int32_t y = 0;
    int32_t left = 0;
    int32_t right = 0;
};

}  // namespace

int32_t blankAdvance(char32_t blank, int32_t fontSize) {
    return blank == kSpace ? fontSize / 2 : fontSize;
}

TextLayout setText(const DescriptorFile& descriptor, const CodePage932& codePage, const std::u32string& text,
                   int32_t baseline) {
    TextLayout layout;
    const int32_t fontSize = descriptor.header.fontSize;
    Pen pen(layout, fontSize + 2);
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            pen.newLine();
            continue;
        }
        const int32_t record = recordOf(descriptor, codePage, c);
        if (record >= 0) {
            pen.drawCell(record, descriptor.records[record]);
        } else if (std::find(std::begin(kBlanks), std::end(kBlanks), c) != std::end(kBlanks)) {
            pen.advance(blankAdvance(c, fontSize));
        } else {
            pen.drawBox(isHalfWidth(c) ? fontSize / 2 : fontSize, baseline);
            if (layout.missing.find(c) == std::u32string::npos) layout.missing += c;
        }
    }
    pen.finish();
    return layout;
}
