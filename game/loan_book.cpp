#include "game/loan_book.h"

#include "data/result_codes.h"
#include "game/credit_rating.h"
#include "game/finance.h"
#include "game/money_convert.h"

namespace vellmora {

double Loan::annualRate() const {
    if (amount == 0) {
        return 0.0;
    }
    return static_cast<double>(monthlyInterest) / static_cast<double>(amount) * 12.0;
}

int addMonths(int dateCode, int months) {
    const int monthIndex = (dateCode / 100) * 12 + (dateCode % 100 - 1) + months;
    return (monthIndex / 12) * 100 + monthIndex % 12 + 1;
}

void LoanBook::clear() {
    slots_.fill(std::nullopt);
}

bool LoanBook::slotUsed(int slot) const {
    return loan(slot) != nullptr;
}

const Loan* LoanBook::loan(int slot) const {
    if (slot < 0 || slot >= kSlotCount) {
        return nullptr;
    }
    const auto& held = slots_[static_cast<std::size_t>(slot)];
    return held ? &*held : nullptr;
}

Money LoanBook::amount(int slot) const {
    const Loan* held = loan(slot);
    return held ? held->amount : 0;
}

double LoanBook::annualRate(int slot) const {
    const Loan* held = loan(slot);
    return held ? held->annualRate() : 0.0;
}

int LoanBook::monthBorrowed(int slot) const {
    const Loan* held = loan(slot);
    return held ? held->borrowed : 0;
}

int LoanBook::monthDue(int slot) const {
    const Loan* held = loan(slot);
    return held ? held->due : 0;
}

int LoanBook::firstFreeSlot() const {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!slots_[static_cast<std::size_t>(slot)]) {
            return slot;
        }
    }
    return -1;
}

int LoanBook::add(const Loan& loan) {
    const int slot = firstFreeSlot();
    if (slot < 0) {
        return kRefused;
    }
    slots_[static_cast<std::size_t>(slot)] = loan;
    return slot;
}

int LoanBook::remove(int slot) {
    if (!slotUsed(slot)) {
        return kRefused;
    }
    slots_[static_cast<std::size_t>(slot)].reset();
    return kOk;
}

int LoanBook::loanCount() const {
    int count = 0;
    for (const auto& held : slots_) {
        count += held ? 1 : 0;
    }
    return count;
}

Money LoanBook::totalMonthlyInterest() const {
    Money total = 0;
    for (const auto& held : slots_) {
        if (held) {
            total = saturatingAdd(total, held->monthlyInterest);
        }
    }
    return total;
}

// --- Borrowing, repayment and refinancing on the firm's finance ---

int Finance::borrowCheck(int difficulty) const {
    const int grade = rating(difficulty);
    if (grade < 0 || grade >= kNoCreditRating || loans_.firstFreeSlot() < 0) {
        return kRefused;
    }
    // A loan must bring cash in; a missing or unbalanced borrowing row would book a loan
    // without its money.
    if (priceTable_.loanUnit() <= 0) {
        return kRefused;
    }
    if (!buildEntry(*priceTable_.row(TemplateGroup::Borrowing, 0), 0, 1.0)) {
        return kRefused;
    }
    return grade;
}

bool Finance::canBorrow(int difficulty) const {
    return borrowCheck(difficulty) >= 0;
}

int Finance::borrow(int difficulty, int now, int due) {
    const int grade = borrowCheck(difficulty);
    if (grade < 0) {
        return kRefused;
    }
    const Money unit = priceTable_.loanUnit();
    const PostingTemplate* row = priceTable_.row(TemplateGroup::Borrowing, 0);
    const std::optional<JournalEntry> entry = buildEntry(*row, now, 1.0);
    if (!entry) {
        return kRefused;
    }
    const Money interest = truncateToMoney(static_cast<double>(unit) * priceTable_.loanRate(grade) *
                                           0.08333333333333333);
    const int slot = loans_.add(Loan{unit, interest, now, due});
    if (slot < 0) {
        return kRefused;
    }
    if (ledger_.post(*entry) != kOk) {
        static_cast<void>(loans_.remove(slot));
        return kRefused;
    }
    return slot;
}

int Finance::repayCheck(int slot, bool force) const {
    if (!loans_.slotUsed(slot)) {
        return kRefused;
    }
    if (!force && cash() < priceTable_.repaymentAmount()) {
        return kRefused;
    }
    // An unbalanced repayment row would let the loan vanish without paying it back.
    if (!buildEntry(*priceTable_.row(TemplateGroup::Borrowing, 1), 0, 1.0)) {
        return kRefused;
    }
    return kOk;
}

bool Finance::canRepay(int slot, bool force) const {
    return repayCheck(slot, force) == kOk;
}

int Finance::repay(int slot, int now, bool force) {
    if (repayCheck(slot, force) != kOk) {
        return kRefused;
    }
    if (!postTemplate(TemplateGroup::Borrowing, 1, now, 1.0)) {
        // Only a balance beyond the money limit gets here; the loan stays on the books.
        return kRefused;
    }
    return loans_.remove(slot);
}

// Refinancing replaces every loan dearer than today's rate by a new one. With rating 10 there is
// no rate on offer and no new loan could be taken, so nothing is repaid: refinancing never turns
// into an early repayment that drains the cash. Each candidate borrows a new loan whether or not
// its repayment went through (cash may have run short half-way when a repayment takes more than
// a loan brings), and a refused loan is simply skipped.
int Finance::refinance(int difficulty, int now, int due) {
    const int grade = rating(difficulty);
    if (grade < 0 || grade >= kNoCreditRating) {
        return kRefused;
    }
    const double rate = priceTable_.loanRate(grade);
    std::vector<int> candidates;
    for (int slot = 0; slot < loans_.slotCount(); ++slot) {
        const Loan* held = loans_.loan(slot);
        if (held != nullptr && held->annualRate() > rate &&
            cash() >= priceTable_.repaymentAmount()) {
            candidates.push_back(slot);
        }
    }
    if (candidates.empty()) {
        return kRefused;
    }
    for (int slot : candidates) {
        static_cast<void>(repay(slot, now, false));
        static_cast<void>(borrow(difficulty, now, due));
    }
    return kOk;
}

}  // namespace vellmora
