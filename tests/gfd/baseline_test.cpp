#include "gfd/baseline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t kBody = 0xFFF0E0C0;
constexpr uint32_t kOutline = 0xFF282848;

// A cell drawn in characters: '#' body, 'o' outline, '=' a blend mostly of
// the outline, '+' body at a third of full alpha, '.' transparent.
CellPixels cell(const std::vector<std::string>& rows) {
    CellPixels drawn{static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()), {}};
    for (const std::string& row : rows) {
        for (char c : row) {
            drawn.pixels.push_back(c == '#'   ? kBody
                                   : c == 'o' ? kOutline
                                   : c == '=' ? 0xFF605870
                                   : c == '+' ? (kBody & 0xFFFFFF) | 0x55000000
                                              : 0);
        }
    }
    return drawn;
}

// An outline two pixels wide around a stroke one pixel wide: more outline
// than body, as at ordinary sizes.
CellPixels outlinedStroke(int bodyRows, int tailRows = 0) {
    std::vector<std::string> rows = {"ooooo", "ooooo"};
    for (int i = 0; i < bodyRows; ++i) rows.push_back("oo#oo");
    for (int i = 0; i < tailRows; ++i) rows.push_back("oo=oo");
    rows.insert(rows.end(), {"ooooo", "ooooo", "....."});
    return cell(rows);
}

}  // namespace

TEST(Baseline, IsTheMostCommonBottomOfBodyInk) {
    struct Case {
        const char* what;
        std::vector<CellPixels> cells;
        int32_t baseline;
    };
    const Case cases[] = {
        {"no outline: the bottom of the ink", {cell({"....", ".##.", ".##.", "...."})}, 3},
        {"faint ink is no ink", {cell({"....", ".##.", ".++.", "...."})}, 2},
        {"an outline wider than the strokes is left out", {outlinedStroke(4)}, 6},
        {"a blend mostly of outline is outline", {outlinedStroke(4, 2)}, 6},
        {"a tail below the baseline is outvoted",
         {outlinedStroke(4), outlinedStroke(4), outlinedStroke(7)},
         6},
        {"a tie goes to the higher baseline", {outlinedStroke(7), outlinedStroke(4)}, 6},
        {"no ink at all", {cell({"...", "..."})}, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(baselineOfCells(c.cells), c.baseline) << c.what;
}
