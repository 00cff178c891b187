#include "game/random.h"

#include <gtest/gtest.h>

#include "data/clock.h"

namespace vellmora {
namespace {

TEST(RandomTest, LinearCongruentialSequence) {
    // state 1 -> 1 * 214013 + 2531011 = 2745024, (2745024 >> 16) & 0x7FFF = 41.
    rng::seed(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int value : expected) {
        EXPECT_EQ(rng::next(), value);
    }
    // 32-bit wrap: seed 0xFFFFFFFF.
    Lcg lcg(0xFFFFFFFFu);
    std::uint32_t state = 0xFFFFFFFFu * 214013u + 2531011u;
    EXPECT_EQ(lcg.next(), static_cast<int>((state >> 16) % 32768));
}

TEST(RandomTest, StateRestoreAndRange) {
    rng::seed(12345);
    std::uint32_t saved = rng::state();
    int first = rng::next();
    rng::setState(saved);
    EXPECT_EQ(rng::next(), first);
    for (int i = 0; i < 100000; ++i) {
        int value = rng::next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, kRandomMax);
    }
}

TEST(RandomTest, UnitAndChance) {
    rng::seed(1);
    EXPECT_DOUBLE_EQ(rng::nextUnit(), 41.0 / 32767.0);
    rng::seed(1);
    EXPECT_TRUE(rng::chance(41.0 / 32767.0 + 1e-9));
    rng::seed(1);
    EXPECT_FALSE(rng::chance(41.0 / 32767.0));
    rng::seed(1);
    EXPECT_FALSE(rng::chance(0.0));
}

TEST(RandomTest, ReseedReadsTheInstalledClock) {
    FixedClock fixed(1700000000, {});
    {
        ScopedClock scope(fixed);
        EXPECT_EQ(currentClock().secondsSinceEpoch(), 1700000000);
        rng::reseedFromClock();
        EXPECT_EQ(rng::state(), 1700000000u);
    }
    EXPECT_NE(&currentClock(), &fixed);
    LocalDateTime now = currentClock().localNow();
    EXPECT_GE(now.year, 2000);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
}

}  // namespace
}  // namespace vellmora
