// A firm's finance: its books, price table, loans, budget multipliers and price level.
// Every money movement is a price-table row posted with a factor.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "game/account_chart.h"
#include "game/ledger.h"
#include "game/loan_book.h"
#include "game/money.h"
#include "game/price_table.h"

namespace vellmora {

class ByteReader;
class ByteWriter;

// Account codes the game itself reads.
namespace account {
inline constexpr int kCash = 1101;
inline constexpr int kOtherAsset = 1151;
inline constexpr int kLiabilities = 2101;
inline constexpr int kCapital = 3101;
inline constexpr int kRetainedEarnings = 3102;
inline constexpr int kSales = 4101;
inline constexpr int kIngredients = 5101;
inline constexpr int kLabour = 5102;
inline constexpr int kTraining = 5103;
inline constexpr int kAdministration = 5151;
inline constexpr int kInterestReceived = 5201;
inline constexpr int kInterestPaid = 5301;
inline constexpr int kRent = 5302;
inline constexpr int kResearch = 5303;
inline constexpr int kExtraordinary = 5501;
inline constexpr int kCompensation = 5502;
inline constexpr int kOtherExtraordinary = 5599;
inline constexpr int kResult = 9101;
}  // namespace account

// Reads the chart from the "ahd" and "acc" blobs and checks that it holds the 18 column codes
// and both summary accounts: AccountChart::load with kColumnCodes required. An absent blob is an
// empty span (kMissingFile).
[[nodiscard]] int loadFinanceChart(std::span<const std::uint8_t> header,
                                   std::span<const std::uint8_t> records, AccountChart& chart);

class Finance {
public:
    Finance();

    // Opens the books on the chart (every account at 0), sets price level 2 and resets the price
    // table, multipliers and loans. kOk, or kChartIncomplete when the chart lacks one of the 18
    // column codes or a summary / retained-earnings account (nothing is changed then and the
    // firm must not be created).
    [[nodiscard]] int initialise(const AccountChart& chart);
    // Loads the price file. On a failure after the header the table, the budget multipliers and
    // the loans are reset. kOk or kRefused.
    [[nodiscard]] int loadPriceTable(const std::string& path);
    // Price table zero, multipliers 0.0, loan book empty.
    void resetPriceTable();

    const Ledger& ledger() const { return ledger_; }
    Ledger& ledger() { return ledger_; }
    const PriceTable& priceTable() const { return priceTable_; }
    PriceTable& priceTable() { return priceTable_; }
    const LoanBook& loans() const { return loans_; }
    // Alias used by the budget and settlement code.
    const PriceTable& prices() const { return priceTable_; }

    // Balance of an account; 0 for a code without account.
    Money balance(int code) const { return ledger_.balance(code); }
    Money cash() const { return ledger_.balance(account::kCash); }
    static int columnIndex(int code) { return columnOf(code); }

    // Builds the entry of a template row scaled by `factor` (each amount the integer part of
    // value * factor, truncated toward zero and clamped to kMoneyLimit). Nothing when the
    // truncated debits and credits do not balance.
    std::optional<JournalEntry> buildEntry(const PostingTemplate& row, int date,
                                           double factor) const;
    // Builds and posts; the entry posted, or nothing when it was unbalanced or the ledger
    // refused it (no balance changes then).
    [[nodiscard]] std::optional<JournalEntry> postTemplate(const PostingTemplate& row, int date,
                                                           double factor);
    // Same with a row of the price table; nothing for a row outside the group.
    [[nodiscard]] std::optional<JournalEntry> postTemplate(TemplateGroup group, int row, int date,
                                                           double factor);

    // Budget multipliers, one per column (default 0.0).
    double multiplier(int column) const;
    void setMultiplier(int column, double value);
    double multiplierFor(int code) const { return multiplier(columnOf(code)); }
    void setMultiplierFor(int code, double value) { setMultiplier(columnOf(code), value); }

    // Price level 0 to 4 (default 2); other values are refused.
    int priceLevel() const { return priceLevel_; }
    [[nodiscard]] int setPriceLevel(int level);

    // --- Loans and credit rating (loan_book.cpp, credit_rating.cpp) ---
    // 0 to 10 for difficulty 0 to 4 (from a fresh snapshot); -1 for another difficulty.
    int rating(int difficulty) const;
    // The rate of rating(d) for ratings 0 to 9; 0.0 at rating 10 or for a bad difficulty.
    double currentRate(int difficulty) const;
    // True when borrow(d, ...) would succeed: valid difficulty, rating below 10, a free slot.
    bool canBorrow(int difficulty) const;
    // Takes one loan unit at the rate of the current rating; the slot, or kRefused.
    [[nodiscard]] int borrow(int difficulty, int now, int due);
    // The slot holds a loan and (force, or cash covers the repayment amount).
    bool canRepay(int slot, bool force) const;
    // Empties the slot and posts the repayment row; kOk or kRefused.
    [[nodiscard]] int repay(int slot, int now, bool force);
    // Replaces loans dearer than the current rate; kOk when it found any, else kRefused.
    // At rating 10 (no rate on offer) it does nothing and answers kRefused.
    [[nodiscard]] int refinance(int difficulty, int now, int due);
    Money totalMonthlyInterest() const { return loans_.totalMonthlyInterest(); }

    // Price level, multipliers, loans and books (the chart and price table come from the data
    // files). kOk, or kRefused with the books possibly reopened: the caller discards the finance.
    void saveState(ByteWriter& out) const;
    [[nodiscard]] int loadState(ByteReader& in);

private:
    int borrowCheck(int difficulty) const;
    int repayCheck(int slot, bool force) const;

    Ledger ledger_;
    PriceTable priceTable_;
    LoanBook loans_;
    std::array<double, kColumnCount> multipliers_{};
    int priceLevel_ = 2;
};

}  // namespace vellmora
