// The monthly settlement of a firm's books with the monthly reports it keeps, and the postings
// the firm makes outside it: building, closing, founding and compensation.
#pragma once

#include "game/compensation.h"
#include "game/money.h"
#include "game/monthly_report.h"

namespace vellmora {

class ByteReader;
class ByteWriter;
class Finance;
class ShopList;

class Settlement {
public:
    // Back references: the firm owns the finance and the shop list and outlives this object.
    Settlement(Finance& finance, ShopList& shops);
    Settlement(const Settlement&) = delete;
    Settlement& operator=(const Settlement&) = delete;

    // Settles the month `date`: interest paid and received, research, the shops' administration,
    // rent, sales, ingredients, labour and training (with their histories), loans falling due,
    // the monthly report and, with yearEnd, the closing of the books after the report. Answers 1
    // when a loan was repaid because it fell due, else 0.
    [[nodiscard]] int settle(int date, bool yearEnd);

    const MonthlyReportList& reports() const { return reports_; }
    // Report k places from the newest (k = 1 the newest; the oldest when there are fewer); 0
    // when there is none.
    Money reportValue(int code, int k) const { return reports_.valueBack(code, k); }
    // Report of the month `date`; 0 when there is none.
    Money reportValueOf(int code, int date) const { return reports_.valueOf(code, date); }
    bool closedThisMonth() const { return reports_.closedThisMonth(); }

    // The monthly reports; loadState answers kRefused (reports unchanged) for a value beyond the
    // limit kept for report figures.
    void saveState(ByteWriter& out) const;
    [[nodiscard]] int loadState(ByteReader& in);

    // Compensation (5502) posted since the last settlement, or since the closing when the books
    // were closed this month.
    Money monthCompensation() const;
    // Balance of 1101.
    Money cash() const;

    void compensatePoisoning(double f, int date) {
        postCompensation(*finance_, CompensationKind::Poisoning, f, date);
    }
    void compensateOverwork(double f, int date) {
        postCompensation(*finance_, CompensationKind::Overwork, f, date);
    }

    // Size 0-2 and the cash covers the "[buildshop]" row of the size.
    bool canBuild(int size) const;
    // Posts the "[buildshop]" row of the size; kRefused, nothing posted, unless canBuild (or when
    // the row does not balance).
    [[nodiscard]] int postBuildingCost(int size, int date);
    // Posts the "[removeshop]" row of size 0-2 whatever the cash; kRefused for another size or
    // an unbalanced row.
    [[nodiscard]] int postClosingCost(int size, int date);
    // Posts the "[establish]" row of difficulty 0-4; kRefused for another level or an unbalanced
    // row.
    [[nodiscard]] int postFoundingCapital(int difficulty, int date);

private:
    Money postShopItem(int item, double argument, int date);
    bool repayLoansDue(int date);

    Finance* finance_;
    ShopList* shops_;
    MonthlyReportList reports_;
};

}  // namespace vellmora
