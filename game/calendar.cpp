#include "game/calendar.h"

#include <limits>

namespace vellmora {

void Calendar::advance() {
    if (count_ < std::numeric_limits<std::int32_t>::max()) {
        ++count_;
    }
}

std::int32_t Calendar::dateCodeOf(std::int32_t year, std::int32_t month) {
    std::int64_t m =
        (static_cast<std::int64_t>(year) - 1) * 12 + (static_cast<std::int64_t>(month) - 1);
    // Floor division so that months below 1 borrow from the year instead of giving nonsense.
    std::int64_t years = m >= 0 ? m / 12 : -((-m + 11) / 12);
    std::int64_t code = years * 100 + (m - years * 12) + 101;
    if (code > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (code < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(code);
}

}  // namespace vellmora
