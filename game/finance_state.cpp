// The finance's part of a game file: price level, multipliers, loans, the journals of every
// year and the monthly reports.
#include <limits>

#include "data/byte_stream.h"
#include "data/result_codes.h"
#include "game/finance.h"
#include "game/ledger.h"
#include "game/loan_book.h"
#include "game/money_convert.h"
#include "game/settlement.h"

namespace vellmora {

namespace {

constexpr std::int64_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();
// Smallest encodings: an entry is a date and two counts, a posting a code and an amount.
constexpr std::size_t kEntryBytes = 3;
constexpr std::size_t kPostingBytes = 2;
constexpr std::size_t kLoanBytes = 5;
constexpr std::size_t kReportBytes = 1 + kColumnCount;
// The journal of one year, and the years of a game, are bounded by the bytes present; these caps
// only keep a count from meaning more than a size_t can hold.
constexpr std::size_t kMaxEntries = std::size_t{1} << 32;

void writeEntries(ByteWriter& out, const std::vector<JournalEntry>& entries) {
    out.varint(entries.size());
    for (const JournalEntry& entry : entries) {
        out.integer(entry.date);
        for (const auto* side : {&entry.debits, &entry.credits}) {
            out.varint(side->size());
            for (const Posting& posting : *side) {
                out.integer(posting.code);
                out.integer(posting.amount);
            }
        }
    }
}

bool readPostings(ByteReader& in, std::vector<Posting>& out) {
    std::size_t count = 0;
    if (!in.count(count, kMaxEntries, kPostingBytes)) {
        return false;
    }
    out.resize(count);
    for (Posting& posting : out) {
        if (!in.integerIn(kIntMin, kIntMax, posting.code) ||
            !in.integerIn(-kMoneyLimit, kMoneyLimit, posting.amount)) {
            return false;
        }
    }
    return true;
}

// Reads a journal and posts every entry; false when the data or the ledger refuses one.
bool postEntries(ByteReader& in, Ledger& ledger) {
    std::size_t count = 0;
    if (!in.count(count, kMaxEntries, kEntryBytes)) {
        return false;
    }
    JournalEntry entry;
    for (std::size_t i = 0; i < count; ++i) {
        if (!in.integerIn(kIntMin, kIntMax, entry.date) || !readPostings(in, entry.debits) ||
            !readPostings(in, entry.credits)) {
            return false;
        }
        if (ledger.post(entry) != kOk) {
            return in.fail();
        }
    }
    return true;
}

}  // namespace

void Ledger::saveState(ByteWriter& out) const {
    out.varint(archived_.size());
    for (std::size_t year = 0; year < archived_.size(); ++year) {
        writeEntries(out, archived_[year]);
        out.integer(closings_[year].date);
    }
    writeEntries(out, journal_);
}

int Ledger::loadState(ByteReader& in) {
    open(chart_);
    std::size_t years = 0;
    // A year is at least an empty journal and a closing date.
    if (!in.count(years, kMaxEntries, 2)) {
        return kRefused;
    }
    for (std::size_t year = 0; year < years; ++year) {
        int date = 0;
        if (!postEntries(in, *this) || !in.integerIn(kIntMin, kIntMax, date)) {
            open(chart_);
            return kRefused;
        }
        close(date);
    }
    if (!postEntries(in, *this)) {
        open(chart_);
        return kRefused;
    }
    return kOk;
}

void LoanBook::saveState(ByteWriter& out) const {
    out.varint(static_cast<std::uint64_t>(loanCount()));
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (const Loan* held = loan(slot)) {
            out.integer(slot);
            out.integer(held->amount);
            out.integer(held->monthlyInterest);
            out.integer(held->borrowed);
            out.integer(held->due);
        }
    }
}

int LoanBook::loadState(ByteReader& in) {
    std::size_t count = 0;
    if (!in.count(count, kSlotCount, kLoanBytes)) {
        return kRefused;
    }
    std::array<std::optional<Loan>, kSlotCount> slots{};
    for (std::size_t i = 0; i < count; ++i) {
        int slot = 0;
        Loan held;
        if (!in.integerIn(0, kSlotCount - 1, slot) ||
            !in.integerIn(-kMoneyLimit, kMoneyLimit, held.amount) ||
            !in.integerIn(-kMoneyLimit, kMoneyLimit, held.monthlyInterest) ||
            !in.integerIn(kIntMin, kIntMax, held.borrowed) ||
            !in.integerIn(kIntMin, kIntMax, held.due)) {
            return kRefused;
        }
        auto& target = slots[static_cast<std::size_t>(slot)];
        if (target) {
            in.fail();
            return kRefused;
        }
        target = held;
    }
    slots_ = slots;
    return kOk;
}

void Finance::saveState(ByteWriter& out) const {
    out.integer(priceLevel_);
    for (const double multiplier : multipliers_) {
        out.real(multiplier);
    }
    loans_.saveState(out);
    ledger_.saveState(out);
}

int Finance::loadState(ByteReader& in) {
    int level = 0;
    std::array<double, kColumnCount> multipliers{};
    if (!in.integerIn(0, 4, level)) {
        return kRefused;
    }
    for (double& multiplier : multipliers) {
        if (!in.real(multiplier)) {
            return kRefused;
        }
    }
    if (loans_.loadState(in) != kOk || ledger_.loadState(in) != kOk) {
        return kRefused;
    }
    priceLevel_ = level;
    multipliers_ = multipliers;
    return kOk;
}

void Settlement::saveState(ByteWriter& out) const {
    out.boolean(reports_.closedThisMonth());
    out.varint(reports_.all().size());
    for (const MonthlyReport& report : reports_.all()) {
        out.integer(report.date);
        for (const Money value : report.values) {
            out.integer(value);
        }
    }
}

int Settlement::loadState(ByteReader& in) {
    bool closed = false;
    std::size_t count = 0;
    if (!in.boolean(closed) || !in.count(count, kMaxEntries, kReportBytes)) {
        return kRefused;
    }
    MonthlyReportList reports;
    for (std::size_t i = 0; i < count; ++i) {
        MonthlyReport report;
        if (!in.integerIn(kIntMin, kIntMax, report.date)) {
            return kRefused;
        }
        for (Money& value : report.values) {
            if (!in.integerIn(-kReportLimit, kReportLimit, value)) {
                return kRefused;
            }
        }
        reports.append(report);
    }
    reports.setClosedThisMonth(closed);
    reports_ = std::move(reports);
    return kOk;
}

}  // namespace vellmora
