// Months played and date codes (year * 100 + month; 101 is year 1, month 1).
#pragma once

#include <cstdint>

namespace vellmora {

class Calendar {
public:
    void reset() { count_ = 0; }
    void advance();  // stops at the largest count instead of wrapping
    // For tests and restoring a game; negative counts become 0.
    void setMonthsPlayed(std::int32_t count) { count_ = count < 0 ? 0 : count; }
    std::int32_t monthsPlayed() const { return count_; }

    std::int32_t month() const { return count_ % 12 + 1; }
    std::int32_t year() const { return count_ / 12 + 1; }
    std::int32_t dateCode() const { return (count_ / 12) * 100 + count_ % 12 + 101; }

    // Date code of (year, month); months beyond 12 carry into the year (year 2, month 61
    // gives 701), months below 1 borrow from it. Saturates instead of overflowing.
    static std::int32_t dateCodeOf(std::int32_t year, std::int32_t month);
    static std::int32_t monthOf(std::int32_t dateCode) { return dateCode % 100; }
    static std::int32_t yearOf(std::int32_t dateCode) { return dateCode / 100; }

private:
    std::int32_t count_ = 0;
};

}  // namespace vellmora
