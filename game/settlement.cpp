#include "game/settlement.h"

#include "data/result_codes.h"
#include "game/budget.h"
#include "game/finance.h"
#include "game/money_convert.h"
#include "game/projection.h"
#include "game/shop_list.h"

namespace vellmora {

namespace {

// Posts a price-table row with a factor unless the factor is 0 (nothing to post).
void postScaled(Finance& finance, TemplateGroup group, int row, int date, double factor) {
    if (factor != 0.0) {
        (void)finance.postTemplate(group, row, date, factor);
    }
}

bool anyAmount(const PostingTemplate& row) {
    for (Money value : row) {
        if (value != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

Settlement::Settlement(Finance& finance, ShopList& shops) : finance_(&finance), shops_(&shops) {}

Money Settlement::postShopItem(int item, double argument, int date) {
    const PostingTemplate row = recordMonthEntry(finance_->priceTable(), *shops_, item, argument);
    // A zero row (no shops, or a zero multiplier) leaves the books alone. An unbalanced row is
    // not posted, but the report still records its figure.
    if (anyAmount(row)) {
        (void)finance_->postTemplate(row, date, 1.0);
    }
    return row[0];
}

bool Settlement::repayLoansDue(int date) {
    bool repaid = false;
    for (int slot = 0; slot < LoanBook::kSlotCount; ++slot) {
        const Loan* loan = finance_->loans().loan(slot);
        if (loan != nullptr && date >= loan->due && finance_->repay(slot, date, true) == kOk) {
            repaid = true;
        }
    }
    return repaid;
}

int Settlement::settle(int date, bool yearEnd) {
    Finance& finance = *finance_;
    MonthlyReport report;
    report.date = date;

    const Money interestPaid = finance.totalMonthlyInterest();
    postScaled(finance, TemplateGroup::Interest, 1, date, static_cast<double>(interestPaid));
    report.set(5301, interestPaid);

    // Read after the interest paid. Negative cash gives a negative amount, and the posting then
    // runs in reverse.
    const Money interestReceived =
        depositInterest(finance.cash(), finance.priceTable().depositRate());
    postScaled(finance, TemplateGroup::Interest, 0, date, static_cast<double>(interestReceived));
    report.set(5201, interestReceived);

    double research = finance.multiplierFor(5303);
    if (!(research > 0.0)) {
        research = 0.0;
    }
    postScaled(finance, TemplateGroup::Expense, kResearchRow, date, research);
    report.set(5303, researchCost(finance.priceTable(), research));

    report.set(5151, -postShopItem(kBudgetAdministration, finance.multiplierFor(5151), date));
    report.set(5302, -postShopItem(kBudgetRent, finance.multiplierFor(5302), date));
    report.set(4101, postShopItem(kBudgetPrice, finance.priceLevel(), date));
    report.set(5101, -postShopItem(kBudgetIngredients, finance.multiplierFor(5101), date));
    report.set(5102, -postShopItem(kBudgetLabour, finance.multiplierFor(5102), date));
    report.set(5103, -postShopItem(kBudgetTraining, finance.multiplierFor(5103), date));

    // After the month's sales and costs, so a repayment falling due sees the month's cash.
    const bool repaid = repayLoansDue(date);

    for (int code : {5501, 5502, 5599}) {
        report.set(code, finance.balance(code));
    }
    auto v = [&report](int code) { return report.value(code); };
    report.set(9101, v(4101) - v(5101) - v(5102) - v(5103) - v(5303) - v(5302) - v(5151) - v(5301) -
                         v(5501) - v(5502) - v(5599) + v(5201));
    for (int code : {1101, 1151, 2101, 3101, 3102}) {
        report.set(code, finance.balance(code));
    }
    reports_.append(report);

    // The closing comes last, so the December report holds the year's balances.
    if (yearEnd) {
        finance.ledger().close(date);
    }
    reports_.setClosedThisMonth(yearEnd);
    return repaid ? 1 : 0;
}

Money Settlement::monthCompensation() const {
    const Money balance = finance_->balance(5502);
    if (reports_.closedThisMonth()) {
        return balance;
    }
    return balance - reports_.valueBack(5502, 1);
}

Money Settlement::cash() const {
    return finance_->cash();
}

bool Settlement::canBuild(int size) const {
    if (size < 0 || size > 2) {
        return false;
    }
    const PostingTemplate* row = finance_->priceTable().row(TemplateGroup::BuildShop, size);
    return row != nullptr && finance_->cash() >= -(*row)[0];
}

int Settlement::postBuildingCost(int size, int date) {
    if (!canBuild(size)) {
        return kRefused;
    }
    return finance_->postTemplate(TemplateGroup::BuildShop, size, date, 1.0) ? kOk : kRefused;
}

int Settlement::postClosingCost(int size, int date) {
    if (size < 0 || size > 2) {
        return kRefused;
    }
    return finance_->postTemplate(TemplateGroup::RemoveShop, size, date, 1.0) ? kOk : kRefused;
}

int Settlement::postFoundingCapital(int difficulty, int date) {
    if (difficulty < 0 || difficulty > 4) {
        return kRefused;
    }
    return finance_->postTemplate(TemplateGroup::Establish, difficulty, date, 1.0) ? kOk : kRefused;
}

}  // namespace vellmora
