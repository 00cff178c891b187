#include "game/shop_list.h"

#include <gtest/gtest.h>

#include "data/result_codes.h"
#include "game/random.h"

namespace vellmora {
namespace {

// Small tables with distinct values so that each term of a modifier can be told apart.
ShopTables sampleTables() {
    ShopTables t;
    for (int size = 0; size < 3; ++size) {
        auto& s = t.sizes[static_cast<std::size_t>(size)];
        s.ratingPoints = {size, 10 + size, 20 + size};
        s.costModifier = {0.0, 0.1, 0.2, 0.3, 0.4, 0.5 * size, 0.6};
        s.range = 4 + size;
    }
    const int durations[4] = {3, 2, 5, 1};
    const int suspensions[4] = {2, 0, 1, 0};
    for (int kind = 0; kind < 4; ++kind) {
        auto& a = t.accidents[static_cast<std::size_t>(kind)];
        a.ratingPoints = {-100 * (kind + 1), -1000 * (kind + 1), 0};
        a.costModifier = {0.0, 0.0, 0.0, 0.0, 0.0, 0.25 * (kind + 1), 0.0};
        a.duration = durations[kind];
        a.suspension = suspensions[kind];
    }
    return t;
}

class ShopListTest : public ::testing::Test {
protected:
    ShopListTest() : list(2) { list.setTables(sampleTables()); }
    ShopList list;
};

TEST_F(ShopListTest, SlotsAreTakenLowestFirstAndTheTwoHundredFiftySeventhIsRefused) {
    for (int i = 0; i < ShopList::kSlots; ++i) {
        ASSERT_EQ(list.create(i % 20, i / 20, i % 3, 100), i);
    }
    EXPECT_EQ(list.activeCount(), 256);
    EXPECT_FALSE(list.canCreate(50, 50, 0));
    EXPECT_EQ(list.create(50, 50, 0, 100), kRefused);

    ASSERT_EQ(list.remove(200), kOk);
    ASSERT_EQ(list.remove(7), kOk);
    EXPECT_EQ(list.remove(7), kRefused);
    EXPECT_EQ(list.create(50, 50, 1, 100), 7);
    EXPECT_EQ(list.create(51, 50, 1, 100), 200);
    EXPECT_EQ(list.findAt(50, 50), 7);
    EXPECT_EQ(list.shop(7)->firm(), 2);
}

TEST_F(ShopListTest, CreateRefusesBadSizeAndTakenTile) {
    ASSERT_EQ(list.create(3, 4, 2, 100), 0);
    EXPECT_EQ(list.range(0), 6);
    EXPECT_EQ(list.create(3, 4, 0, 100), kRefused);  // this firm already has the tile
    for (int size : {-1, 3}) {
        EXPECT_FALSE(list.canCreate(5, 5, size));
        EXPECT_EQ(list.create(5, 5, size, 100), kRefused);
    }
    EXPECT_EQ(list.findAt(5, 5), -1);
    EXPECT_EQ(list.activeCount(), 1);
    // Getters on a free or out-of-range slot answer -1 rather than reading anything.
    for (int n : {-1, 1, 256}) {
        EXPECT_EQ(list.shop(n), nullptr);
        EXPECT_EQ(list.x(n), -1);
        EXPECT_EQ(list.customers(n), -1);
    }
}

TEST_F(ShopListTest, AccidentStrikesOneShopAndMarksTheOthers) {
    ASSERT_EQ(list.create(0, 0, 0, 100), 0);
    ASSERT_EQ(list.create(1, 0, 0, 100), 1);
    ASSERT_EQ(list.create(2, 0, 0, 100), 2);
    for (int n = 0; n < 3; ++n) {
        list.shop(n)->setCustomers(40);
    }

    ASSERT_EQ(list.applyAccident(1, 0), kOk);
    const Shop& struck = *list.shop(1);
    EXPECT_EQ(struck.accidentTimer(0), 3);
    EXPECT_EQ(struck.accidentTimer(1), 0);
    EXPECT_EQ(struck.suspension(), 2);
    EXPECT_EQ(list.customers(1), 0);  // closed by order
    EXPECT_EQ(struck.storedCustomers(), 40);
    for (int other : {0, 2}) {
        EXPECT_EQ(list.shop(other)->accidentTimer(0), 0);
        EXPECT_EQ(list.shop(other)->accidentTimer(1), 2);
        EXPECT_EQ(list.shop(other)->suspension(), 0);
        EXPECT_EQ(list.customers(other), 40);
    }

    // Kind 2 stacks its suspension on the struck shop's running one.
    ASSERT_EQ(list.applyAccident(1, 2), kOk);
    EXPECT_EQ(struck.accidentTimer(2), 5);
    EXPECT_EQ(struck.suspension(), 3);
    EXPECT_EQ(list.shop(0)->accidentTimer(3), 1);

    list.monthEnd();
    EXPECT_EQ(struck.accidentTimer(0), 2);
    EXPECT_EQ(struck.accidentTimer(2), 4);
    EXPECT_EQ(struck.suspension(), 2);
    EXPECT_EQ(list.shop(0)->accidentTimer(1), 1);
    EXPECT_EQ(list.shop(0)->accidentTimer(3), 0);
    list.monthEnd();
    list.monthEnd();
    EXPECT_EQ(list.customers(1), 40);
    EXPECT_EQ(struck.accidentTimer(0), 0);
    list.monthEnd();
    EXPECT_EQ(list.shop(0)->accidentTimer(1), 0);  // never below 0

    for (int kind : {-1, 1, 3, 4}) {
        EXPECT_EQ(list.applyAccident(0, kind), kRefused);
    }
    EXPECT_EQ(list.applyAccident(5, 0), kRefused);
}

TEST_F(ShopListTest, ModifiersAddTheSizeAndTheRunningAccidentOfEachPair) {
    ASSERT_EQ(list.create(0, 0, 1, 1000), 0);
    ASSERT_EQ(list.create(1, 0, 2, 1000), 1);
    EXPECT_EQ(list.ratingModifier(0, 0), 1);
    EXPECT_EQ(list.ratingModifier(0, 1), 11);
    EXPECT_DOUBLE_EQ(list.costModifier(0, 5), 0.5);
    EXPECT_EQ(list.rentBase(0), 1500);

    ASSERT_EQ(list.applyAccident(0, 0), kOk);  // shop 0 kind 0, shop 1 kind 1
    ASSERT_EQ(list.applyAccident(1, 0), kOk);  // shop 1 kind 0, shop 0 kind 1
    ASSERT_EQ(list.applyAccident(0, 2), kOk);  // shop 0 kind 2, shop 1 kind 3
    // Shop 0 has kinds 0, 1 and 2 running: kind 0 hides kind 1, kind 2 adds.
    EXPECT_EQ(list.ratingModifier(0, 0), 1 - 100 - 300);
    EXPECT_DOUBLE_EQ(list.costModifier(0, 5), 0.5 + 0.25 + 0.75);
    EXPECT_EQ(list.rentBase(0), 2500);
    // Shop 1 has kinds 0, 1 and 3.
    EXPECT_EQ(list.ratingModifier(1, 1), 12 - 1000 - 4000);
    // Three months on, every accident effect on shop 1 has run out.
    list.monthEnd();
    list.monthEnd();
    list.monthEnd();
    EXPECT_EQ(list.ratingModifier(1, 0), 2);
    EXPECT_EQ(list.ratingModifier(0, 3), 0);
    EXPECT_DOUBLE_EQ(list.costModifier(0, 7), 0.0);
}

TEST_F(ShopListTest, HistoryKeepsThirtySixMonthsAndProfitSubtractsEveryCost) {
    ASSERT_EQ(list.create(0, 0, 0, 100), 0);
    Shop& shop = *list.shop(0);
    for (int month = 1; month <= 37; ++month) {
        shop.pushHistory(ShopSeries::Score, month);
    }
    EXPECT_EQ(shop.history(ShopSeries::Score, -1), 37);
    EXPECT_EQ(shop.history(ShopSeries::Score, -36), 2);  // month 1 dropped
    EXPECT_EQ(shop.history(ShopSeries::Score, -37), 0);
    EXPECT_EQ(shop.history(ShopSeries::Score, 0), 0);
    EXPECT_EQ(shop.history(ShopSeries::Score, 1), 0);

    shop.pushHistory(ShopSeries::Sales, 10'000'000'000);  // beyond 32 bits
    shop.pushHistory(ShopSeries::Ingredients, 1);
    shop.pushHistory(ShopSeries::Labour, 2);
    shop.pushHistory(ShopSeries::Training, 4);
    shop.pushHistory(ShopSeries::RentEquipment, 8);
    shop.pushHistory(ShopSeries::GeneralAdministration, 16);
    shop.pushHistory(ShopSeries::Customers, 1000);  // not a cost
    EXPECT_EQ(list.profit(0, -1), 10'000'000'000 - 31);
    EXPECT_EQ(list.profit(0, -2), 0);
    EXPECT_EQ(list.history(0, ShopSeries::Customers, -1), 1000);
}

TEST_F(ShopListTest, RandomPickCountsShopsInUseInSlotOrder) {
    EXPECT_EQ(list.nthActive(0), -1);
    rng::setState(77);
    EXPECT_EQ(list.pickRandomActive(), -1);
    EXPECT_EQ(rng::state(), 77u);  // no draw without shops

    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(list.create(i, 0, 0, 100), i);
    }
    ASSERT_EQ(list.remove(1), kOk);
    ASSERT_EQ(list.remove(3), kOk);
    EXPECT_EQ(list.nthActive(0), 0);
    EXPECT_EQ(list.nthActive(1), 2);
    EXPECT_EQ(list.nthActive(2), 4);
    EXPECT_EQ(list.nthActive(3), 0);

    Lcg expected(12345);
    rng::setState(12345);
    for (int draw = 0; draw < 10; ++draw) {
        EXPECT_EQ(list.pickRandomActive(), list.nthActive(expected.next()));
    }
}

}  // namespace
}  // namespace vellmora
