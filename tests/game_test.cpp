// Whole games on a small fixture town: starting a game, the turn sequence, victory and its
// score record, and repeatability from the clock.
#include "game/game.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/building_table.h"
#include "data/clock.h"
#include "data/result_codes.h"
#include "data/score_book.h"
#include "data/score_record.h"
#include "game/calendar.h"
#include "game/controller_table.h"
#include "game/firm.h"
#include "game/firm_policy.h"
#include "game/firms.h"
#include "game/town_map.h"
#include "support/game_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora {
namespace {

using test::GameFixture;
using test::GameFixtureOptions;
using test::setCash;
using test::startGame;

GameFixtureOptions penniless() {
    GameFixtureOptions options;
    options.capital[2] = 0;  // computer companies never build and leave after one month
    return options;
}

TEST(GameTest, CompetitorCountIsClampedAndExtraFirmsStartWithdrawn) {
    GameFixture fixture;
    struct Case {
        int asked, expected;
    };
    for (const Case c : {Case{0, 1}, Case{-5, 1}, Case{1, 1}, Case{2, 2}, Case{3, 3}, Case{7, 3}}) {
        SCOPED_TRACE(c.asked);
        auto game = startGame(fixture, 2, c.asked);
        ASSERT_NE(game, nullptr);
        EXPECT_EQ(game->competitorCount(), c.expected);
        EXPECT_EQ(game->activeCompetitors(), c.expected);
        for (int slot = 1; slot <= 3; ++slot) {
            ASSERT_NE(game->firm(slot), nullptr);  // all three computer firms always exist
            EXPECT_EQ(game->firm(slot)->withdrawn(), slot > c.expected);
            EXPECT_NE(game->controllers()->controller(slot)->ai(), nullptr);
        }
    }
}

TEST(GameTest, NewGameSetsUpPlayerAndComputerCompanies) {
    GameFixture fixture;
    auto game = startGame(fixture, 1, 3);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->mapName(), "town");
    EXPECT_EQ(game->mapWidth(), fixture.options().width);
    EXPECT_EQ(game->calendar()->dateCode(), 101);
    EXPECT_EQ(game->player()->name(), "Player Co");
    EXPECT_EQ(game->player()->cash(), fixture.options().capital[1]);
    EXPECT_EQ(game->playerPolicy()->difficulty(), 1);
    EXPECT_EQ(game->playerPolicy()->budgetLevel(4), 0);  // research starts at level 0
    EXPECT_EQ(game->controllers()->controller(0)->name(), "Player");
    EXPECT_EQ(game->controllers()->controller(0)->ai(), nullptr);
    EXPECT_EQ(game->controllers()->controller(2)->name(), "Green Boss");
    EXPECT_EQ(game->firm(2)->name(), "Green Co");
    EXPECT_EQ(game->firm(2)->difficulty(), 2);
    EXPECT_EQ(game->firm(2)->cash(), fixture.options().capital[2]);
    EXPECT_NE(game->buildingAt(3, 3), nullptr);
    EXPECT_EQ(game->buildingAt(3, 3)->id, test::kGround);
    EXPECT_EQ(game->buildingAt(-1, 3), nullptr);
    EXPECT_EQ(game->firms()->chartResult(), kOk);
}

TEST(GameTest, LongNamesAreCut) {
    GameFixture fixture;
    Game game(fixture.folder());
    NewGameSetup setup;
    setup.mapPath = fixture.mapPath();
    setup.playerName = std::string(300, 'p');
    setup.companyName = std::string(300, 'c');
    ASSERT_EQ(game.newGame(setup), kOk);
    EXPECT_EQ(game.player()->name(), std::string(255, 'c'));
    EXPECT_EQ(game.controllers()->controller(0)->name(), std::string(256, 'p'));
}

TEST(GameTest, BuildShopAnswersOkAndTheNumberComesFromShopAt) {
    GameFixture fixture;
    auto game = startGame(fixture, 2, 3);
    ASSERT_NE(game, nullptr);
    // Every build answers kOk, not the new shop's number (the second shop is number 1).
    ASSERT_EQ(game->buildShop(2, 3, 0), kOk);
    ASSERT_EQ(game->buildShop(6, 5, 1), kOk);
    EXPECT_EQ(game->shopAt(2, 3, 0), 0);
    EXPECT_EQ(game->shopAt(6, 5, 0), 1);
    EXPECT_EQ(game->player()->shopCount(), 2);
    EXPECT_EQ(game->buildShop(6, 5, 1), kRefused);  // our shop already stands there
    EXPECT_EQ(game->buildShop(6, 0, 0), kRefused);  // the road
    EXPECT_EQ(game->shopAt(6, 0, 0), -1);
}

TEST(GameTest, StartUpGameWithoutMapHasDataAndFirms) {
    GameFixture fixture;
    Game game(fixture.folder());
    NewGameSetup setup;  // no map, difficulty 2, empty names, 3 competitors
    ASSERT_EQ(game.newGame(setup), kOk);
    EXPECT_TRUE(game.mapName().empty());
    EXPECT_EQ(game.mapWidth(), 20);
    EXPECT_EQ(game.mapHeight(), 15);
    ASSERT_NE(game.player(), nullptr);
    EXPECT_EQ(game.activeCompetitors(), 3);
}

TEST(GameTest, BadDataOrMapIsRefusedWithoutCrashing) {
    struct Case {
        const char* what;
        std::int32_t version;
        bool truncate;
        bool dropBaseList;
        LoadError why;
    };
    for (const Case c : {Case{"header version 9999", 9999, false, false, LoadError::MapFormat},
                         Case{"length beyond the file", 10000, true, false, LoadError::MapFormat},
                         Case{"no base list", 10000, false, true, LoadError::BaseList}}) {
        SCOPED_TRACE(c.what);
        GameFixtureOptions options;
        options.mapVersion = c.version;
        GameFixture fixture(options);
        if (c.truncate) {
            const std::string bytes = fixture.dir().read("map/town.zmf");
            fixture.dir().write("map/town.zmf", bytes.substr(0, bytes.size() - 10));
        }
        if (c.dropBaseList) {
            std::filesystem::remove(fixture.dir().file("zdt/base.zdt"));
        }
        Game game(fixture.folder());
        NewGameSetup setup;
        setup.mapPath = fixture.mapPath();
        EXPECT_EQ(game.newGame(setup), kRefused);
        EXPECT_EQ(game.loadProblem().kind, c.why);
        EXPECT_FALSE(game.loadErrorText().empty());
        EXPECT_EQ(game.player(), nullptr);
        EXPECT_EQ(game.endTurn(), TurnFlags::None);
        EXPECT_EQ(game.buildShop(3, 3, 0), kRefused);
        EXPECT_FALSE(game.canBuildShop(3, 3, 0));
    }
    GameFixture fixture;
    Game game(fixture.folder());
    NewGameSetup setup;
    setup.mapPath = fixture.dir().file("map/none.zmf");
    EXPECT_EQ(game.newGame(setup), kRefused);
    EXPECT_EQ(game.loadProblem().kind, LoadError::MapFile);
    setup.mapPath = fixture.mapPath();
    ASSERT_EQ(game.newGame(setup), kOk);
    EXPECT_EQ(game.loadProblem().kind, LoadError::None);
    EXPECT_EQ(game.loadErrorText(), "");
}

TEST(GameTest, TownLargerThanTheLimitIsRefusedNamingBothSizes) {
    struct Case {
        int width;
        int height;
        int result;
    };
    for (const Case c :
         {Case{TownMap::kMaxSide, 3, kOk}, Case{3, TownMap::kMaxSide, kOk},
          Case{TownMap::kMaxSide + 1, 3, kRefused}, Case{3, TownMap::kMaxSide + 44, kRefused}}) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        GameFixtureOptions options;
        options.width = c.width;
        options.height = c.height;
        GameFixture fixture(options);
        Game game(fixture.folder());
        NewGameSetup setup;
        setup.mapPath = fixture.mapPath();
        ASSERT_EQ(game.newGame(setup), c.result);
        if (c.result == kOk) {
            EXPECT_EQ(game.mapWidth(), c.width);
            continue;
        }
        EXPECT_EQ(game.loadProblem().kind, LoadError::MapTooLarge);
        EXPECT_EQ(game.loadProblem().width, c.width);
        EXPECT_EQ(game.loadProblem().height, c.height);
        const std::string text = game.loadErrorText();
        EXPECT_NE(text.find(std::to_string(c.width) + " x " + std::to_string(c.height)),
                  std::string::npos)
            << text;
        EXPECT_NE(text.find("256 x 256"), std::string::npos) << text;
    }
}

TEST(GameTest, NewGameFailingHalfWayLeavesNothingToPlay) {
    GameFixture fixture;
    // The computer companies' founding row no longer balances: their creation fails after the
    // player's company was made.
    std::string prices = fixture.dir().read("zdt/price.txt");
    const std::size_t row = prices.find("e,80000,");
    ASSERT_NE(row, std::string::npos);
    prices.replace(row, 8, "e,80001,");
    fixture.dir().write("zdt/price.txt", prices);

    for (int difficulty : {4, 7}) {  // 7: no such difficulty, the player's company fails
        SCOPED_TRACE(difficulty);
        auto game = std::make_unique<Game>(fixture.folder());
        NewGameSetup setup;
        setup.mapPath = fixture.mapPath();
        setup.difficulty = difficulty;
        EXPECT_EQ(game->newGame(setup), kRefused);
        EXPECT_EQ(game->loadProblem().kind, LoadError::Firm);
        EXPECT_FALSE(game->running());
        EXPECT_EQ(game->endTurn(), TurnFlags::None);
        EXPECT_EQ(game->calendar()->dateCode(), 101);
    }
}

TEST(GameTest, VictoryWithTheLastWithdrawalRecordsAndSavesTheScore) {
    GameFixture fixture(penniless());
    ASSERT_FALSE(std::filesystem::exists(fixture.dir().file("zrf")));
    FixedClock clock(1000, LocalDateTime{2026, 12, 5, 14, 30, 0});
    ScopedClock useClock(clock);
    auto game = startGame(fixture, 3, 2);
    ASSERT_NE(game, nullptr);

    const TurnFlagSet flags = game->endTurn();
    EXPECT_EQ(flags & (TurnFlags::CompetitorWithdrew | TurnFlags::Victory),
              TurnFlags::CompetitorWithdrew | TurnFlags::Victory);
    EXPECT_EQ(game->activeCompetitors(), 0);
    const ScoreRecord* record = game->lastRecord();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->gameDate(), 10200);  // the calendar after the month played
    EXPECT_EQ(record->realDate(), 1261205);
    EXPECT_EQ(record->realTime(), 1430);
    EXPECT_EQ(record->competitors(), 2);
    EXPECT_EQ(record->difficulty(), 3);
    EXPECT_FALSE(game->ownsLastRecord());  // the map's score list took it
    EXPECT_EQ(game->scoreBook().findList("town")->record(0, 3), record);
    // The score folder is made when missing, and the file reads back.
    ASSERT_TRUE(std::filesystem::exists(fixture.scoreFile()));
    ScoreBook reread;
    reread.configure(fixture.dir().file("zrf") + "/");
    ASSERT_GE(reread.openList("town"), 0);
    const ScoreRecord* saved = reread.findList("town")->record(0, 3);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->fields(), record->fields());
}

TEST(GameTest, WinInMonthTwelveSetsYearEndAndRecordsTheNextYear) {
    GameFixture fixture(penniless());
    auto game = startGame(fixture, 2, 3);
    ASSERT_NE(game, nullptr);
    game->calendar()->setMonthsPlayed(11);
    ASSERT_EQ(game->calendar()->dateCode(), 112);
    const TurnFlagSet flags = game->endTurn();
    EXPECT_EQ(flags & (TurnFlags::YearEnd | TurnFlags::Victory),
              TurnFlags::YearEnd | TurnFlags::Victory);
    ASSERT_NE(game->lastRecord(), nullptr);
    EXPECT_EQ(game->lastRecord()->gameYear(), 2);
    EXPECT_EQ(game->lastRecord()->gameMonth(), 1);
    // Other months carry no YearEnd.
    EXPECT_EQ(game->endTurn() & TurnFlags::YearEnd, 0u);
}

TEST(GameTest, AutomaticRefinancingRunsInTheTurnOfAWin) {
    GameFixture fixture(penniless());
    auto game = startGame(fixture, 4, 1);
    ASSERT_NE(game, nullptr);
    Firm& player = *game->player();
    // Debt of 60% and 70% of equity: the sixth and seventh loans carry a worse rating's rate.
    for (int loan = 0; loan < 7; ++loan) {
        ASSERT_EQ(player.borrow(), loan);
    }
    const double dear = player.finance().loans().annualRate(6);
    ASSERT_GT(dear, player.finance().loans().annualRate(0));
    test::moveCash(player, 10000000);  // a windfall: the best rating again
    game->setAutoRefinance(true);

    ASSERT_NE(game->endTurn() & TurnFlags::Victory, 0u);
    ASSERT_NE(game->lastRecord(), nullptr);
    for (int slot = 0; slot < 7; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_LE(player.finance().loans().annualRate(slot),
                  player.finance().loans().annualRate(0) + 1e-9);
    }
    EXPECT_EQ(player.finance().loans().monthBorrowed(6), 102);
}

TEST(GameTest, VictoryWithoutScoreListKeepsTheRecordInTheGame) {
    GameFixture fixture(penniless());
    fixture.dir().write("zrf/town.zrf", "not a score file");  // refused: no list for the map
    auto game = startGame(fixture, 2, 1);
    ASSERT_NE(game, nullptr);
    ASSERT_NE(game->endTurn() & TurnFlags::Victory, 0u);
    ASSERT_NE(game->lastRecord(), nullptr);
    EXPECT_TRUE(game->ownsLastRecord());
    EXPECT_EQ(fixture.dir().read("zrf/town.zrf"), "not a score file");
    EXPECT_EQ(game->scoreListStatus().state, ScoreListState::Refused);
    EXPECT_EQ(game->scoreListStatus().path, fixture.scoreFile());
}

TEST(GameTest, ScoreFileThatCannotBeReadIsReportedAndLeftAlone) {
    GameFixture fixture(penniless());
    // Something that exists but cannot be read as a file: not "missing", so no empty list.
    std::filesystem::create_directories(fixture.scoreFile());
    auto game = startGame(fixture, 2, 1);
    ASSERT_NE(game, nullptr);
    const ScoreListStatus& status = game->scoreListStatus();
    EXPECT_EQ(status.state, ScoreListState::Unreadable);
    EXPECT_EQ(status.path, fixture.scoreFile());
    EXPECT_FALSE(status.reason.empty());
    EXPECT_EQ(game->scoreBook().findList("town"), nullptr);

    ASSERT_NE(game->endTurn() & TurnFlags::Victory, 0u);
    ASSERT_NE(game->lastRecord(), nullptr);
    EXPECT_TRUE(game->ownsLastRecord());
    EXPECT_TRUE(std::filesystem::is_directory(fixture.scoreFile()));

    // Once the file is gone the next game on the map starts a new list.
    std::filesystem::remove(fixture.scoreFile());
    game = startGame(fixture, 2, 1);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->scoreListStatus().state, ScoreListState::Open);
    EXPECT_TRUE(game->scoreListStatus().reason.empty());
}

TEST(GameTest, ScoreFolderCanBeMovedOrSwitchedOff) {
    GameFixture fixture(penniless());
    for (const bool kept : {false, true}) {
        SCOPED_TRACE(kept);
        Game game(fixture.folder());
        EXPECT_EQ(game.scoreFolder(), fixture.folder() + "zrf/");
        const std::string elsewhere = fixture.dir().file("elsewhere/");
        game.setScoreFolder(kept ? elsewhere : std::string());
        NewGameSetup setup;
        setup.mapPath = fixture.mapPath();
        setup.competitorCount = 1;
        ASSERT_EQ(game.newGame(setup), kOk);
        EXPECT_EQ(game.scoreListStatus().state, ScoreListState::Open);
        EXPECT_EQ(game.scoreListStatus().path, kept ? elsewhere + "town.zrf" : std::string());
        ASSERT_NE(game.endTurn() & TurnFlags::Victory, 0u);
        EXPECT_FALSE(game.ownsLastRecord());  // the list in memory took the record
        EXPECT_EQ(std::filesystem::exists(elsewhere + "town.zrf"), kept);
        EXPECT_FALSE(std::filesystem::exists(fixture.scoreFile()));
    }
    Game noMap(fixture.folder());
    ASSERT_EQ(noMap.newGame(NewGameSetup()), kOk);
    EXPECT_EQ(noMap.scoreListStatus().state, ScoreListState::None);
}

TEST(GameTest, SameSeedPlaysTheSameGame) {
    GameFixtureOptions options;
    options.poisoning = {0.05, 0.05, 0.05, 0.05, 0.05};
    options.overwork = {0.05, 0.05, 0.05, 0.05, 0.05};
    GameFixture fixture(options);
    auto play = [&fixture](std::int64_t seed) {
        FixedClock clock(seed, LocalDateTime{});
        ScopedClock useClock(clock);
        auto game = startGame(fixture, 2, 3);
        std::vector<Money> trace;
        if (game == nullptr) {
            return trace;
        }
        (void)game->buildShop(4, 4, 1);
        for (int month = 0; month < 36; ++month) {
            trace.push_back(game->endTurn());
            for (int slot = 0; slot < 4; ++slot) {
                trace.push_back(game->firm(slot)->cash());
                trace.push_back(game->firm(slot)->customers());
            }
        }
        return trace;
    };
    const std::vector<Money> first = play(12345);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(play(12345), first);
}

}  // namespace
}  // namespace vellmora
