// Number helpers shared by the market's files.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace vellmora::market_math {

// Truncates toward zero, holding values beyond the 32-bit range at its ends (NaN gives 0).
inline int truncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

// Truncates toward zero, holding values beyond the 64-bit range at its ends (NaN gives 0).
inline std::int64_t truncateToInt64(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<std::int64_t>::max())) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<std::int64_t>::min())) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(value);
}

inline int clampToInt(std::int64_t value) {
    if (value > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (value < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

// The share of a shop's base pull that reaches a tile at walking distance d > 0 within a
// range > 0: (v - 1) / v with v = 2^(4 - 3d / range).
inline double pullShare(int range, int d) {
    const double v = std::pow(2.0, 4.0 - 3.0 * d / range);
    return (v - 1.0) / v;
}

// Pull of a shop of base pull `base` and catchment `range` at walking distance d: the base on
// its own tile, the share above within the range, and -1 where the tile cannot be reached.
inline std::int64_t pullAt(std::int64_t base, int range, int d) {
    if (d < 0) {
        return -1;
    }
    if (d == 0) {
        return base;
    }
    // A shop without range pulls only on its own tile.
    if (range <= 0) {
        return 0;
    }
    return truncateToInt64(pullShare(range, d) * static_cast<double>(base));
}

// (preference * 0.01 + 1) * attraction: the firm's pull on a tile with its preference added.
inline int boostedPull(std::int32_t preference, std::int32_t attraction) {
    return truncateToInt((preference * 0.01 + 1.0) * attraction);
}

}  // namespace vellmora::market_math
