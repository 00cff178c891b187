#include "game/finance.h"

#include "data/result_codes.h"
#include "game/money_convert.h"

namespace vellmora {

int loadFinanceChart(std::span<const std::uint8_t> header, std::span<const std::uint8_t> records,
                     AccountChart& chart) {
    return chart.load(header, records, kColumnCodes);
}

Finance::Finance() = default;

int Finance::initialise(const AccountChart& chart) {
    for (int code : kColumnCodes) {
        if (chart.find(code) == nullptr) {
            return kChartIncomplete;
        }
    }
    if (chart.find(chart.summaryCode()) == nullptr ||
        chart.find(chart.retainedEarningsCode()) == nullptr) {
        return kChartIncomplete;
    }
    ledger_.open(chart);
    priceLevel_ = 2;
    resetPriceTable();
    return kOk;
}

int Finance::loadPriceTable(const std::string& path) {
    const int result = priceTable_.load(path);
    if (result != kOk && priceTable_.lastLoadReset()) {
        resetPriceTable();
    }
    return result;
}

void Finance::resetPriceTable() {
    priceTable_.reset();
    multipliers_.fill(0.0);
    loans_.clear();
}

std::optional<JournalEntry> Finance::buildEntry(const PostingTemplate& row, int date,
                                                double factor) const {
    JournalEntry entry;
    entry.date = date;
    for (std::size_t column = 0; column < row.size(); ++column) {
        const Money value = row[column];
        if (value == 0) {
            continue;
        }
        const int code = kColumnCodes[column];
        if (value > 0) {
            entry.debits.push_back({code, truncateToMoney(static_cast<double>(value) * factor)});
        } else {
            entry.credits.push_back({code, truncateToMoney(-static_cast<double>(value) * factor)});
        }
    }
    // Each amount is within ±2^53 and there are at most 18, so these sums cannot wrap.
    if (entry.debitTotal() != entry.creditTotal()) {
        return std::nullopt;
    }
    return entry;
}

std::optional<JournalEntry> Finance::postTemplate(const PostingTemplate& row, int date,
                                                  double factor) {
    std::optional<JournalEntry> entry = buildEntry(row, date, factor);
    if (!entry || ledger_.post(*entry) != kOk) {
        return std::nullopt;
    }
    return entry;
}

std::optional<JournalEntry> Finance::postTemplate(TemplateGroup group, int row, int date,
                                                  double factor) {
    const PostingTemplate* values = priceTable_.row(group, row);
    if (values == nullptr) {
        return std::nullopt;
    }
    return postTemplate(*values, date, factor);
}

double Finance::multiplier(int column) const {
    if (column < 0 || column >= kColumnCount) {
        return 0.0;
    }
    return multipliers_[static_cast<std::size_t>(column)];
}

void Finance::setMultiplier(int column, double value) {
    if (column >= 0 && column < kColumnCount) {
        multipliers_[static_cast<std::size_t>(column)] = value;
    }
}

int Finance::setPriceLevel(int level) {
    if (level < 0 || level > 4) {
        return kRefused;
    }
    priceLevel_ = level;
    return kOk;
}

}  // namespace vellmora
