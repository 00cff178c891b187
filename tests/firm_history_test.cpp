// The month-end figures a firm keeps for the charts.
#include "game/firm_history.h"

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/game.h"
#include "game/settlement.h"
#include "support/game_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora {
namespace {

using test::GameFixture;
using test::GameFixtureOptions;
using test::startGame;

TEST(FirmHistoryTest, ARecordedMonthIsReplacedNotRepeated) {
    FirmHistory history;
    history.record({101, 1, 500, 10, 2});
    history.record({101, 2, 400, 20, 3});
    history.record({102, 2, 300, 30, 4});
    ASSERT_EQ(history.count(), 2);
    EXPECT_EQ(history.entries()[0].shops, 2);
    EXPECT_EQ(figureOf(history.entries()[1], FirmFigure::Cash), 300);
    EXPECT_EQ(figureOf(history.entries()[1], FirmFigure::Sales), 30);
    EXPECT_EQ(figureOf(history.entries()[1], FirmFigure::Result), 4);
    EXPECT_EQ(figureOf(history.entries()[1], FirmFigure::Shops), 2);
}

TEST(FirmHistoryTest, EveryMonthEndIsRecordedWithTheReportFigures) {
    GameFixture fixture;
    auto game = startGame(fixture);
    ASSERT_NE(game, nullptr);
    Firm& player = *game->player();
    EXPECT_EQ(player.history().count(), 0);
    ASSERT_EQ(game->buildShop(3, 4, 1), 0);

    for (int month = 0; month < 14; ++month) {
        const int date = game->calendar()->dateCode();
        (void)game->endTurn();
        ASSERT_EQ(player.history().count(), month + 1);
        const FirmHistoryEntry& last = player.history().entries().back();
        EXPECT_EQ(last.date, date);
        EXPECT_EQ(last.shops, 1);
        EXPECT_EQ(last.cash, player.cash());
        EXPECT_EQ(last.sales, player.settlement().reportValue(4101, 1));
        EXPECT_EQ(last.result, player.settlement().reportValue(9101, 1));
    }
    EXPECT_GT(player.history().entries().back().sales, 0);
}

TEST(FirmHistoryTest, AWithdrawnFirmStopsAndANewGameStartsEmpty) {
    GameFixtureOptions options;
    options.capital[2] = 0;  // computer companies without money leave after their first month
    GameFixture fixture(options);
    auto game = startGame(fixture);
    ASSERT_NE(game, nullptr);
    for (int month = 0; month < 3; ++month) {
        (void)game->endTurn();
    }
    const Firm& blue = *game->firm(1);
    ASSERT_TRUE(blue.withdrawn());
    EXPECT_EQ(blue.history().count(), 1);
    EXPECT_EQ(game->player()->history().count(), 3);

    NewGameSetup setup;
    setup.mapPath = fixture.mapPath();
    ASSERT_EQ(game->newGame(setup), 0);
    EXPECT_EQ(game->player()->history().count(), 0);
}

}  // namespace
}  // namespace vellmora
