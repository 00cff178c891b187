#include "game/budget.h"

#include "game/money_convert.h"
#include "game/shop_list.h"

namespace vellmora {

namespace {

// The price-table row an item scales, or nullptr when the item has no per-shop part.
const PostingTemplate* itemRow(const PriceTable& prices, int item, double argument) {
    if (item == kBudgetPrice) {
        // The integer part of the argument is the level; NaN and out-of-range levels have none.
        if (!(argument > -1.0 && argument < static_cast<double>(kPriceLevels))) {
            return nullptr;
        }
        return prices.row(TemplateGroup::Sales, static_cast<int>(argument));
    }
    if (item < 0 || item >= kBudgetItems || item == kBudgetResearch) {
        return nullptr;
    }
    return prices.row(TemplateGroup::Expense,
                      kBudgetItemTable[static_cast<std::size_t>(item)].expenseRow);
}

ShopSeries seriesOf(int item) {
    switch (item) {
        case kBudgetIngredients:
            return ShopSeries::Ingredients;
        case kBudgetLabour:
            return ShopSeries::Labour;
        case kBudgetTraining:
            return ShopSeries::Training;
        case kBudgetRent:
            return ShopSeries::RentEquipment;
        default:
            return ShopSeries::GeneralAdministration;
    }
}

// One shop's amount for a row value, formed in double precision in a fixed order and truncated
// once.
Money shopAmount(const Shop& shop, int item, double value, double multiplier) {
    const double customers = static_cast<double>(shop.customers());
    switch (item) {
        case kBudgetPrice:
            return truncateToMoney(customers * (shop.costModifier(0) + 1.0) * value);
        case kBudgetIngredients:
        case kBudgetLabour:
        case kBudgetTraining:
            return truncateToMoney(customers * (shop.costModifier(item) + 1.0) * value *
                                   multiplier);
        case kBudgetRent:
            return truncateToMoney(static_cast<double>(shop.rentBase()) * value * multiplier);
        case kBudgetAdministration:
            return truncateToMoney((shop.costModifier(item) + 1.0) * value * multiplier);
        default:
            return 0;
    }
}

PostingTemplate monthEntry(const PriceTable& prices, const ShopList& shops, ShopList* record,
                           int item, double argument) {
    PostingTemplate row{};
    const PostingTemplate* source = itemRow(prices, item, argument);
    if (source == nullptr) {
        return row;
    }
    const double multiplier = item == kBudgetPrice ? 1.0 : argument;
    for (int number : shops.activeNumbers()) {
        const Shop* shop = shops.shop(number);
        if (shop == nullptr) {
            continue;
        }
        Money cashAmount = 0;
        for (int column = 0; column < kColumnCount; ++column) {
            const Money value = (*source)[static_cast<std::size_t>(column)];
            if (value == 0) {
                continue;
            }
            const Money amount = shopAmount(*shop, item, static_cast<double>(value), multiplier);
            Money& total = row[static_cast<std::size_t>(column)];
            total = clampMoney(saturatingAdd(total, amount));
            if (column == 0) {
                cashAmount = amount;
            }
        }
        if (record == nullptr) {
            continue;
        }
        // Every shop gets one entry per series and month, so the series stay aligned by month.
        Shop* target = record->shop(number);
        if (item == kBudgetPrice) {
            target->pushHistory(ShopSeries::Sales, cashAmount);
            target->pushHistory(ShopSeries::Customers, shop->customers());
        } else {
            target->pushHistory(seriesOf(item), -cashAmount);
        }
    }
    return row;
}

}  // namespace

int budgetItemAccount(int item) {
    if (item < 0 || item >= kBudgetItems) {
        return -1;
    }
    return kBudgetItemTable[static_cast<std::size_t>(item)].account;
}

int budgetItemOfAccount(int account) {
    for (const BudgetItem& item : kBudgetItemTable) {
        if (item.account == account) {
            return item.index;
        }
    }
    return -1;
}

PostingTemplate buildMonthEntry(const PriceTable& prices, const ShopList& shops, int item,
                                double argument) {
    return monthEntry(prices, shops, nullptr, item, argument);
}

PostingTemplate recordMonthEntry(const PriceTable& prices, ShopList& shops, int item,
                                 double argument) {
    return monthEntry(prices, shops, &shops, item, argument);
}

Money researchCost(const PriceTable& prices, double multiplier) {
    const Money cash = prices.value(TemplateGroup::Expense, kResearchRow, 1101);
    return truncateToMoney(static_cast<double>(cash) * multiplier * -1.0);
}

Money shopResult(const ShopList& shops, int shop, int n) {
    if (n < 1 || !shops.inUse(shop)) {
        return 0;
    }
    return shops.profit(shop, -n);
}

}  // namespace vellmora
