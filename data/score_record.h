// One won game: when, how fast, at which difficulty and with how many incidents.
#pragma once

#include <array>
#include <cstdint>

#include "data/clock.h"

namespace vellmora {

// The results of a won game that are not dates.
struct ScoreResults {
    std::int32_t competitors = 3;  // 1 to 3
    std::int32_t researchLevel = 0;
    std::int32_t poisonings = 0;      // months with food poisoning
    std::int32_t overworkDeaths = 0;  // months with an overwork death
    std::int32_t difficulty = 0;      // 0 to 4; selects the table
};

class ScoreRecord {
public:
    static constexpr int kFieldCount = 10;
    using Fields = std::array<std::int32_t, kFieldCount>;

    // realNow: the computer's local date and time at the win; gameYear/gameMonth: the
    // calendar after the last month played.
    ScoreRecord(const LocalDateTime& realNow, std::int32_t gameYear, std::int32_t gameMonth,
                const ScoreResults& results);
    // The ten stored fields in file order.
    explicit ScoreRecord(const Fields& fields) : fields_(fields) {}

    const Fields& fields() const { return fields_; }

    // (years since 1900 * 100 + month) * 100 + day; 5 December 2026 is 1261205.
    std::int32_t realDate() const { return fields_[0]; }
    std::int32_t realTime() const { return fields_[1]; }  // hour * 100 + minute
    std::int32_t gameDate() const { return fields_[2]; }  // (year * 100 + month) * 100
    std::int32_t competitors() const { return fields_[5]; }
    std::int32_t researchLevel() const { return fields_[6]; }
    std::int32_t poisonings() const { return fields_[7]; }
    std::int32_t overworkDeaths() const { return fields_[8]; }
    std::int32_t difficulty() const { return fields_[9]; }

    std::int32_t realYearSince1900() const { return realDate() / 10000; }
    std::int32_t realMonth() const { return (realDate() / 100) % 100; }
    std::int32_t realDay() const { return realDate() % 100; }
    std::int32_t hour() const { return realTime() / 100; }
    std::int32_t minute() const { return realTime() % 100; }
    std::int32_t gameYear() const { return gameDate() / 10000; }
    std::int32_t gameMonth() const { return (gameDate() / 100) % 100; }

private:
    Fields fields_{};
};

}  // namespace vellmora
