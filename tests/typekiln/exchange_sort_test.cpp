#include "images/exchange_sort.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <vector>

#include "tests/support/reference_reduction.h"

namespace {

// The order the quadratic sort leaves, as input indices.
std::vector<int32_t> referenceOrder(std::vector<uint8_t> keys) {
    std::vector<int32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    referenceExchangeSort(keys, order);
    return order;
}

std::vector<int32_t> fastOrder(const std::vector<uint8_t>& keys) {
    std::vector<int32_t> order(keys.size(), -1);
    EXPECT_TRUE(exchangeSortOrder(keys.data(), static_cast<int32_t>(keys.size()), order.data()));
    return order;
}

}  // namespace

TEST(ExchangeSort, LeavesTiesWhereTheQuadraticSortLeavesThem) {
    // Ties are what matter: few distinct keys give long runs of equal keys
    // that the sort shuffles in its own way.
    std::mt19937 random(7);
    for (int distinctKeys : {1, 2, 3, 5, 17, 256}) {
        for (int n : {0, 1, 2, 3, 7, 64, 500}) {
            std::vector<uint8_t> keys(n);
            std::uniform_int_distribution<int> key(0, distinctKeys - 1);
            for (auto& k : keys)
                k = static_cast<uint8_t>(key(random) * (255 / std::max(1, distinctKeys - 1)));
            EXPECT_EQ(fastOrder(keys), referenceOrder(keys)) << "keys " << distinctKeys << ", n " << n;
        }
    }
}

TEST(ExchangeSort, HandlesSortedAndReversedRuns) {
    std::vector<uint8_t> ascending(300);
    for (int i = 0; i < 300; ++i) ascending[i] = static_cast<uint8_t>(i * 7 / 10);
    EXPECT_EQ(fastOrder(ascending), referenceOrder(ascending));
    std::vector<uint8_t> descending(ascending.rbegin(), ascending.rend());
    EXPECT_EQ(fastOrder(descending), referenceOrder(descending));
    std::vector<uint8_t> sawtooth(300);
    for (int i = 0; i < 300; ++i) sawtooth[i] = static_cast<uint8_t>(i % 13);
    EXPECT_EQ(fastOrder(sawtooth), referenceOrder(sawtooth));
}
