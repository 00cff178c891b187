#include "game/town_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/result_codes.h"
#include "game/map_file.h"
#include "town_map_fixture.h"

namespace vellmora {
namespace {

using test::BuildingFixture;
using test::describeRows;
using test::kGrass;
using test::kHouse;
using test::kRoad;
using test::kWall;

class TownMapTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(map.init(4, 3, buildings.path()), kOk); }

    // Loads rows through the map-file chunk tree, as a new game does.
    void load(const std::vector<std::string>& rows) {
        MapChunk root;
        ASSERT_EQ(buildMapChunk(describeRows(rows), root), kOk);
        ASSERT_EQ(map.loadMap(root), kOk);
    }

    BuildingFixture buildings;
    TownMap map;
};

TEST_F(TownMapTest, NewMapIsFilledWithTheDefaultBuilding) {
    EXPECT_EQ(map.width(), 4);
    EXPECT_EQ(map.height(), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(map.buildingId(x, y), kGrass);
            EXPECT_EQ(map.customers(x, y), 5);
            EXPECT_EQ(map.rent(x, y), 100);
            EXPECT_EQ(map.routeGraph().cost(x, y), 2);
            EXPECT_TRUE(map.buildable(x, y));
            EXPECT_EQ(map.layers().chip(x, y, 2), 1);
            EXPECT_EQ(map.layers().chip(x, y, 0), -1);
        }
    }
    EXPECT_TRUE(map.normalView());
    EXPECT_EQ(map.layers().kind(), 2);
    EXPECT_EQ(map.market().slotCount(), 4);
    EXPECT_EQ(map.customerGrid().size(), 12u);
}

TEST_F(TownMapTest, TilesOutsideTheMapAnswerMinusOne) {
    const int outside[][2] = {{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {-100000, 100000}};
    for (const auto& p : outside) {
        const int x = p[0];
        const int y = p[1];
        EXPECT_EQ(map.buildingId(x, y), -1);
        EXPECT_EQ(map.customers(x, y), -1);
        EXPECT_EQ(map.rent(x, y), -1);
        EXPECT_EQ(map.rentAt(x, y), -1);
        EXPECT_FALSE(map.buildable(x, y));
        EXPECT_EQ(map.buildingAt(x, y), nullptr);
        EXPECT_EQ(map.layers().chip(x, y, 2), -1);
        EXPECT_EQ(map.layers().attribute(x, y, 2), 0);
        EXPECT_EQ(map.placeBuilding(x, y, kRoad), kRefused);
    }
    EXPECT_EQ(map.layers().chip(0, 0, 7), -1);
    EXPECT_EQ(map.layers().chip(0, 0, -1), -1);
}

TEST_F(TownMapTest, InitAndCreateRefuseBadInput) {
    TownMap fresh;
    EXPECT_EQ(fresh.init(4, 3, buildings.dir().file("zdt/missing")), kMissingFile);
    EXPECT_EQ(fresh.width(), 0);
    // With no table nothing can be made.
    EXPECT_EQ(fresh.create(4, 3), kRefused);

    const int sizes[][2] = {
        {0, 3}, {4, 0}, {-1, 5}, {TownMap::kMaxSide + 1, 1}, {1, TownMap::kMaxSide + 1}};
    for (const auto& size : sizes) {
        EXPECT_EQ(map.create(size[0], size[1]), kRefused) << size[0] << "x" << size[1];
        EXPECT_EQ(map.width(), 4);
        EXPECT_EQ(map.buildingId(3, 2), kGrass);
    }
}

TEST_F(TownMapTest, PlacingABuildingSetsTileValuesAndDrawsItWithItsUnderlay) {
    ASSERT_EQ(map.placeBuilding(1, 1, kHouse), kOk);
    EXPECT_EQ(map.buildingId(1, 1), kHouse);
    EXPECT_EQ(map.customers(1, 1), 25);
    EXPECT_EQ(map.rent(1, 1), 301);
    // chip code = page * 256 + chip; underlay (road) goes to layer 0.
    EXPECT_EQ(map.layers().chip(1, 1, 3), 256 + 20);
    EXPECT_EQ(map.layers().attribute(1, 1, 3), 1);
    EXPECT_EQ(map.layers().chip(1, 1, 0), 2);
    // The grass picture stays on its own layer beneath.
    EXPECT_EQ(map.layers().chip(1, 1, 2), 1);

    EXPECT_EQ(map.placeBuilding(1, 1, 12345), kRefused);
    EXPECT_EQ(map.buildingId(1, 1), kHouse);

    ASSERT_EQ(map.placeBuilding(2, 1, kWall), kOk);
    EXPECT_FALSE(map.routeGraph().walkable(2, 1));
    EXPECT_FALSE(map.buildable(2, 1));

    map.clearChip(1, 1, 3);
    EXPECT_EQ(map.layers().chip(1, 1, 3), -1);
    EXPECT_EQ(map.drawBuildingId(1, 1, kHouse), kOk);
    EXPECT_EQ(map.layers().chip(1, 1, 3), 256 + 20);
    EXPECT_EQ(map.drawBuildingId(1, 1, 12345), kRefused);
}

TEST_F(TownMapTest, RentRisesByHalfNextToARoadOfCostOne) {
    load({
        "h=..",
        "....",
        ".h..",
    });
    // House (rent 301) beside the road: 451.5 truncated.
    EXPECT_EQ(map.rentAt(0, 0), 451);
    EXPECT_EQ(map.rent(0, 0), 301);
    // Grass below the road.
    EXPECT_EQ(map.rentAt(1, 1), 150);
    // Bordered only by tiles of cost 2: plain rent.
    EXPECT_EQ(map.rentAt(1, 2), 301);
    EXPECT_EQ(map.rentAt(3, 2), 100);
    // Diagonal neighbours do not count.
    EXPECT_EQ(map.rentAt(0, 1), 100);
    EXPECT_EQ(map.rentAt(2, 1), 100);
}

TEST_F(TownMapTest, NormalViewHidesTheOverlayAndOverlaysHideLayerTwo) {
    map.showCustomers();
    EXPECT_FALSE(map.normalView());
    EXPECT_EQ(map.layers().chip(0, 0, 2), -1);
    EXPECT_EQ(map.layers().chip(0, 0, 1), test::overlayCode(90004));  // 5 customers
    map.showNormal();
    EXPECT_EQ(map.layers().chip(0, 0, 1), -1);
    EXPECT_EQ(map.layers().chip(0, 0, 2), 1);
    EXPECT_EQ(map.layers().storedChip(0, 0, 1), test::overlayCode(90004));
}

TEST_F(TownMapTest, CustomerOverlayBands) {
    ASSERT_EQ(map.create(static_cast<int>(std::size(test::kCustomerCounts)), 1), kOk);
    for (int i = 0; i < static_cast<int>(std::size(test::kCustomerCounts)); ++i) {
        ASSERT_EQ(map.placeBuilding(i, 0, test::kCustomerTileBase + i), kOk);
    }
    map.showCustomers();
    const struct {
        int customers;
        int chip;
    } expected[] = {
        {0, -1},
        {-1, test::overlayCode(90004)},
        {1, test::overlayCode(90004)},
        {9, test::overlayCode(90004)},
        {10, test::overlayCode(90003)},
        {19, test::overlayCode(90003)},
        {20, test::overlayCode(90002)},
        {29, test::overlayCode(90002)},
        {30, test::overlayCode(90001)},
        {39, test::overlayCode(90001)},
        {40, test::overlayCode(90000)},
        {500, test::overlayCode(90000)},
    };
    for (int i = 0; i < static_cast<int>(std::size(expected)); ++i) {
        ASSERT_EQ(map.customers(i, 0), expected[i].customers);
        EXPECT_EQ(map.layers().chip(i, 0, 1), expected[i].chip)
            << "customers " << expected[i].customers;
    }
}

TEST_F(TownMapTest, PreferenceAndCatchmentOverlaysFollowTheMarket) {
    load({
        "....",
        "....",
        "....",
    });
    Market& market = map.market();
    ASSERT_EQ(market.createReach(1), kOk);
    ASSERT_EQ(market.openShop(1, 0, 0, 100, 0, 6), kOk);

    ASSERT_EQ(map.showPreference(1), kOk);
    // Preference 1 near the new shop: the weakest step of firm 1.
    EXPECT_EQ(map.layers().chip(3, 2, 1), test::overlayCode(90104));
    // Firm 2 has no reach: nothing drawn.
    ASSERT_EQ(map.showPreference(2), kOk);
    EXPECT_EQ(map.layers().chip(0, 0, 1), -1);
    EXPECT_EQ(map.showPreference(4), kRefused);
    EXPECT_EQ(map.showPreference(-1), kRefused);

    map.showCatchment();
    // No draw yet: nobody dominates.
    EXPECT_EQ(map.layers().chip(0, 0, 1), -1);
    market.monthlyUpdate();
    map.showCatchment();
    EXPECT_EQ(map.layers().chip(0, 0, 1), test::overlayCode(90100));
    EXPECT_FALSE(map.normalView());
}

TEST_F(TownMapTest, PreferenceAboveSixtyBeforeTheMonthlyClampShowsTheTopStep) {
    // Roads of cost 1: 64 tiles of a 10 x 10 map lie within walking distance 10 of (0, 0).
    load(std::vector<std::string>(10, "=========="));
    Market& market = map.market();
    ASSERT_EQ(market.createReach(3), kOk);
    int opened = 0;
    for (int y = 0; y < 10 && opened < 61; ++y) {
        for (int x = 0; x + y <= 10 && x < 10 && opened < 61; ++x) {
            ASSERT_EQ(market.openShop(3, x, y, 100, opened, 6), kOk);
            ++opened;
        }
    }
    ASSERT_EQ(market.preference(3, 0, 0), 61);
    ASSERT_EQ(map.showPreference(3), kOk);
    EXPECT_EQ(map.layers().chip(0, 0, 1), test::overlayCode(90300));
}

TEST_F(TownMapTest, LoadedMapTakesWalkingCostsFromTheRouteChunk) {
    MapDescription description = describeRows({
        "=h#.",
        "....",
        "....",
    });
    description.buildingIds[3] = 99999;  // unknown: keeps the default building
    description.moveCosts[5] = 7;        // differs from the house/grass cost of the table
    MapChunk root;
    ASSERT_EQ(buildMapChunk(description, root), kOk);
    ASSERT_EQ(map.loadMap(root), kOk);

    EXPECT_EQ(map.buildingId(0, 0), kRoad);
    EXPECT_EQ(map.buildingId(1, 0), kHouse);
    EXPECT_EQ(map.layers().chip(1, 0, 0), 2);
    EXPECT_EQ(map.buildingId(3, 0), kGrass);
    EXPECT_EQ(map.routeGraph().cost(1, 1), 7);
    EXPECT_EQ(map.routeGraph().cost(2, 0), -1);
    ASSERT_NE(map.routeGraph().field(0, 0), nullptr);
    EXPECT_EQ(map.routeGraph().field(2, 0), nullptr);
    EXPECT_EQ(map.routeGraph().field(0, 0)->distanceAt(1, 1), 2 + 7);
    EXPECT_TRUE(map.normalView());
}

TEST_F(TownMapTest, WalledInTileHasAFieldThatReachesNothingElse) {
    load({
        ".#..",
        "#h#.",
        ".#..",
    });
    const DistanceField* inside = map.routeGraph().field(1, 1);
    ASSERT_NE(inside, nullptr);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(inside->distanceAt(x, y), x == 1 && y == 1 ? 0 : -1);
        }
    }
    // A shop there would serve only its own tile.
    ASSERT_EQ(map.market().createReach(0), kOk);
    ASSERT_EQ(map.market().openShop(0, 1, 1, 100, 0, 6), kOk);
    EXPECT_EQ(map.market().servingShop(0, 3, 1), -1);
    // A wall has no field: no shop can open on it.
    EXPECT_EQ(map.market().openShop(0, 1, 0, 100, 1, 6), kRefused);
}

TEST_F(TownMapTest, ReachChunksInTheMapAreLoadedIntoTheirSlots) {
    load({"....", "...."});
    ASSERT_EQ(map.market().createReach(2), kOk);
    ASSERT_EQ(map.market().openShop(2, 1, 1, 100, 3, 6), kOk);
    MapChunk reach;
    ASSERT_EQ(map.market().saveReach(2, reach), kOk);

    MapChunk root;
    ASSERT_EQ(buildMapChunk(describeMap(map), root), kOk);
    MapChunk* marketChunk = root.child(0);
    marketChunk->data()[16 + 2] = 1;
    marketChunk->addChild(reach);

    TownMap loaded;
    ASSERT_EQ(loaded.init(1, 1, buildings.path()), kOk);
    ASSERT_EQ(loaded.loadMap(root), kOk);
    EXPECT_FALSE(loaded.market().hasReach(0));
    ASSERT_TRUE(loaded.market().hasReach(2));
    EXPECT_EQ(loaded.market().shopAt(2, 1, 1), 3);
    EXPECT_EQ(loaded.market().preference(2, 0, 0), 1);
    // The loaded reach walks on the loaded graph.
    EXPECT_EQ(&loaded.market().graph(), &loaded.routeGraph());
}

// Each case damages a valid root chunk; the previous map must survive every refusal.
TEST_F(TownMapTest, RefusedMapsLeaveThePreviousMapUsable) {
    load({"h=", "#."});
    MapChunk good;
    ASSERT_EQ(buildMapChunk(describeRows({"...", "...", "..."}), good), kOk);

    struct Case {
        const char* name;
        void (*damage)(MapChunk& root);
    };
    const Case cases[] = {
        {"no market chunk", [](MapChunk& root) { root = MapChunk(root.data()); }},
        {"root data cut in the header", [](MapChunk& root) { root.data().resize(258); }},
        {"root data one tile short", [](MapChunk& root) { root.data().resize(264 + 4 * 8); }},
        {"width zero", [](MapChunk& root) { (void)root.writeInt32At(256, 0); }},
        {"negative height", [](MapChunk& root) { (void)root.writeInt32At(260, -3); }},
        {"size whose product overflows",
         [](MapChunk& root) {
             (void)root.writeInt32At(256, 65536);
             (void)root.writeInt32At(260, 65536);
         }},
        {"market version 9999", [](MapChunk& root) { (void)root.child(0)->writeInt32At(0, 9999); }},
        {"market width differs", [](MapChunk& root) { (void)root.child(0)->writeInt32At(4, 4); }},
        {"slot count too large", [](MapChunk& root) { (void)root.child(0)->writeInt32At(12, 5); }},
        {"slot flags cut off", [](MapChunk& root) { root.child(0)->data().resize(18); }},
        {"no route chunk",
         [](MapChunk& root) { *root.child(0) = MapChunk(root.child(0)->data()); }},
        {"route chunk short",
         [](MapChunk& root) { root.child(0)->child(0)->data().resize(8 + 8); }},
        {"route chunk of another size",
         [](MapChunk& root) { (void)root.child(0)->child(0)->writeInt32At(0, 2); }},
        {"flagged reach missing", [](MapChunk& root) { root.child(0)->data()[16] = 1; }},
        {"flagged reach too short",
         [](MapChunk& root) {
             root.child(0)->data()[17] = 1;
             MapChunk reach;
             reach.appendInt32(10000);
             reach.appendInt32(3);
             reach.appendInt32(3);
             reach.appendInt32(1);
             root.child(0)->addChild(std::move(reach));
         }},
    };
    for (const Case& c : cases) {
        MapChunk root = good;
        c.damage(root);
        EXPECT_EQ(map.loadMap(root), kRefused) << c.name;
        EXPECT_EQ(map.width(), 2) << c.name;
        EXPECT_EQ(map.buildingId(0, 0), kHouse) << c.name;
        EXPECT_EQ(map.layers().chip(0, 0, 3), 256 + 20) << c.name;
        EXPECT_EQ(map.routeGraph().cost(1, 0), 1) << c.name;
        ASSERT_NE(map.routeGraph().field(1, 1), nullptr) << c.name;
        EXPECT_EQ(map.routeGraph().field(1, 1)->distanceAt(0, 0), 1 + 2) << c.name;
        EXPECT_EQ(&map.market().graph(), &map.routeGraph()) << c.name;
    }
    // The undamaged tree still loads afterwards.
    EXPECT_EQ(map.loadMap(good), kOk);
    EXPECT_EQ(map.width(), 3);
}

}  // namespace
}  // namespace vellmora
