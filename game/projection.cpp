#include "game/projection.h"

#include "game/budget.h"
#include "game/finance.h"
#include "game/money_convert.h"

namespace vellmora {

Money depositInterest(Money cash, double annualRate) {
    return truncateToMoney(static_cast<double>(cash) * annualRate / 12.0);
}

Money project(const Finance& finance, const ShopList& shops, int code, double value) {
    const PriceTable& prices = finance.priceTable();
    switch (code) {
        case 4101:
        case 5101:
        case 5102:
        case 5103:
        case 5302:
        case 5151: {
            const int item = budgetItemOfAccount(code);
            const Money cash = buildMonthEntry(prices, shops, item, value)[0];
            return item == kBudgetPrice ? cash : -cash;
        }
        case 5303: {
            const Money cost = researchCost(prices, value);
            return cost < 0 ? 0 : cost;
        }
        case 5301:
            return finance.totalMonthlyInterest();
        case 5201:
            return depositInterest(finance.cash(), prices.depositRate());
        default:
            return 0;
    }
}

BudgetValues currentBudgetValues(const Finance& finance) {
    BudgetValues values{};
    values[kBudgetPrice] = static_cast<double>(finance.priceLevel());
    for (int item = 1; item < kBudgetItems; ++item) {
        values[static_cast<std::size_t>(item)] = finance.multiplierFor(budgetItemAccount(item));
    }
    return values;
}

Money projectedOrdinaryResult(const Finance& finance, const ShopList& shops,
                              const BudgetValues& values) {
    auto at = [&](int item) { return values[static_cast<std::size_t>(item)]; };
    // Each projection is within the money limit, so the sum of nine cannot overflow 64 bits.
    return project(finance, shops, 4101, at(kBudgetPrice)) -
           project(finance, shops, 5101, at(kBudgetIngredients)) -
           project(finance, shops, 5102, at(kBudgetLabour)) -
           project(finance, shops, 5103, at(kBudgetTraining)) -
           project(finance, shops, 5303, at(kBudgetResearch)) - project(finance, shops, 5301) -
           project(finance, shops, 5302, at(kBudgetRent)) -
           project(finance, shops, 5151, at(kBudgetAdministration)) + project(finance, shops, 5201);
}

}  // namespace vellmora
