#pragma once

#include <cstdint>

// The palette of a median cut depends on the order in which equal keys end
// up, so the colour sort must reproduce the classic in-place exchange sort
// exactly:
//
//     for i in [0, n): for j in [i, n): if key[i] < key[j]: swap(i, j)
//
// which sorts in descending order of key and leaves ties in an order of its
// own. exchangeSortOrder() computes that final order without the quadratic
// cost: on return, order[p] is the input index of the element that the sort
// leaves at position p. Keys are bytes. Returns false (order untouched) when
// no working memory is granted.
bool exchangeSortOrder(const uint8_t* keys, int32_t n, int32_t* order);
