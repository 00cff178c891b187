#include <gtest/gtest.h>

#include "game/firm_policy.h"
#include "game/management_system.h"
#include "settlement_fixture.h"

namespace vellmora {
namespace {

using test::BooksFixture;
using test::Prices;

class ManagementSystemTest : public BooksFixture {
protected:
    void SetUp() override {
        BooksFixture::SetUp();
        RateTable rates;
        rates.changeMonths = 3;
        policy.setRates(rates);
    }

    void setCash(Money amount) {
        PostingTemplate row{};
        row[0] = 1;
        row[static_cast<std::size_t>(columnOf(3101))] = -1;
        ASSERT_TRUE(finance.postTemplate(row, 101, static_cast<double>(amount - finance.cash())));
    }

    std::size_t journalSize() const { return finance.ledger().journal().size(); }

    FirmPolicy policy;
};

TEST_F(ManagementSystemTest, CostGrowsWithOpenShopsAndWithoutShopsIsFree) {
    EXPECT_EQ(changeCost(finance, shops), 0);
    EXPECT_TRUE(canPayChange(finance, shops));  // cash is 0
    const std::size_t before = journalSize();
    EXPECT_EQ(postChangeCost(finance, shops, 102), kOk);
    EXPECT_EQ(journalSize(), before);

    for (int i = 0; i < 3; ++i) {
        addShop(10);
    }
    EXPECT_EQ(changeCost(finance, shops), 3 * Prices::kChange);
    EXPECT_EQ(changeCost(finance, shops, 5599), -3 * Prices::kChange);
    EXPECT_EQ(changeCost(finance, shops, 4102), 0);

    setCash(3 * Prices::kChange - 1);
    EXPECT_FALSE(canPayChange(finance, shops));
    EXPECT_EQ(postChangeCost(finance, shops, 102), kRefused);
    setCash(3 * Prices::kChange);
    EXPECT_TRUE(canPayChange(finance, shops));
    EXPECT_EQ(postChangeCost(finance, shops, 102), kOk);
    EXPECT_EQ(finance.cash(), 0);
    EXPECT_EQ(finance.balance(5599), 3 * Prices::kChange);
}

TEST_F(ManagementSystemTest, WithoutShopsEvenNegativeCashMayChange) {
    setCash(-5000);
    EXPECT_EQ(changeCost(finance, shops), 0);
    EXPECT_TRUE(canPayChange(finance, shops));
    ASSERT_TRUE(canChangeSystem(finance, shops, policy, 3));
    const std::size_t before = journalSize();
    EXPECT_EQ(changeSystem(finance, shops, policy, 3, 102), kOk);
    EXPECT_EQ(journalSize(), before);  // nothing to pay
    EXPECT_EQ(finance.cash(), -5000);
    EXPECT_EQ(policy.targetSystem(), 3);

    // One shop: the cost counts again and negative cash cannot cover it.
    addShop(10);
    EXPECT_FALSE(canPayChange(finance, shops));
    EXPECT_EQ(postChangeCost(finance, shops, 102), kRefused);
}

TEST_F(ManagementSystemTest, ChangePaysAndStartsTheTransition) {
    addShop(10);
    addShop(10);
    setCash(10000);
    ASSERT_TRUE(canChangeSystem(finance, shops, policy, 2));
    EXPECT_EQ(changeSystem(finance, shops, policy, 2, 102), kOk);
    EXPECT_EQ(finance.cash(), 10000 - 2 * Prices::kChange);
    EXPECT_EQ(policy.currentSystem(), kSystemChanging);
    EXPECT_EQ(policy.targetSystem(), 2);
    EXPECT_EQ(policy.monthsLeft(), 3);
}

// A change the policy refuses, or one the cash does not cover, posts nothing at all.
TEST_F(ManagementSystemTest, RefusedChangesCostNothing) {
    addShop(10);
    setCash(10000);
    const struct {
        int target;
        bool pending;
        Money cash;
    } cases[] = {
        {0, false, 10000},                // the current system
        {5, false, 10000},                // not a system
        {kSystemChanging, false, 10000},  // the transition is no target
        {1, true, 10000},                 // a change already runs
        {1, false, Prices::kChange - 1},  // cash short
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.target);
        FirmPolicy local;
        RateTable rates;
        rates.changeMonths = 3;
        local.setRates(rates);
        if (each.pending) {
            ASSERT_EQ(local.changeSystem(3), kOk);
        }
        setCash(each.cash);
        const std::size_t before = journalSize();
        EXPECT_FALSE(canChangeSystem(finance, shops, local, each.target));
        EXPECT_EQ(changeSystem(finance, shops, local, each.target, 102), kRefused);
        EXPECT_EQ(journalSize(), before);
        EXPECT_EQ(finance.cash(), each.cash);
        EXPECT_EQ(local.targetSystem(), each.pending ? 3 : kSystemChanging);
    }
}

TEST(ManagementSystemTextTest, StringIds) {
    const int names[] = {116, 117, 118, 119, 120};
    const int descriptions[] = {112, 113, 114, 115, 122};
    for (int system = 0; system <= kSystemChanging; ++system) {
        EXPECT_EQ(systemNameString(system), names[system]);
        EXPECT_EQ(systemDescriptionString(system), descriptions[system]);
    }
    EXPECT_EQ(systemNameString(5), -1);
    EXPECT_EQ(systemDescriptionString(-1), -1);
}

}  // namespace
}  // namespace vellmora
