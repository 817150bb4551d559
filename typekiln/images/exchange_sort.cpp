#include "images/exchange_sort.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/page_memory.h"

// Pass i of the exchange sort keeps the running maximum at position i: each
// later element with a strictly greater key is swapped in, and the previous
// holder drops into that element's place. So a pass moves only the chain of
// strict left-to-right maxima that starts at i: the last of them comes to i,
// and every earlier one moves one link along the chain. With byte keys a
// chain has at most 256 links, and its next link after key k is simply the
// lowest unsettled position holding any key above k. Keeping, for each key,
// a min-heap of the unsettled positions that hold it, and over the 256 keys
// a tournament tree of those heaps' minima, finds each link in O(log).

namespace {

constexpr int32_t kNone = std::numeric_limits<int32_t>::max();
constexpr int kKeys = 256;

struct PositionHeaps {
    int32_t* store;  // heap of key v occupies store[base[v] .. base[v] + size[v])
    int32_t base[kKeys];
    int32_t size[kKeys];
    int32_t tree[2 * kKeys];  // tree[kKeys + v] = minimum of heap v; inner nodes the lesser child

    int32_t top(int key) const { return size[key] > 0 ? store[base[key]] : kNone; }

    void siftDown(int key) {
        int32_t* heap = store + base[key];
        int32_t n = size[key];
        int32_t i = 0;
        int32_t value = heap[0];
        for (;;) {
            int32_t child = 2 * i + 1;
            if (child >= n) break;
            if (child + 1 < n && heap[child + 1] < heap[child]) ++child;
            if (heap[child] >= value) break;
            heap[i] = heap[child];
            i = child;
        }
        heap[i] = value;
    }

    void updateTree(int key) {
        int node = kKeys + key;
        tree[node] = top(key);
        for (node /= 2; node >= 1; node /= 2) tree[node] = std::min(tree[2 * node], tree[2 * node + 1]);
    }

    // Replaces the lowest position of a key by another.
    void replaceTop(int key, int32_t position) {
        store[base[key]] = position;
        siftDown(key);
        updateTree(key);
    }

    void popTop(int key) {
        int32_t* heap = store + base[key];
        heap[0] = heap[--size[key]];
        if (size[key] > 0) siftDown(key);
        updateTree(key);
    }

    // The lowest unsettled position whose key is above `key`.
    int32_t lowestAbove(int key) const {
        int32_t best = kNone;
        int lo = kKeys + key + 1;
        int hi = 2 * kKeys;  // exclusive
        while (lo < hi) {
            if (lo & 1) best = std::min(best, tree[lo++]);
            if (hi & 1) best = std::min(best, tree[--hi]);
            lo /= 2;
            hi /= 2;
        }
        return best;
    }
};

}  // namespace

bool exchangeSortOrder(const uint8_t* keys, int32_t n, int32_t* order) {
    if (n <= 0) return true;
    PageBlock<PositionHeaps> heaps(1);
    PageBlock<int32_t> store(static_cast<size_t>(n));
    if (!heaps || !store) return false;

    // Positions of each key in ascending order: already valid min-heaps.
    heaps->store = store.get();
    for (int32_t p = 0; p < n; ++p) ++heaps->size[keys[p]];
    for (int v = 0, next = 0; v < kKeys; ++v) {
        heaps->base[v] = next;
        next += heaps->size[v];
    }
    int32_t filled[kKeys];
    std::memset(filled, 0, sizeof filled);
    for (int32_t p = 0; p < n; ++p) store[heaps->base[keys[p]] + filled[keys[p]]++] = p;
    for (int v = 0; v < kKeys; ++v) heaps->tree[kKeys + v] = heaps->top(v);
    for (int node = kKeys - 1; node >= 1; --node)
        heaps->tree[node] = std::min(heaps->tree[2 * node], heaps->tree[2 * node + 1]);

    for (int32_t p = 0; p < n; ++p) order[p] = p;

    int32_t chain[kKeys + 1];
    for (int32_t i = 0; i < n; ++i) {
        int links = 0;
        chain[links++] = i;
        for (int key = keys[order[i]];;) {
            int32_t next = heaps->lowestAbove(key);
            if (next == kNone) break;
            chain[links++] = next;
            key = keys[order[next]];
        }
        // Every element of the chain moves one link on; the last settles at i.
        for (int m = 0; m + 1 < links; ++m) heaps->replaceTop(keys[order[chain[m]]], chain[m + 1]);
        int32_t settled = order[chain[links - 1]];
        heaps->popTop(keys[settled]);
        for (int m = links - 1; m >= 1; --m) order[chain[m]] = order[chain[m - 1]];
        order[i] = settled;
    }

    return true;
}
