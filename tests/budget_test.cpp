#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "game/budget.h"
#include "game/projection.h"
#include "settlement_fixture.h"

namespace vellmora {
namespace {

using test::BooksFixture;
using test::Prices;

constexpr int kCash = 0;  // column of 1101

// Three shops: A (small, 10 customers, rent 100), B (medium, 5 customers, rent 40) and C (small,
// 20 customers, rent 200, closed by a food poisoning). Small shops carry cost modifiers.
class BudgetTest : public BooksFixture {
protected:
    void SetUp() override {
        BooksFixture::SetUp();
        setCostModifier(0, kBudgetIngredients, 0.5);
        setCostModifier(0, kBudgetRent, 0.25);
        setCostModifier(0, kBudgetAdministration, 1.0);
        a = addShop(10, 100, 0);
        b = addShop(5, 40, 1);
        c = addShop(20, 200, 0);
        shops.shop(c)->strike(0);
        ASSERT_TRUE(shops.shop(c)->suspended());
        finance.setMultiplierFor(5101, 1.3);
        finance.setMultiplierFor(5102, 1.5);
        finance.setMultiplierFor(5103, 0.5);
        finance.setMultiplierFor(5303, 1.0);
        finance.setMultiplierFor(5302, 1.0);
        finance.setMultiplierFor(5151, 0.5);
    }

    int a = -1;
    int b = -1;
    int c = -1;
};

// Expected month amounts with the fixture's multipliers. Each shop's amount is truncated on its
// own: ingredients are 58.5 + 19.5, which is 77 and not 78.
struct ItemCase {
    int item;
    double argument;
    Money total;       // positive amount of the item's account
    Money shopA;       // shop A's share
    Money suspendedC;  // shop C's share while closed
};

const ItemCase kItemCases[] = {
    {kBudgetPrice, 2, 80 + 40, 80, 0},
    {kBudgetPrice, 0, 100 + 50, 100, 0},
    {kBudgetIngredients, 1.3, 58 + 19, 58, 0},
    {kBudgetLabour, 1.5, 30 + 15, 30, 0},
    {kBudgetTraining, 0.5, 5 + 2, 5, 0},
    // The closed shop still pays rent on its base (1.25 * 200) and its administration.
    {kBudgetRent, 1.0, 125 + 40 + 250, 125, 250},
    {kBudgetAdministration, 0.5, 50 + 25 + 50, 50, 50},
};

TEST_F(BudgetTest, MonthEntryPerItemSumsTruncatedShopAmounts) {
    for (const ItemCase& item : kItemCases) {
        SCOPED_TRACE(item.item);
        const int account = budgetItemAccount(item.item);
        const PostingTemplate row =
            buildMonthEntry(finance.priceTable(), shops, item.item, item.argument);
        const bool sales = item.item == kBudgetPrice;
        EXPECT_EQ(row[kCash], sales ? item.total : -item.total);
        EXPECT_EQ(row[static_cast<std::size_t>(columnOf(account))],
                  sales ? -item.total : item.total);
        EXPECT_EQ(project(finance, shops, account, item.argument), item.total);
    }
}

TEST_F(BudgetTest, OnlyRecordingWritesShopHistories) {
    for (const ItemCase& item : kItemCases) {
        (void)buildMonthEntry(finance.priceTable(), shops, item.item, item.argument);
        (void)project(finance, shops, budgetItemAccount(item.item), item.argument);
    }
    EXPECT_EQ(shops.history(a, ShopSeries::Sales, -1), 0);
    EXPECT_EQ(shops.history(a, ShopSeries::Customers, -1), 0);
    EXPECT_EQ(shops.history(a, ShopSeries::RentEquipment, -1), 0);

    struct Expected {
        int item;
        double argument;
        ShopSeries series;
        Money shopA;
        Money shopC;
    };
    const Expected expected[] = {
        {kBudgetPrice, 2, ShopSeries::Sales, 80, 0},
        {kBudgetIngredients, 1.3, ShopSeries::Ingredients, 58, 0},
        {kBudgetLabour, 1.5, ShopSeries::Labour, 30, 0},
        {kBudgetTraining, 0.5, ShopSeries::Training, 5, 0},
        {kBudgetRent, 1.0, ShopSeries::RentEquipment, 125, 250},
        {kBudgetAdministration, 0.5, ShopSeries::GeneralAdministration, 50, 50},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.item);
        (void)recordMonthEntry(finance.priceTable(), shops, e.item, e.argument);
        EXPECT_EQ(shops.history(a, e.series, -1), e.shopA);
        EXPECT_EQ(shops.history(c, e.series, -1), e.shopC);
        // Exactly one value per month and series, also for the closed shop's zero.
        EXPECT_EQ(shops.history(c, e.series, -2), 0);
        EXPECT_EQ(shops.shop(c)->history(e.series, -1), e.shopC);
    }
    EXPECT_EQ(shops.history(a, ShopSeries::Customers, -1), 10);
    EXPECT_EQ(shops.history(c, ShopSeries::Customers, -1), 0);
}

TEST_F(BudgetTest, ItemsWithoutShopPartAndBadArgumentsGiveZeroRows) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        int item;
        double argument;
    } cases[] = {
        {kBudgetResearch, 1.0},    {-1, 1.0},          {7, 1.0},
        {kBudgetPrice, 5},         {kBudgetPrice, -1}, {kBudgetPrice, nan},
        {kBudgetIngredients, 0.0},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.item);
        EXPECT_EQ(buildMonthEntry(finance.priceTable(), shops, each.item, each.argument),
                  PostingTemplate{});
    }
    // The integer part of a fractional level is the level.
    EXPECT_EQ(project(finance, shops, 4101, 2.9), project(finance, shops, 4101, 2));
    EXPECT_EQ(project(finance, shops, 4101, 4), 60 + 30);
}

TEST_F(BudgetTest, ResearchProjectionIsCompanyWideAndNeverNegative) {
    EXPECT_EQ(project(finance, shops, 5303, 1.5), 750);
    EXPECT_EQ(project(finance, shops, 5303, -2.0), 0);
    EXPECT_EQ(researchCost(finance.priceTable(), -2.0), -1000);
    EXPECT_EQ(project(finance, shops, 4102, 1.0), 0);  // no such budget account
}

TEST_F(BudgetTest, ProjectionWithCurrentValuesPredictsTheSettlement) {
    found();
    ASSERT_GE(finance.borrow(2, 101, 512), 0);
    ASSERT_EQ(finance.setPriceLevel(3), kOk);
    const BudgetValues values = currentBudgetValues(finance);
    EXPECT_EQ(values[kBudgetPrice], 3.0);
    EXPECT_EQ(values[kBudgetLabour], 1.5);

    const int codes[] = {4101, 5101, 5102, 5103, 5303, 5301, 5302, 5151};
    Money projected[std::size(codes)];
    for (std::size_t i = 0; i < std::size(codes); ++i) {
        const int item = budgetItemOfAccount(codes[i]);
        projected[i] = project(finance, shops, codes[i], item < 0 ? 0.0 : values[item]);
    }
    const Money ordinary = projectedOrdinaryResult(finance, shops, values);
    const Money received = project(finance, shops, 5201);
    EXPECT_EQ(received, depositInterest(finance.cash(), Prices::kDepositRate));

    ASSERT_EQ(settlement.settle(102, false), 0);
    Money expectedOrdinary = settlement.reportValue(5201, 1);
    for (std::size_t i = 0; i < std::size(codes); ++i) {
        SCOPED_TRACE(codes[i]);
        EXPECT_EQ(settlement.reportValue(codes[i], 1), projected[i]);
        expectedOrdinary += codes[i] == 4101 ? projected[i] : -projected[i];
    }
    // Deposit interest is projected on today's cash; the settlement earns it on the cash left
    // after paying this month's interest.
    EXPECT_EQ(ordinary - received, expectedOrdinary - settlement.reportValue(5201, 1));
}

TEST_F(BudgetTest, WithoutShopsTheOrdinaryResultIsInterestLessResearch) {
    ShopList none(1);
    found();
    ASSERT_GE(finance.borrow(2, 101, 512), 0);
    BudgetValues values = currentBudgetValues(finance);
    for (int code : {4101, 5101, 5102, 5103, 5302, 5151}) {
        EXPECT_EQ(project(finance, none, code, values[budgetItemOfAccount(code)]), 0);
    }
    const Money expected = depositInterest(finance.cash(), Prices::kDepositRate) -
                           finance.totalMonthlyInterest() - Prices::kResearch;
    EXPECT_GT(finance.totalMonthlyInterest(), 0);
    EXPECT_EQ(projectedOrdinaryResult(finance, none, values), expected);
}

TEST_F(BudgetTest, ShopResultReadsTheRecordedMonths) {
    found();
    ASSERT_EQ(settlement.settle(102, false), 0);
    shops.shop(a)->setCustomers(20);
    ASSERT_EQ(settlement.settle(103, false), 0);

    // Month 1 of shop A: sales 80 at level 2, ingredients 58, labour 30, training 5, rent 125,
    // administration 50. Month 2 with 20 customers: 160, 117, 60, 10, 125, 50.
    EXPECT_EQ(shopResult(shops, a, 2), 80 - 58 - 30 - 5 - 125 - 50);
    EXPECT_EQ(shopResult(shops, a, 1), 160 - 117 - 60 - 10 - 125 - 50);
    EXPECT_EQ(shopResult(shops, c, 1), -250 - 50);
    EXPECT_EQ(shopResult(shops, a, 3), 0);
    EXPECT_EQ(shopResult(shops, a, 0), 0);
    EXPECT_EQ(shopResult(shops, 200, 1), 0);
}

}  // namespace
}  // namespace vellmora
