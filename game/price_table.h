// The price file ("quillmarch_price"): posting templates for every money movement of the game,
// the deposit rate, the loan rates per credit rating and the rating factors per difficulty.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "game/money.h"

namespace vellmora {

class ParamFile;

// The finance's account columns, in the fixed order of every template, multiplier and report.
inline constexpr int kColumnCount = 18;
inline constexpr std::array<int, kColumnCount> kColumnCodes{1101, 1151, 2101, 3101, 3102, 4101,
                                                            5101, 5102, 5103, 5201, 5301, 5302,
                                                            5303, 5151, 5501, 5502, 5599, 9101};

// Column index of an account code, or -1 when it is not one of the 18.
constexpr int columnOf(int code) {
    for (int i = 0; i < kColumnCount; ++i) {
        if (kColumnCodes[static_cast<std::size_t>(i)] == code) {
            return i;
        }
    }
    return -1;
}

// Signed amounts per column: positive debits, negative credits.
using PostingTemplate = std::array<Money, kColumnCount>;

enum class TemplateGroup {
    BuildShop,              // "[buildshop]", 3 rows by shop size
    RemoveShop,             // "[removeshop]", 3 rows by shop size
    Sales,                  // "[salse]", 5 rows by price level
    Expense,                // "[expense]", 6 rows (see ExpenseRow)
    PoisoningCompensation,  // "[settlement]" first group, 2 rows (smallest, largest)
    OverworkCompensation,   // "[settlement]" second group, 2 rows
    ChangeSystem,           // "[changesystem]", 1 row per open shop
    Establish,              // "[establish]", 5 rows by difficulty
    Borrowing,              // "[borrowing]", 0 borrow one unit, 1 repay one unit
    Interest,               // "[interest]", 0 received, 1 paid (per currency unit)
};
inline constexpr int kTemplateGroupCount = 10;

enum ExpenseRow : int {
    kIngredientsRow = 0,
    kLabourRow = 1,
    kTrainingRow = 2,
    kResearchRow = 3,
    kRentRow = 4,
    kAdministrationRow = 5,
};

inline constexpr int kLoanRateCount = 10;     // ratings 0 ("AAA") to 9 ("D")
inline constexpr int kRatingFactorCount = 5;  // difficulties 0 to 4

class PriceTable {
public:
    PriceTable();

    // kOk, or kRefused. An unreadable file or a wrong header (magic word other than
    // "quillmarch_price" ignoring ASCII case, version other than 10000) leaves the table as it
    // was; a short section or a missing cell after the header resets the whole table.
    [[nodiscard]] int load(const std::string& path);
    [[nodiscard]] int load(const ParamFile& file);
    // True when the last load failed after the header and reset the table (the finance then
    // also clears its multipliers and loans).
    bool lastLoadReset() const { return lastLoadReset_; }

    // Every template value, rate and factor 0.
    void reset();

    static int rowCount(TemplateGroup group);
    // nullptr for a row outside the group.
    const PostingTemplate* row(TemplateGroup group, int row) const;
    // The row's value in the code's column; -1 for a row outside the group or a code outside
    // the 18 columns.
    Money value(TemplateGroup group, int row, int code) const;

    double depositRate() const { return depositRate_; }
    // Annual rate for rating 0 to 9; 0.0 otherwise (there is no rate for rating 10).
    double loanRate(int rating) const;
    // Factor for difficulty 0 to 4; 0.0 otherwise.
    double ratingFactor(int difficulty) const;

    // Cash one loan brings in: the 1101 value of "[borrowing]" row 0.
    Money loanUnit() const;
    // Cash one repayment takes: minus the 1101 value of "[borrowing]" row 1.
    Money repaymentAmount() const;

    // Test and tool access.
    void setRow(TemplateGroup group, int row, const PostingTemplate& values);
    void setDepositRate(double rate) { depositRate_ = rate; }
    void setLoanRate(int rating, double rate);
    void setRatingFactor(int difficulty, double factor);

private:
    std::array<std::vector<PostingTemplate>, kTemplateGroupCount> groups_;
    double depositRate_ = 0.0;
    std::array<double, kLoanRateCount> loanRates_{};
    std::array<double, kRatingFactorCount> ratingFactors_{};
    bool lastLoadReset_ = false;
};

}  // namespace vellmora
