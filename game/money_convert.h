// Safe arithmetic for money: doubles become whole units only through truncateToMoney, and sums
// of balances saturate instead of wrapping.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "game/money.h"

namespace vellmora {

// Largest magnitude any single amount or balance may take. Every value inside it is exactly
// representable as a double, so money survives a round trip through the rate formulas.
inline constexpr Money kMoneyLimit = Money{1} << 53;

// Clamps a whole amount into [-kMoneyLimit, kMoneyLimit].
constexpr Money clampMoney(Money value) {
    if (value > kMoneyLimit) {
        return kMoneyLimit;
    }
    if (value < -kMoneyLimit) {
        return -kMoneyLimit;
    }
    return value;
}

// Integer part of a double (truncated toward zero), clamped into the safe range before the
// conversion so that no out-of-range double is ever converted. NaN gives 0.
inline Money truncateToMoney(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kLimit = static_cast<double>(kMoneyLimit);
    if (value >= kLimit) {
        return kMoneyLimit;
    }
    if (value <= -kLimit) {
        return -kMoneyLimit;
    }
    return static_cast<Money>(std::trunc(value));
}

// a + b, held at the int64 limits instead of wrapping.
inline Money saturatingAdd(Money a, Money b) {
    Money sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return b > 0 ? std::numeric_limits<Money>::max() : std::numeric_limits<Money>::min();
    }
    return sum;
}

}  // namespace vellmora
