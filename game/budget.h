// Budget items and the month entry of an item: the per-shop amounts of sales and costs built from
// the price table's rows and the shops' customers, modifiers and rent.
#pragma once

#include <array>

#include "game/money.h"
#include "game/price_table.h"

namespace vellmora {

class ShopList;

inline constexpr int kBudgetItems = 7;
inline constexpr int kPriceLevels = 5;

enum BudgetItemIndex : int {
    kBudgetPrice = 0,
    kBudgetIngredients = 1,
    kBudgetLabour = 2,
    kBudgetTraining = 3,
    kBudgetResearch = 4,
    kBudgetRent = 5,
    kBudgetAdministration = 6,
};

struct BudgetItem {
    int index;
    int account;     // account the item is booked on
    int expenseRow;  // "[expense]" row; -1 for the price item (its "[salse]" row is the level)
    int modifier;    // shop cost modifier index; -1 for research (company-wide)
};

inline constexpr std::array<BudgetItem, kBudgetItems> kBudgetItemTable = {{
    {kBudgetPrice, 4101, -1, 0},
    {kBudgetIngredients, 5101, kIngredientsRow, 1},
    {kBudgetLabour, 5102, kLabourRow, 2},
    {kBudgetTraining, 5103, kTrainingRow, 3},
    {kBudgetResearch, 5303, kResearchRow, -1},
    {kBudgetRent, 5302, kRentRow, 5},
    {kBudgetAdministration, 5151, kAdministrationRow, 6},
}};

// Account of a budget item, -1 for an item outside 0-6.
int budgetItemAccount(int item);
// Budget item booked on an account, -1 when no item is.
int budgetItemOfAccount(int account);

// The month row of an item: the sum over all shops in use of each shop's amount per column, in
// the finance's column order. The argument is the price level for item 0 (its integer part; a
// level outside 0-4 gives a zero row) and the multiplier for items 1-3, 5 and 6. Research
// (item 4) has no per-shop part and, like an item outside 0-6, gives a zero row. A cost row
// credits cash and debits the cost account, the sales row debits cash and credits sales, so the
// row of a balanced price file posts with factor 1.
PostingTemplate buildMonthEntry(const PriceTable& prices, const ShopList& shops, int item,
                                double argument);
// The same, appending each shop's share to its history: sales and customers for item 0, the
// positive cost for the cost items. Only the monthly settlement records.
PostingTemplate recordMonthEntry(const PriceTable& prices, ShopList& shops, int item,
                                 double argument);

// The month's research and development cost, company-wide: integer part of minus the cash value
// of "[expense]" row 3 times the multiplier (a positive cost for a row that credits cash).
Money researchCost(const PriceTable& prices, double multiplier);

// A shop's result n months back (n = 1 the newest) from its history: sales less ingredients,
// labour, training, rent and equipment and general administration. 0 when the shop is not in
// use, n is below 1 or the history holds fewer than n months.
Money shopResult(const ShopList& shops, int shop, int n);

}  // namespace vellmora
