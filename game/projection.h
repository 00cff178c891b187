// Projections of one month's amounts for proposed budget values; the same formulas the monthly
// settlement posts with, so a projection with the current values predicts the settlement for a
// month with the same customers.
#pragma once

#include <array>

#include "game/money.h"

namespace vellmora {

class Finance;
class ShopList;

// Projected amount of one account for one month, positive for costs and for sales:
//  4101: sales at price level = integer part of value (0 for a level outside 0-4);
//  5101, 5102, 5103, 5302, 5151: the item's cost for multiplier = value;
//  5303: research cost for multiplier = value, never below 0;
//  5301: the monthly interest of all loans (value ignored);
//  5201: integer part of cash * deposit rate / 12 (value ignored);
//  any other code: 0.
Money project(const Finance& finance, const ShopList& shops, int code, double value = 0.0);

// Item values indexed by budget item: [0] the price level, [1]-[6] the multipliers.
using BudgetValues = std::array<double, 7>;

// The values the finance holds now (price level and the multipliers of the items' accounts).
BudgetValues currentBudgetValues(const Finance& finance);

// Sales less every cost and interest paid, plus interest received, for the given values.
Money projectedOrdinaryResult(const Finance& finance, const ShopList& shops,
                              const BudgetValues& values);

// Deposit interest of a month on a cash balance: integer part of cash * rate / 12.
Money depositInterest(Money cash, double annualRate);

}  // namespace vellmora
