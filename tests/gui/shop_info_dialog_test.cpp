// The shop information dialog: a new shop, a settled month and a suspended shop.
#include "dialogs/shop_info_dialog.h"

#include <gtest/gtest.h>

#include "game/firm.h"
#include "game/game.h"
#include "game/shop.h"
#include "game/shop_list.h"
#include "support/dialog_support.h"
#include "support/game_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora {
namespace {

using namespace shop_ids;
using test::GameFixture;

class ShopInfoDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = test::startGameWithTwoShops(fixture);
        ASSERT_NE(game, nullptr);
    }
    const Shop& shop(int number) { return *game->player()->shops().shop(number); }

    GameFixture fixture;
    std::unique_ptr<Game> game;
};

TEST_F(ShopInfoDialogTest, AShopOpenedThisMonthShowsZeroEverywhere) {
    ShopInfoDialog dialog(*game, 0, 1);
    ASSERT_TRUE(dialog.prepare());
    EXPECT_EQ(dialog.control<QLabel>(kNumber)->text(), QStringLiteral("2号店"));
    EXPECT_EQ(dialog.control<QLabel>(kTile)->text(), QStringLiteral("(6,5)"));
    EXPECT_EQ(dialog.control<QLabel>(kRatings)->text(), QStringLiteral("0\n\n0\n\n0\n\n0\n\n\n0"));
    EXPECT_EQ(dialog.control<QLabel>(kAmounts)->text(),
              QStringLiteral("0\n\n0\n\n0\n\n0\n\n0\n\n0\n\n0"));
}

TEST_F(ShopInfoDialogTest, ASettledMonthShowsTheNewestHistory) {
    (void)game->endTurn();
    ShopInfoDialog dialog(*game, 0, 0);
    ASSERT_TRUE(dialog.prepare());
    const Shop& first = shop(0);
    const QStringList ratings = test::labelLines(dialog, kRatings);
    ASSERT_EQ(ratings.size(), 10);
    EXPECT_EQ(ratings[0].toLongLong(), first.history(ShopSeries::PriceRating, -1));
    EXPECT_EQ(ratings[6].toLongLong(), first.history(ShopSeries::Score, -1) / 10000);
    EXPECT_EQ(ratings[9].toLongLong(), first.history(ShopSeries::Customers, -1));
    EXPECT_GT(ratings[9].toLongLong(), 0);
    EXPECT_EQ(test::amountAt(dialog, kAmounts, 0), first.history(ShopSeries::Sales, -1));
    EXPECT_EQ(test::amountAt(dialog, kAmounts, 12), first.profit(-1));
}

TEST_F(ShopInfoDialogTest, ASuspendedShopShowsNoCustomersAndALoss) {
    ASSERT_EQ(game->player()->shops().applyAccident(0, 0), 0);  // suspended for a month
    ASSERT_TRUE(shop(0).suspended());
    (void)game->endTurn();
    ShopInfoDialog dialog(*game, 0, 0);
    ASSERT_TRUE(dialog.prepare());
    EXPECT_EQ(test::labelLines(dialog, kRatings).value(9), QStringLiteral("0"));
    const QStringList amounts = test::labelLines(dialog, kAmounts);
    ASSERT_EQ(amounts.size(), 13);
    EXPECT_EQ(amounts[0], QStringLiteral("0"));  // sales
    EXPECT_GT(test::amountOf(amounts[8]), 0);    // rent and equipment
    EXPECT_GT(test::amountOf(amounts[10]), 0);   // general administration
    EXPECT_LT(test::amountOf(amounts[12]), 0);   // the result
}

}  // namespace
}  // namespace vellmora
