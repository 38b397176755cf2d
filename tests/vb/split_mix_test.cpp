// splitmix64 gives the published sequence, so that pictures drawn from it are
// the same everywhere, and its ranges stay inside their bounds.
#include <gtest/gtest.h>

#include <set>

#include "vb/split_mix.h"

namespace {

TEST(SplitMix, GivesTheReferenceSequence) {
    vb::SplitMix random(0);
    EXPECT_EQ(random.Next(), 0xE220A8397B1DCDAFull);
    EXPECT_EQ(random.Next(), 0x6E789E6AA1B965F4ull);
    EXPECT_EQ(random.Next(), 0x06C45D188009454Full);
    uint64_t state = 0;
    EXPECT_EQ(vb::SplitMix64(state), 0xE220A8397B1DCDAFull);
    EXPECT_EQ(state, 0x9E3779B97F4A7C15ull);
}

TEST(SplitMix, RangesStayWithinTheirBounds) {
    struct Case {
        int low, high;
    };
    for (const Case c : {Case{0, 0}, Case{-3, 3}, Case{1, 6}, Case{-100, -90}}) {
        vb::SplitMix random(42);
        std::set<int> seen;
        for (int i = 0; i < 2000; ++i) {
            const int v = random.Between(c.low, c.high);
            ASSERT_GE(v, c.low);
            ASSERT_LE(v, c.high);
            seen.insert(v);
        }
        EXPECT_EQ(seen.size(), static_cast<size_t>(c.high - c.low + 1)) << c.low << ".." << c.high;
    }
    vb::SplitMix random(7);
    for (int i = 0; i < 2000; ++i) {
        const double u = random.Unit();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
}

} // namespace
