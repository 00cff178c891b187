// The figures of one settled month, and the list of them a firm keeps for the whole game.
#pragma once

#include <array>
#include <vector>

#include "game/money.h"
#include "game/price_table.h"

namespace vellmora {

// Report figures are balances and a few sums of them; this bound leaves their sums room.
inline constexpr Money kReportLimit = Money{1} << 60;

// One settled month: a value per finance column (kColumnCodes), all 0 until set.
struct MonthlyReport {
    int date = 0;  // date code of the settled month
    std::array<Money, kColumnCount> values{};

    // 0 for a code outside the columns.
    Money value(int code) const;
    // Ignored for a code outside the columns.
    void set(int code, Money amount);
};

// Reports oldest first, never trimmed, and the closed-this-month flag (set at creation and by a
// year-end settlement, cleared by every other settlement).
class MonthlyReportList {
public:
    void append(const MonthlyReport& report) { reports_.push_back(report); }
    int count() const { return static_cast<int>(reports_.size()); }
    const std::vector<MonthlyReport>& all() const { return reports_; }

    // The report k places from the newest (k = 1 is the newest); the oldest when there are fewer
    // than k. nullptr when there are none or k is below 1.
    const MonthlyReport* back(int k) const;
    // The report of a month, nullptr when there is none.
    const MonthlyReport* of(int date) const;

    // Value of a code in back(k) / of(date); 0 when there is no such report.
    Money valueBack(int code, int k) const;
    Money valueOf(int code, int date) const;

    bool closedThisMonth() const { return closedThisMonth_; }
    void setClosedThisMonth(bool closed) { closedThisMonth_ = closed; }

private:
    std::vector<MonthlyReport> reports_;
    bool closedThisMonth_ = true;
};

}  // namespace vellmora
