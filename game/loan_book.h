// The loans of one firm: 256 fixed slots, each empty or holding one loan of one loan unit.
#pragma once

#include <array>
#include <optional>

#include "game/money.h"

namespace vellmora {

class ByteReader;
class ByteWriter;

struct Loan {
    Money amount = 0;           // the loan unit at the time of borrowing
    Money monthlyInterest = 0;  // fixed when the loan is taken
    int borrowed = 0;           // dateCode
    int due = 0;                // dateCode; repaid by force in any settlement on or after it

    // monthly interest / amount * 12; 0.0 for a zero amount.
    double annualRate() const;
};

// Months between borrowing and the due month.
inline constexpr int kLoanTermMonths = 59;

// dateCode `months` months after `dateCode` (year * 100 + month).
int addMonths(int dateCode, int months);

class LoanBook {
public:
    static constexpr int kSlotCount = 256;

    void clear();

    int slotCount() const { return kSlotCount; }
    bool slotUsed(int slot) const;
    // nullptr for an empty slot or a slot outside 0 to 255.
    const Loan* loan(int slot) const;
    // Getters for the dialog: 0 on an empty or invalid slot.
    Money amount(int slot) const;
    double annualRate(int slot) const;
    int monthBorrowed(int slot) const;
    int monthDue(int slot) const;

    // Lowest empty slot, or -1 when all 256 are taken.
    int firstFreeSlot() const;
    // Puts the loan into the lowest empty slot; its index, or kRefused when the book is full.
    [[nodiscard]] int add(const Loan& loan);
    // Empties the slot; kRefused when it holds no loan.
    [[nodiscard]] int remove(int slot);

    int loanCount() const;
    // Sum of the monthly interest of all loans (saturating).
    Money totalMonthlyInterest() const;

    // Every loan with its slot; loadState answers kRefused (book unchanged) for a bad or
    // repeated slot or an amount beyond the money limit.
    void saveState(ByteWriter& out) const;
    [[nodiscard]] int loadState(ByteReader& in);

private:
    std::array<std::optional<Loan>, kSlotCount> slots_{};
};

}  // namespace vellmora
