#include "game/credit_rating.h"

#include <cmath>

#include "game/finance.h"
#include "game/money_convert.h"

namespace vellmora {

int rateCredit(Money equity, Money retained, Money debt, double factor) {
    if (equity < 0) {
        return kNoCreditRating;
    }
    const double scaledEquity = static_cast<double>(equity) * factor;
    // With no positive equity base the ratio is infinite or undefined (0 / 0): no credit.
    if (!(scaledEquity > 0.0)) {
        return kNoCreditRating;
    }
    const double ratio = static_cast<double>(debt) / scaledEquity;
    if (std::isnan(ratio)) {
        return kNoCreditRating;
    }
    if (ratio <= 0.5) {
        return 0;
    }
    if (ratio >= 1.1 || retained < 0) {
        return kNoCreditRating;
    }
    if (ratio >= 0.95) {
        return 9;
    }
    // ratio lies in (0.5, 0.95) here, so the product is in (0, 9) and converts safely.
    return static_cast<int>((ratio - 0.5) * 20.0);
}

int Finance::rating(int difficulty) const {
    if (difficulty < 0 || difficulty >= kRatingFactorCount) {
        return -1;
    }
    const Closing now = ledger_.current(0);
    const BalanceSnapshot& sheet = now.balanceSheet;
    const Money retained = ledger_.groupSum(sheet, kRetainedGroup);
    const Money equity = saturatingAdd(retained, ledger_.groupSum(sheet, kEquityGroup));
    const Money debt = saturatingAdd(ledger_.groupSum(sheet, kDebtGroup), priceTable_.loanUnit());
    return rateCredit(equity, retained, debt, priceTable_.ratingFactor(difficulty));
}

double Finance::currentRate(int difficulty) const {
    const int grade = rating(difficulty);
    if (grade < 0 || grade >= kNoCreditRating) {
        return 0.0;
    }
    return priceTable_.loanRate(grade);
}

}  // namespace vellmora
