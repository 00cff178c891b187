// Firms on a small fixture town: building and closing, the month's events, the cash test,
// withdrawal and the turn of all firms.
#include "game/firm.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "data/clock.h"
#include "data/result_codes.h"
#include "game/calendar.h"
#include "game/finance.h"
#include "game/firm_policy.h"
#include "game/firms.h"
#include "game/game.h"
#include "game/market.h"
#include "game/settlement.h"
#include "game/shop_list.h"
#include "game/town_map.h"
#include "support/game_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora {
namespace {

using test::GameFixture;
using test::GameFixtureOptions;
using test::moveCash;
using test::setCash;
using test::startGame;

constexpr TurnFlagSet kCashBits =
    TurnFlags::CashExhausted | TurnFlags::Bankrupt | TurnFlags::GameOver;

// Computer companies that start without money never build and leave after their first month.
GameFixtureOptions penniless() {
    GameFixtureOptions options;
    options.capital[2] = 0;
    return options;
}

TEST(FirmTest, BuildPostsCostAndPlacesTheShop) {
    GameFixture fixture;
    auto game = startGame(fixture);
    ASSERT_NE(game, nullptr);
    Firm& player = *game->player();
    const Money before = player.cash();

    ASSERT_TRUE(player.canBuild(3, 4, 1));
    EXPECT_EQ(player.build(3, 4, 1), 0);
    EXPECT_EQ(player.cash(), before - fixture.options().buildCost[1]);
    EXPECT_EQ(player.policy().shopCount(), 1);
    EXPECT_EQ(game->shopAt(3, 4, 0), 0);
    EXPECT_NE(game->map()->layers().storedChip(3, 4, 6), -1);  // the player's shop picture
    EXPECT_FALSE(player.canBuild(3, 4, 0));                    // one shop per firm and tile
    EXPECT_TRUE(game->firm(1)->canBuild(3, 4, 0));             // other firms may share the tile
    // Pull builds up over the months; the first month already brings customers and sales.
    (void)game->endTurn();
    EXPECT_GT(player.customers(), 0);
    EXPECT_GT(player.settlement().reportValue(4101, 1), 0);
    // The month's ratings and score go into the shop's history.
    const Shop& shop = *player.shops().shop(0);
    const Money price = shop.history(ShopSeries::PriceRating, -1);
    EXPECT_EQ(price, std::max(5, player.policy().rating(0) + shop.ratingModifier(0)));
    EXPECT_EQ(shop.history(ShopSeries::Score, -1), price *
                                                       shop.history(ShopSeries::TasteRating, -1) *
                                                       shop.history(ShopSeries::ServiceRating, -1));
}

TEST(FirmTest, RefusedBuildsChangeNothing) {
    GameFixtureOptions options;
    options.buildCost[2] = 1000000;  // more than any firm has
    std::vector<int> tiles = test::defaultTiles(options.width, options.height);
    tiles[static_cast<std::size_t>(2 * options.width + 2)] = test::kWall;
    tiles[static_cast<std::size_t>(2 * options.width + 5)] = test::kEnclosed;
    options.tiles = tiles;
    GameFixture fixture(options);
    auto game = startGame(fixture);
    ASSERT_NE(game, nullptr);
    Firm& player = *game->player();
    const Money cash = player.cash();

    struct Case {
        const char* what;
        int x, y, size;
    };
    for (const Case& c :
         {Case{"road", 4, 0, 0}, Case{"wall", 2, 2, 0}, Case{"walled-in yard", 5, 2, 0},
          Case{"outside", 10, 3, 0}, Case{"negative tile", -1, 3, 0}, Case{"size 3", 4, 4, 3},
          Case{"cash short", 4, 4, 2}}) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(player.canBuild(c.x, c.y, c.size));
        EXPECT_EQ(player.build(c.x, c.y, c.size), kRefused);
    }
    EXPECT_EQ(player.cash(), cash);
    EXPECT_EQ(player.shopCount(), 0);
    EXPECT_EQ(player.policy().shopCount(), 0);
}

TEST(FirmTest, CloseNeedsNoMoneyAndRestoresTheTile) {
    GameFixture fixture;
    auto game = startGame(fixture);
    ASSERT_NE(game, nullptr);
    Firm& player = *game->player();
    ASSERT_EQ(player.build(3, 4, 0), 0);
    EXPECT_FALSE(player.canClose(1, false));
    EXPECT_EQ(player.close(1, false), kRefused);

    setCash(player, -50);
    ASSERT_TRUE(player.canClose(0, false));
    EXPECT_EQ(player.close(0, false), kOk);
    EXPECT_EQ(player.cash(), -50 - fixture.options().closeCost);
    EXPECT_EQ(game->shopAt(3, 4, 0), -1);
    EXPECT_EQ(game->map()->layers().storedChip(3, 4, 6), -1);
    EXPECT_EQ(player.policy().shopCount(), 0);
    EXPECT_EQ(player.close(0, false), kRefused);  // already closed
}

TEST(FirmTest, RefusedSystemChangeCostsNothing) {
    GameFixture fixture;
    auto game = startGame(fixture);
    ASSERT_NE(game, nullptr);
    Firm& player = *game->player();
    ASSERT_EQ(player.build(3, 4, 0), 0);
    const Money cash = player.cash();

    EXPECT_FALSE(player.canChangeSystem(0));  // already the current system
    EXPECT_EQ(player.changeSystem(0), kRefused);
    EXPECT_EQ(player.cash(), cash);

    EXPECT_EQ(player.changeSystem(1), kOk);
    EXPECT_EQ(player.cash(), cash - fixture.options().changeCost);
    EXPECT_EQ(player.changeSystem(2), kRefused);  // a change is running
    EXPECT_EQ(player.cash(), cash - fixture.options().changeCost);
}

TEST(FirmTest, TwoNegativeMonthEndsBankruptThePlayer) {
    GameFixture fixture;
    auto game = startGame(fixture);
    ASSERT_NE(game, nullptr);
    Firm& player = *game->player();

    setCash(player, -1000);
    EXPECT_EQ(game->endTurn() & kCashBits, TurnFlags::CashExhausted);
    EXPECT_TRUE(player.fundsWarning());
    // A month that ends in the black disarms the warning.
    setCash(player, 1000);
    EXPECT_EQ(game->endTurn() & kCashBits, 0u);
    EXPECT_FALSE(player.fundsWarning());

    setCash(player, -1000);
    EXPECT_EQ(game->endTurn() & kCashBits, TurnFlags::CashExhausted);
    setCash(player, -1000);
    EXPECT_EQ(game->endTurn() & kCashBits, TurnFlags::Bankrupt | TurnFlags::GameOver);
    EXPECT_FALSE(player.withdrawn());  // the player's company is never withdrawn
}

TEST(FirmTest, ComputerFirmPassesOnItsFlagsOnlyWhenItWithdraws) {
    // A chance of 1 fails only on the generator's top value; a fixed seed keeps the test exact.
    const FixedClock clock(4242, LocalDateTime{});
    const ScopedClock useClock(clock);
    GameFixtureOptions options;
    options.poisoning[2] = 1.0;  // every computer company's shop is poisoned every month
    GameFixture fixture(options);
    auto game = startGame(fixture, 4, 1);
    ASSERT_NE(game, nullptr);
    Firm& blue = *game->firm(1);
    ASSERT_EQ(blue.build(5, 5, 0), 0);
    ASSERT_EQ(blue.build(7, 3, 0), 1);

    setCash(blue, -10);
    const TurnFlagSet first = game->endTurn();
    EXPECT_EQ(first & (TurnFlags::FoodPoisoning | TurnFlags::CashExhausted), 0u);
    EXPECT_TRUE(blue.fundsWarning());
    EXPECT_FALSE(blue.withdrawn());
    EXPECT_EQ(game->poisonings(), 0);

    setCash(blue, -10);
    const TurnFlagSet second = game->endTurn();
    EXPECT_EQ(
        second & (TurnFlags::CompetitorWithdrew | TurnFlags::FoodPoisoning | TurnFlags::Victory),
        TurnFlags::CompetitorWithdrew | TurnFlags::FoodPoisoning | TurnFlags::Victory);
    EXPECT_EQ(second & TurnFlags::Bankrupt, 0u);
    EXPECT_TRUE(blue.withdrawn());
    EXPECT_EQ(blue.withdrawnDate(), 102);
    EXPECT_EQ(blue.shopCount(), 0);
    EXPECT_EQ(blue.policy().shopCount(), 0);
    EXPECT_EQ(game->shopAt(5, 5, 1), -1);
    EXPECT_EQ(game->poisonings(), 1);

    // A withdrawn firm takes no further turns and answers nothing.
    const Money cash = blue.cash();
    EXPECT_EQ(blue.monthlyTurn(), 0u);
    EXPECT_EQ(blue.cash(), cash);
}

TEST(FirmTest, ComputerFirmThatClosedItsLastShopWithdrawsAtMonthEnd) {
    GameFixture fixture;
    auto game = startGame(fixture, 4, 2);
    ASSERT_NE(game, nullptr);
    Firm& blue = *game->firm(1);
    Firm& green = *game->firm(2);
    ASSERT_EQ(blue.build(5, 5, 0), 0);
    ASSERT_EQ(green.build(2, 6, 0), 0);
    ASSERT_EQ(blue.close(0, false), kOk);
    EXPECT_FALSE(blue.withdrawn());
    setCash(blue, 3000);  // too little for its computer player to build again (needs 2 x 2000)

    const TurnFlagSet flags = game->endTurn();
    EXPECT_EQ(blue.shopCount(), 0);
    EXPECT_TRUE(blue.withdrawn());
    EXPECT_NE(flags & TurnFlags::CompetitorWithdrew, 0u);
    EXPECT_EQ(flags & TurnFlags::Victory, 0u);  // green is still in the game
    EXPECT_EQ(game->activeCompetitors(), 1);
}

TEST(FirmTest, PoisoningAndOverworkStrikeAtMostOncePerFirmAndMonth) {
    // A chance of 1 fails only on the generator's top value; a fixed seed keeps the test exact.
    const FixedClock clock(4242, LocalDateTime{});
    const ScopedClock useClock(clock);
    GameFixtureOptions options;
    options.poisoning[4] = 1.0;
    options.overwork[4] = 1.0;
    GameFixture fixture(options);
    auto game = startGame(fixture, 4, 1);
    ASSERT_NE(game, nullptr);
    Firm& player = *game->player();

    // No shops: both chances are 0.
    EXPECT_EQ(game->endTurn() & (TurnFlags::FoodPoisoning | TurnFlags::OverworkDeath), 0u);

    ASSERT_EQ(player.build(3, 4, 0), 0);
    ASSERT_EQ(player.build(6, 6, 0), 1);
    const Money compensationBefore = player.balance(5502);
    const TurnFlagSet flags = game->endTurn();
    EXPECT_EQ(flags & (TurnFlags::FoodPoisoning | TurnFlags::OverworkDeath),
              TurnFlags::FoodPoisoning);
    EXPECT_GE(player.balance(5502) - compensationBefore, 1000);
    ASSERT_GE(player.struckShop(), 0);
    const int other = 1 - player.struckShop();
    EXPECT_GT(player.shops().shop(player.struckShop())->accidentTimer(0), 0);
    EXPECT_GT(player.shops().shop(other)->accidentTimer(1), 0);
    EXPECT_EQ(game->poisonings(), 1);
    EXPECT_EQ(game->overworkDeaths(), 0);
}

TEST(FirmTest, InactiveFirmIsWithdrawnWithoutCapitalAndNeverBlocksVictory) {
    GameFixture fixture(penniless());
    auto game = startGame(fixture, 4, 1);
    ASSERT_NE(game, nullptr);
    for (int slot : {2, 3}) {
        const Firm& firm = *game->firm(slot);
        EXPECT_TRUE(firm.withdrawn());
        EXPECT_EQ(firm.cash(), 0);
        EXPECT_EQ(firm.balance(3101), 0);
        EXPECT_EQ(firm.withdrawnDate(), 0);
    }
    EXPECT_EQ(game->firm(1)->name(), "Blue Co");
    EXPECT_EQ(game->firm(3)->name(), "Yellow Co");
    const TurnFlagSet flags = game->endTurn();
    EXPECT_EQ(flags & (TurnFlags::CompetitorWithdrew | TurnFlags::Victory),
              TurnFlags::CompetitorWithdrew | TurnFlags::Victory);
}

TEST(FirmTest, FirmsTableWithoutFirmsIsAVictoryAndRefusesBadSlots) {
    Firms firms;
    firms.init(4, "missing-rate", "missing-price", "missing-acc", nullptr, nullptr);
    EXPECT_EQ(firms.chartResult(), kMissingFile);
    EXPECT_EQ(firms.monthlyTurnAll(), TurnFlags::Victory);
    EXPECT_EQ(firms.create(-1, 2, "x", false), kRefused);
    EXPECT_EQ(firms.create(4, 2, "x", false), kRefused);
    EXPECT_EQ(firms.create(0, 2, "x", false), kRefused);  // no data: initialisation fails
    EXPECT_EQ(firms.firm(0), nullptr);
    EXPECT_EQ(firms.firm(9), nullptr);
}

TEST(FirmTest, LoanFallingDueSetsTheRepaidFlag) {
    GameFixture fixture;
    auto game = startGame(fixture, 4, 3);
    ASSERT_NE(game, nullptr);
    Firm& player = *game->player();
    ASSERT_TRUE(player.canBorrow());
    const int loan = player.borrow();
    ASSERT_GE(loan, 0);
    EXPECT_EQ(player.finance().loans().monthDue(loan), 512);
    game->calendar()->setMonthsPlayed(4 * 12 + 10);  // 511: not due yet
    EXPECT_EQ(game->endTurn() & TurnFlags::LoanRepaid, 0u);
    EXPECT_EQ(game->endTurn() & TurnFlags::LoanRepaid, TurnFlags::LoanRepaid);
    EXPECT_FALSE(player.finance().loans().slotUsed(loan));
}

}  // namespace
}  // namespace vellmora
