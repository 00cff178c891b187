// A firm's month-end figures for the whole game, for the charts of the statements window: one
// small fixed-size entry per month played (about 400 bytes a year).
#pragma once

#include <cstdint>
#include <vector>

#include "game/money.h"

namespace vellmora {

class ByteReader;
class ByteWriter;

struct FirmHistoryEntry {
    std::int32_t date = 0;   // date code of the month
    std::int32_t shops = 0;  // shops in use at the month end
    Money cash = 0;          // balance of 1101 after the month's settlement and events
    Money sales = 0;         // the month's sales (4101)
    Money result = 0;        // the month's result (9101)

    bool operator==(const FirmHistoryEntry&) const = default;
};

// Which figure of an entry a chart reads.
enum class FirmFigure : int { Cash = 0, Sales, Result, Shops };
inline constexpr int kFirmFigureCount = 4;

Money figureOf(const FirmHistoryEntry& entry, FirmFigure figure);

class FirmHistory {
public:
    void clear() { entries_.clear(); }
    // Appends the month; a month already recorded (same date code) is replaced.
    void record(const FirmHistoryEntry& entry);
    const std::vector<FirmHistoryEntry>& entries() const { return entries_; }
    int count() const { return static_cast<int>(entries_.size()); }

    // The entries for a game file. loadState answers kRefused (history unchanged) for a count
    // beyond the bytes present, a figure out of range, a date that names no month, or dates
    // that do not rise from entry to entry or reach `nextDate` (the month now being played).
    void saveState(ByteWriter& out) const;
    [[nodiscard]] int loadState(ByteReader& in, std::int32_t nextDate);

private:
    std::vector<FirmHistoryEntry> entries_;
};

}  // namespace vellmora
