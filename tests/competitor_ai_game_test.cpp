// The computer players on a real game: fixture data folder, real firms, market and finance.
#include <gtest/gtest.h>

#include <string>

#include "data/result_codes.h"
#include "game/competitor_ai.h"
#include "game/controller_table.h"
#include "game/distance_field.h"
#include "game/firm.h"
#include "game/firm_controller.h"
#include "game/firm_policy.h"
#include "game/game.h"
#include "game/route_graph.h"
#include "game/shop_list.h"
#include "game/site_value.h"
#include "game/town_map.h"
#include "support/game_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora {
namespace {

using test::GameFixture;
using test::GameFixtureOptions;

GameFixtureOptions wideTown() {
    GameFixtureOptions options;
    options.width = 18;
    options.height = 8;
    return options;
}

CompetitorAi& aiOf(Game& game, int slot) {
    return *game.controllers()->controller(slot)->ai();
}

TEST(CompetitorAiGame, FirstDecisionBuildsShopsApartOnBuildableTiles) {
    const GameFixture fixture(wideTown());
    auto game = test::startGame(fixture, 2, 2);
    ASSERT_NE(game, nullptr);
    const TownMap& map = *game->map();
    for (int slot : {1, 2}) {
        SCOPED_TRACE(slot);
        ASSERT_EQ(aiOf(*game, slot).decide(), kOk);
        const Firm& firm = *game->firm(slot);
        const std::vector<int> shops = firm.shops().activeNumbers();
        ASSERT_GE(shops.size(), 1u);
        EXPECT_LE(shops.size(), 3u);
        EXPECT_EQ(firm.policy().shopCount(), static_cast<int>(shops.size()));
        for (int a : shops) {
            const int ax = firm.shops().x(a);
            const int ay = firm.shops().y(a);
            EXPECT_TRUE(map.buildable(ax, ay));
            for (int b : shops) {
                if (b != a) {
                    const int d = map.routeGraph().field(ax, ay)->distanceAt(firm.shops().x(b),
                                                                             firm.shops().y(b));
                    EXPECT_GT(d, kOwnShopExclusionDistance) << a << " " << b;
                }
            }
        }
    }
    EXPECT_EQ(aiOf(*game, 3).decide(), kRefused);  // not taking part
    EXPECT_TRUE(game->firm(3)->shops().activeNumbers().empty());
}

TEST(CompetitorAiGame, BuildsOnlyWhileCashCoversTwiceTheBuildingCost) {
    const struct {
        Money cash;
        std::size_t shops;
    } cases[] = {{3999, 0}, {4000, 1}, {5999, 1}, {6000, 2}};
    const GameFixture fixture(wideTown());  // a small shop costs 2000
    for (const auto& c : cases) {
        auto game = test::startGame(fixture, 2, 1);
        ASSERT_NE(game, nullptr);
        test::setCash(*game->firm(1), c.cash);
        ASSERT_EQ(aiOf(*game, 1).decide(), kOk);
        EXPECT_EQ(game->firm(1)->shops().activeNumbers().size(), c.shops) << c.cash;
    }
}

TEST(CompetitorAiGame, SystemChangePostsNoCost) {
    GameFixture fixture(wideTown());
    std::string ai = test::fixtureAiFile(fixture.options());
    const std::string system = "[system]\r\ns,0,0,0";
    ai.replace(ai.find(system), system.size(), "[system]\r\ns,1,1,1");
    // Rent outweighs every site: no expansion phase, so the system step runs.
    ai.replace(ai.find("l,0.5,0.5,0.5"), 13, "l,1000,1000,1000");
    fixture.dir().write("zdt/ai.txt", ai);
    auto game = test::startGame(fixture, 2, 1);
    ASSERT_NE(game, nullptr);
    Firm& firm = *game->firm(1);
    ASSERT_GE(firm.build(3, 4, 0), 0);
    test::setCash(firm, 3000);

    ASSERT_EQ(aiOf(*game, 1).decide(), kOk);
    EXPECT_EQ(firm.policy().currentSystem(), FirmPolicy::kChangingSystem);
    EXPECT_EQ(firm.policy().targetSystem(), 1);
    EXPECT_EQ(firm.cash(), 3000);
    EXPECT_EQ(aiOf(*game, 1).systemCooldown(), CompetitorAi::kSystemCooldown - 1);
}

TEST(CompetitorAiGame, TownViewValuesSitesForAnyFirm) {
    const GameFixture fixture(wideTown());
    auto game = test::startGame(fixture, 2, 1);
    ASSERT_NE(game, nullptr);
    const std::unique_ptr<MarketView> view = makeTownMarketView(game->map());
    ASSERT_NE(view, nullptr);
    SiteQuery query;
    query.firm = 0;
    query.firmScore = game->firm(0)->policy().firmScore();
    query.range = game->firm(0)->policy().shopRange(0);
    EXPECT_GT(siteValue(*view, query, 3, 4), 0);
    EXPECT_EQ(siteValue(*view, query, 3, 0), kNoSite);  // the road is not buildable

    ASSERT_EQ(game->buildShop(3, 4, 0), kOk);
    EXPECT_EQ(siteValue(*view, query, 3, 4), kNoSite);  // our own shop stands there
    EXPECT_EQ(siteValue(*view, query, 5, 5), kNoSite);  // too close to it
    EXPECT_GT(siteValue(*view, query, 14, 4), 0);       // far enough
}

}  // namespace
}  // namespace vellmora
