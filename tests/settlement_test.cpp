#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "game/budget.h"
#include "game/compensation.h"
#include "game/projection.h"
#include "settlement_fixture.h"

namespace vellmora {
namespace {

using test::BooksFixture;
using test::Prices;

class SettlementTest : public BooksFixture {
protected:
    void SetUp() override {
        BooksFixture::SetUp();
        found();  // 100000 cash at difficulty 2
        finance.setMultiplierFor(5303, 1.0);
    }

    // Two small shops without modifiers, every cost multiplier 1.
    void openShops() {
        addShop(10, 100);
        addShop(30, 200);
        for (int code : {5101, 5102, 5103, 5302, 5151}) {
            finance.setMultiplierFor(code, 1.0);
        }
    }

    // Makes the cash exactly `amount` with a capital posting.
    void setCash(Money amount) {
        PostingTemplate row{};
        row[0] = 1;
        row[static_cast<std::size_t>(columnOf(3101))] = -1;
        ASSERT_TRUE(finance.postTemplate(row, 101, static_cast<double>(amount - finance.cash())));
        ASSERT_EQ(finance.cash(), amount);
    }
};

TEST_F(SettlementTest, FirmWithoutShopsPaysInterestAndResearchOnly) {
    ASSERT_GE(finance.borrow(2, 101, 512), 0);
    const Money interest = finance.totalMonthlyInterest();
    ASSERT_GT(interest, 0);
    const Money cashBefore = finance.cash();  // 110000
    const Money received = depositInterest(cashBefore - interest, Prices::kDepositRate);

    EXPECT_EQ(settlement.settle(102, false), 0);

    const MonthlyReport* report = settlement.reports().back(1);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->date, 102);
    for (int code : {4101, 5101, 5102, 5103, 5302, 5151, 5501, 5502, 5599}) {
        EXPECT_EQ(report->value(code), 0) << code;
    }
    EXPECT_EQ(report->value(5301), interest);
    EXPECT_EQ(report->value(5201), received);
    EXPECT_EQ(report->value(5303), Prices::kResearch);
    EXPECT_EQ(report->value(9101), received - interest - Prices::kResearch);
    const Money cash = cashBefore - interest + received - Prices::kResearch;
    EXPECT_EQ(finance.cash(), cash);
    EXPECT_EQ(report->value(1101), cash);
    EXPECT_EQ(report->value(2101), Prices::kLoanUnit);
    EXPECT_EQ(report->value(3101), 100000);
    EXPECT_EQ(finance.balance(5303), Prices::kResearch);
    EXPECT_EQ(finance.balance(5201), received);
    EXPECT_FALSE(settlement.closedThisMonth());
}

TEST_F(SettlementTest, MonthWithShopsPostsWhatTheReportRecords) {
    openShops();
    ASSERT_EQ(settlement.settle(102, false), 0);
    const MonthlyReport& report = *settlement.reports().back(1);
    // 40 customers at level 2 (8 each); ingredients 3, labour 2, training 1 per customer;
    // rent 100 + 200; administration 50 per shop.
    const struct {
        int code;
        Money amount;
    } expected[] = {{4101, 320}, {5101, 120}, {5102, 80}, {5103, 40},
                    {5302, 300}, {5151, 100}, {5303, 500}};
    Money result = report.value(5201);
    for (const auto& e : expected) {
        SCOPED_TRACE(e.code);
        EXPECT_EQ(report.value(e.code), e.amount);
        EXPECT_EQ(finance.balance(e.code), e.amount);  // first month of the year
        result += e.code == 4101 ? e.amount : -e.amount;
    }
    EXPECT_EQ(report.value(9101), result);
    EXPECT_EQ(report.value(1101), finance.cash());
    EXPECT_EQ(finance.cash(), 100000 + result);
    EXPECT_EQ(shops.history(0, ShopSeries::Sales, -1), 80);
    EXPECT_EQ(shops.history(1, ShopSeries::Customers, -1), 30);
    EXPECT_EQ(shops.history(1, ShopSeries::RentEquipment, -1), 200);
}

TEST_F(SettlementTest, LoansFallingDueAreRepaidByForce) {
    const int early = finance.borrow(2, 101, 103);
    const int same = finance.borrow(2, 101, 103);
    const int late = finance.borrow(2, 101, 104);
    ASSERT_GE(early, 0);
    ASSERT_GE(same, 0);
    ASSERT_GE(late, 0);

    EXPECT_EQ(settlement.settle(102, false), 0);
    EXPECT_EQ(finance.loans().loanCount(), 3);

    // Drain the cash far below zero: the repayment still goes through.
    settlement.compensatePoisoning(100.0, 102);
    ASSERT_LT(finance.cash(), 0);
    const Money cashBefore = finance.cash();
    EXPECT_EQ(settlement.settle(103, false), 1);
    EXPECT_FALSE(finance.loans().slotUsed(early));
    EXPECT_FALSE(finance.loans().slotUsed(same));
    EXPECT_TRUE(finance.loans().slotUsed(late));
    const MonthlyReport& report = *settlement.reports().back(1);
    EXPECT_EQ(report.value(2101), Prices::kLoanUnit);
    // The report's cash is after the repayments; interest was still charged on all three.
    EXPECT_EQ(report.value(1101), finance.cash());
    EXPECT_EQ(finance.cash(), cashBefore - report.value(5301) + report.value(5201) -
                                  Prices::kResearch - 2 * Prices::kLoanUnit);

    // A month past the due date repays too.
    EXPECT_EQ(settlement.settle(106, false), 1);
    EXPECT_EQ(finance.loans().loanCount(), 0);
    EXPECT_EQ(settlement.settle(107, false), 0);
}

TEST_F(SettlementTest, NegativeCashEarnsNegativeDepositInterest) {
    setCash(-128000);
    finance.setMultiplierFor(5303, 0.0);
    ASSERT_EQ(settlement.settle(102, false), 0);
    EXPECT_EQ(settlement.reportValue(5201, 1), -1000);
    EXPECT_EQ(finance.balance(5201), -1000);
    EXPECT_EQ(finance.cash(), -129000);
}

TEST_F(SettlementTest, DecemberReportHoldsTheBalancesBeforeTheClosing) {
    openShops();
    ASSERT_EQ(settlement.settle(111, false), 0);
    settlement.compensatePoisoning(0.0, 111);
    ASSERT_EQ(settlement.settle(112, true), 0);

    const MonthlyReport& december = *settlement.reports().back(1);
    EXPECT_EQ(december.value(4101), 320);                    // the month's sales
    EXPECT_EQ(december.value(5502), Prices::kPoisoning[0]);  // the year's compensation
    EXPECT_EQ(december.value(3102), 0);                      // result not yet carried
    EXPECT_TRUE(settlement.closedThisMonth());

    // Revenues and expenses restart at 0; the year's result moves into retained earnings.
    // November's result left out the compensation posted after its settlement; December's
    // counts the year's compensation.
    const Money yearResult = settlement.reportValue(9101, 2) + december.value(9101);
    EXPECT_EQ(finance.balance(4101), 0);
    EXPECT_EQ(finance.balance(5502), 0);
    EXPECT_EQ(finance.balance(3102), yearResult);
    EXPECT_EQ(finance.cash(), december.value(1101));

    ASSERT_EQ(settlement.settle(201, false), 0);
    EXPECT_FALSE(settlement.closedThisMonth());
    EXPECT_EQ(finance.balance(4101), 320);
    EXPECT_EQ(settlement.reportValue(5502, 1), 0);
}

TEST_F(SettlementTest, CompensationStartsAtRowZeroAndGrowsWithTheFactor) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        CompensationKind kind;
        double f;
        Money paid;
    } cases[] = {
        {CompensationKind::Poisoning, 0.0, 1000}, {CompensationKind::Poisoning, 1.0, 5000},
        {CompensationKind::Poisoning, 0.5, 3000}, {CompensationKind::Poisoning, -1.0, 1000},
        {CompensationKind::Poisoning, nan, 1000}, {CompensationKind::Overwork, 0.0, 2000},
        {CompensationKind::Overwork, 0.25, 3500}, {CompensationKind::Overwork, 1.0, 8000},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.f);
        const Money cash = finance.cash();
        const Money total = finance.balance(5502);
        postCompensation(finance, each.kind, each.f, 102);
        EXPECT_EQ(finance.cash(), cash - each.paid);
        EXPECT_EQ(finance.balance(5502), total + each.paid);
    }
}

TEST(CompensationFactorTest, FloorAndDegenerateRows) {
    EXPECT_DOUBLE_EQ(compensationFactor(-1000, -5000, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(compensationFactor(-1000, -5000, 0.75), 4.0);
    EXPECT_DOUBLE_EQ(compensationFactor(-1000, -500, 1.0), 1.0);  // row 1 below row 0
    EXPECT_DOUBLE_EQ(compensationFactor(0, -5000, 0.5), 1.0);     // no division by zero
    EXPECT_DOUBLE_EQ(compensationFactor(-1000, -1000, std::numeric_limits<double>::infinity()),
                     1.0);
}

TEST_F(SettlementTest, MonthCompensationAcrossSettlementsAndTheClosing) {
    // Before the first settlement the books count as closed this month.
    EXPECT_EQ(settlement.monthCompensation(), 0);
    settlement.compensatePoisoning(0.0, 101);
    EXPECT_EQ(settlement.monthCompensation(), 1000);

    ASSERT_EQ(settlement.settle(102, false), 0);
    EXPECT_EQ(settlement.monthCompensation(), 0);
    settlement.compensateOverwork(1.0, 102);
    EXPECT_EQ(settlement.monthCompensation(), 8000);

    ASSERT_EQ(settlement.settle(112, true), 0);
    settlement.compensateOverwork(0.0, 112);
    EXPECT_EQ(settlement.monthCompensation(), 2000);

    ASSERT_EQ(settlement.settle(201, false), 0);
    EXPECT_EQ(settlement.monthCompensation(), 0);
    settlement.compensatePoisoning(0.5, 201);
    EXPECT_EQ(settlement.monthCompensation(), 3000);
}

TEST_F(SettlementTest, ReportLookups) {
    EXPECT_EQ(settlement.reportValue(1101, 1), 0);
    EXPECT_EQ(settlement.reportValueOf(1101, 102), 0);
    EXPECT_EQ(settlement.reports().back(1), nullptr);

    for (int date : {102, 103, 104}) {
        setCash(1000 * date);
        ASSERT_EQ(settlement.settle(date, false), 0);
    }
    const Money newest = settlement.reportValue(1101, 1);
    EXPECT_EQ(settlement.reportValueOf(1101, 104), newest);
    EXPECT_EQ(settlement.reports().back(1)->date, 104);
    EXPECT_EQ(settlement.reports().back(3)->date, 102);
    EXPECT_EQ(settlement.reports().back(10)->date, 102);  // fewer reports: the oldest
    EXPECT_EQ(settlement.reportValue(1101, 10), settlement.reportValueOf(1101, 102));
    EXPECT_EQ(settlement.reportValue(1101, 0), 0);
    EXPECT_EQ(settlement.reportValueOf(1101, 105), 0);
    EXPECT_EQ(settlement.reportValue(4102, 1), 0);  // not a column
}

TEST_F(SettlementTest, BuildingClosingAndFoundingPostings) {
    setCash(Prices::kBuild[1]);
    EXPECT_TRUE(settlement.canBuild(1));
    EXPECT_FALSE(settlement.canBuild(2));
    EXPECT_FALSE(settlement.canBuild(-1));
    EXPECT_FALSE(settlement.canBuild(3));
    EXPECT_EQ(settlement.postBuildingCost(2, 102), kRefused);
    EXPECT_EQ(settlement.postBuildingCost(3, 102), kRefused);
    EXPECT_EQ(finance.cash(), Prices::kBuild[1]);

    EXPECT_EQ(settlement.postBuildingCost(1, 102), kOk);
    EXPECT_EQ(finance.cash(), 0);
    EXPECT_EQ(finance.balance(1151), Prices::kBuild[1]);

    // Closing needs no cash in hand.
    EXPECT_EQ(settlement.postClosingCost(2, 102), kOk);
    EXPECT_EQ(finance.cash(), -Prices::kRemove[2]);
    EXPECT_EQ(settlement.postClosingCost(3, 102), kRefused);

    EXPECT_EQ(settlement.postFoundingCapital(5, 102), kRefused);
    EXPECT_EQ(settlement.postFoundingCapital(-1, 102), kRefused);
    EXPECT_EQ(settlement.postFoundingCapital(0, 102), kOk);
    EXPECT_EQ(finance.cash(), Prices::kFounding[0] - Prices::kRemove[2]);
}

}  // namespace
}  // namespace vellmora
