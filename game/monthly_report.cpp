#include "game/monthly_report.h"

#include <algorithm>

namespace vellmora {

Money MonthlyReport::value(int code) const {
    const int column = columnOf(code);
    return column < 0 ? 0 : values[static_cast<std::size_t>(column)];
}

void MonthlyReport::set(int code, Money amount) {
    const int column = columnOf(code);
    if (column >= 0) {
        values[static_cast<std::size_t>(column)] = amount;
    }
}

const MonthlyReport* MonthlyReportList::back(int k) const {
    if (reports_.empty() || k < 1) {
        return nullptr;
    }
    const std::size_t steps = std::min(static_cast<std::size_t>(k), reports_.size());
    return &reports_[reports_.size() - steps];
}

const MonthlyReport* MonthlyReportList::of(int date) const {
    // Months are settled in date order, so the newest match is the month's own report.
    for (auto it = reports_.rbegin(); it != reports_.rend(); ++it) {
        if (it->date == date) {
            return &*it;
        }
    }
    return nullptr;
}

Money MonthlyReportList::valueBack(int code, int k) const {
    const MonthlyReport* report = back(k);
    return report == nullptr ? 0 : report->value(code);
}

Money MonthlyReportList::valueOf(int code, int date) const {
    const MonthlyReport* report = of(date);
    return report == nullptr ? 0 : report->value(code);
}

}  // namespace vellmora
