#include "game/market.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "data/map_chunk.h"
#include "data/result_codes.h"
#include "market_fixture.h"

namespace vellmora {
namespace {

using test::makeGraph;

std::vector<int> row(const Market& market, int firm, int (Market::*query)(int, int, int) const,
                     int y = 0) {
    std::vector<int> values;
    for (int x = 0; x < market.width(); ++x) {
        values.push_back((market.*query)(firm, x, y));
    }
    return values;
}

TEST(MarketTest, AttractionFallsToHalfAtRangeAndZeroAtFourThirds) {
    struct Case {
        int base, range, d, expected;
    };
    const Case cases[] = {
        {1000, 6, -1, -1},
        {1000, 6, 0, 1000},
        {1000, 6, 1, 911},
        {1000, 6, 6, 500},
        {1000, 6, 8, 0},
        {1000, 6, 9, -414},
        {1000, 0, 3, 0},           // no range: nothing beyond
                                   // the shop's own tile
        {1000, 1, 5000, INT_MIN},  // held at the 32-bit end instead of overflowing
        {0, 1, 5000, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Market::attractionOf(c.base, c.range, c.d), c.expected)
            << "base " << c.base << " range " << c.range << " d " << c.d;
    }
}

TEST(MarketTest, OpeningAssignsTilesWithinRangeAndRaisesPreferenceWithinTen) {
    auto graph = makeGraph({"1111111111111"});
    Market market(*graph);
    ASSERT_EQ(market.createReach(1), kOk);
    EXPECT_EQ(market.createReach(1), kRefused);
    EXPECT_EQ(market.createReach(4), kRefused);

    ASSERT_EQ(market.openShop(1, 0, 0, 1000, 3, 6), kOk);
    EXPECT_EQ(row(market, 1, &Market::distance),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(row(market, 1, &Market::servingShop),
              (std::vector<int>{3, 3, 3, 3, 3, 3, 3, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(market.attraction(1, 6, 0), 500);
    EXPECT_EQ(market.attraction(1, 7, 0), 0);
    EXPECT_EQ(row(market, 1, &Market::preference),
              (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0}));
    EXPECT_EQ(row(market, 1, &Market::nearbyShops),
              (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1}));
    EXPECT_EQ(market.boostedAttraction(1, 0, 0), 1010);
    EXPECT_EQ(market.shopAt(1, 0, 0), 3);
    EXPECT_EQ(market.shopAt(1, 1, 0), -1);
    EXPECT_TRUE(market.hasShopAt(1, 0, 0));
    // Other slots and off-map tiles answer -1.
    EXPECT_EQ(market.preference(0, 0, 0), -1);
    EXPECT_EQ(market.draw(1, 13, 0), -1);
    EXPECT_EQ(market.boostedAttraction(1, 0, -1), -1);
}

TEST(MarketTest, EqualDistanceGoesToTheLowerShopNumberWhicheverOpenedFirst) {
    auto graph = makeGraph({"111111111"});
    for (bool lowerFirst : {true, false}) {
        Market market(*graph);
        ASSERT_EQ(market.createReach(0), kOk);
        if (lowerFirst) {
            ASSERT_EQ(market.openShop(0, 0, 0, 100, 4, 4), kOk);
            ASSERT_EQ(market.openShop(0, 8, 0, 200, 9, 4), kOk);
        } else {
            ASSERT_EQ(market.openShop(0, 8, 0, 200, 9, 4), kOk);
            ASSERT_EQ(market.openShop(0, 0, 0, 100, 4, 4), kOk);
        }
        EXPECT_EQ(row(market, 0, &Market::servingShop),
                  (std::vector<int>{4, 4, 4, 4, 4, 9, 9, 9, 9}))
            << "lower first " << lowerFirst;
        // Each tile's pull comes from the shop that serves it.
        EXPECT_EQ(market.attraction(0, 4, 0), 100 / 2);
        EXPECT_EQ(market.attraction(0, 5, 0), Market::attractionOf(200, 4, 3));
    }
}

TEST(MarketTest, RefusalsChangeNothing) {
    auto graph = makeGraph({"11#11"});
    Market market(*graph);
    ASSERT_EQ(market.createReach(2), kOk);
    ASSERT_EQ(market.openShop(2, 0, 0, 100, 0, 4), kOk);
    const std::vector<int> served = row(market, 2, &Market::servingShop);
    const std::vector<int> preference = row(market, 2, &Market::preference);

    EXPECT_EQ(market.openShop(2, 0, 0, 100, 1, 4), kRefused);  // tile taken
    EXPECT_EQ(market.openShop(2, 0, 0, 100, 0, 4), kRefused);  // the same shop again
    EXPECT_EQ(market.openShop(2, 2, 0, 100, 1, 4), kRefused);  // walled tile, no field
    EXPECT_EQ(market.openShop(2, 5, 0, 100, 1, 4), kRefused);  // off the map
    EXPECT_EQ(market.openShop(1, 3, 0, 100, 1, 4), kRefused);  // empty slot
    EXPECT_EQ(market.openShop(2, 3, 0, 100, -1, 4), kRefused);
    EXPECT_EQ(market.refreshShop(2, 1, 0, 100, 4), kRefused);  // no shop here
    EXPECT_EQ(market.refreshShop(3, 0, 0, 100, 4), kRefused);
    EXPECT_EQ(market.closeShopAt(2, 1, 0), kRefused);
    EXPECT_EQ(market.closeShopAt(2, -1, 0), kRefused);

    EXPECT_EQ(row(market, 2, &Market::servingShop), served);
    EXPECT_EQ(row(market, 2, &Market::preference), preference);
    EXPECT_EQ(market.attraction(2, 0, 0), 100);
}

TEST(MarketTest, RefreshChangesThePullAndClaimsTilesFreedByAClose) {
    auto graph = makeGraph({"1111111111111"});
    Market market(*graph);
    ASSERT_EQ(market.createReach(0), kOk);
    ASSERT_EQ(market.openShop(0, 0, 0, 100, 0, 12), kOk);
    ASSERT_EQ(market.openShop(0, 4, 0, 100, 1, 3), kOk);
    EXPECT_EQ(market.servingShop(0, 3, 0), 1);
    EXPECT_EQ(market.preference(0, 0, 0), 2);

    // Refreshing re-places with the new base but adds no preference.
    ASSERT_EQ(market.refreshShop(0, 4, 0, 800, 3), kOk);
    EXPECT_EQ(market.attraction(0, 4, 0), 800);
    EXPECT_EQ(market.attraction(0, 7, 0), 400);
    EXPECT_EQ(market.preference(0, 0, 0), 2);

    ASSERT_EQ(market.closeShopAt(0, 4, 0), kOk);
    EXPECT_EQ(market.shopAt(0, 4, 0), -1);
    EXPECT_EQ(row(market, 0, &Market::servingShop),
              (std::vector<int>{0, 0, 0, -1, -1, -1, -1, -1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(market.attraction(0, 5, 0), 0);
    EXPECT_EQ(market.preference(0, 12, 0), 0);  // only the closed shop was within 10
    EXPECT_EQ(market.preference(0, 0, 0), 1);
    EXPECT_EQ(market.nearbyShops(0, 0, 0), 0);

    ASSERT_EQ(market.refreshShop(0, 0, 0, 100, 12), kOk);
    EXPECT_EQ(market.servingShop(0, 5, 0), 0);
    EXPECT_EQ(market.distance(0, 5, 0), 5);
    EXPECT_EQ(market.attraction(0, 5, 0), Market::attractionOf(100, 12, 5));

    // Closing can take preference below 0; the month's update clamps it back.
    market.mutableReach(0)->preference.assign(13, 0);
    ASSERT_EQ(market.closeShopAt(0, 0, 0), kOk);
    EXPECT_EQ(market.closeShopAt(0, 0, 0), kRefused);
    EXPECT_EQ(market.preference(0, 10, 0), -1);
    EXPECT_EQ(market.nearbyShops(0, 10, 0), -1);
    market.monthlyUpdate();
    EXPECT_EQ(market.preference(0, 10, 0), 0);
}

TEST(MarketTest, DistancesFollowTheCostOfTheTileEntered) {
    // From the left tile the shop pays 3 to enter the middle; walls bound the reach.
    auto graph = makeGraph({"131#1"});
    Market market(*graph);
    ASSERT_EQ(market.createReach(0), kOk);
    ASSERT_EQ(market.openShop(0, 0, 0, 100, 0, 6), kOk);
    EXPECT_EQ(row(market, 0, &Market::distance), (std::vector<int>{0, 3, 4, -1, -1}));
    EXPECT_EQ(market.preference(0, 4, 0), 0);
}

TEST(MarketTest, ATileReachedAtNoCostIsNotTakenForAShopsOwnTile) {
    // Entering the middle tile costs nothing, so it lies at walking distance 0 from its
    // neighbours. Distance 0 marks where a shop stands: only a shop's own tile may read it.
    auto graph = makeGraph({"1011"});
    Market market(*graph);
    ASSERT_EQ(market.createReach(0), kOk);
    ASSERT_EQ(market.openShop(0, 1, 0, 100, 1, 3), kOk);
    ASSERT_EQ(market.openShop(0, 0, 0, 100, 0, 3), kOk);
    // Shop 1 keeps its own tile although shop 0 reaches it at no cost and has the lower number.
    EXPECT_EQ(market.shopAt(0, 1, 0), 1);
    EXPECT_EQ(row(market, 0, &Market::distance), (std::vector<int>{0, 0, 1, 2}));
    EXPECT_EQ(row(market, 0, &Market::servingShop), (std::vector<int>{0, 1, 0, 0}));

    // A shop beside a free zero-cost tile: that tile counts as one step away, not as a shop.
    Market other(*graph);
    ASSERT_EQ(other.createReach(0), kOk);
    ASSERT_EQ(other.openShop(0, 0, 0, 160, 0, 3), kOk);
    EXPECT_EQ(row(other, 0, &Market::distance), (std::vector<int>{0, 1, 1, 2}));
    EXPECT_FALSE(other.hasShopAt(0, 1, 0));
    EXPECT_EQ(other.attraction(0, 1, 0), Market::attractionOf(160, 3, 1));
    EXPECT_EQ(other.openShop(0, 1, 0, 100, 1, 3), kOk);
    // Closing the new shop frees its own tile only; shop 0 keeps the tiles it won on ties.
    ASSERT_EQ(other.closeShopAt(0, 1, 0), kOk);
    EXPECT_EQ(row(other, 0, &Market::servingShop), (std::vector<int>{0, -1, 0, 0}));
    EXPECT_TRUE(other.hasShopAt(0, 0, 0));
}

TEST(MarketTest, ReachChunkRoundTrips) {
    auto graph = makeGraph({"11111", "11111"});
    Market market(*graph);
    ASSERT_EQ(market.createReach(3), kOk);
    ASSERT_EQ(market.openShop(3, 1, 1, 640, 2, 3), kOk);
    market.monthlyUpdate();
    MapChunk chunk;
    ASSERT_EQ(market.saveReach(3, chunk), kOk);
    EXPECT_EQ(chunk.data().size(), 16u + 20u * 10u);
    EXPECT_EQ(market.saveReach(0, chunk), kRefused);

    Market loaded(*graph);
    ASSERT_EQ(loaded.loadReach(3, chunk), kOk);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(row(loaded, 3, &Market::distance, y), row(market, 3, &Market::distance, y));
        EXPECT_EQ(row(loaded, 3, &Market::servingShop, y), row(market, 3, &Market::servingShop, y));
        EXPECT_EQ(row(loaded, 3, &Market::preference, y), row(market, 3, &Market::preference, y));
        EXPECT_EQ(row(loaded, 3, &Market::attraction, y), row(market, 3, &Market::attraction, y));
        EXPECT_EQ(row(loaded, 3, &Market::draw, y), row(market, 3, &Market::draw, y));
        EXPECT_EQ(row(loaded, 3, &Market::nearbyShops, y), std::vector<int>(5, -1));
    }
    EXPECT_GT(loaded.draw(3, 1, 1), 0);
}

TEST(MarketTest, BadReachChunksLeaveTheReachEmpty) {
    auto graph = makeGraph({"111", "111"});
    Market source(*graph);
    ASSERT_EQ(source.createReach(0), kOk);
    ASSERT_EQ(source.openShop(0, 0, 0, 100, 0, 3), kOk);
    MapChunk good;
    ASSERT_EQ(source.saveReach(0, good), kOk);

    struct Case {
        const char* name;
        std::size_t at;  // int32 to overwrite, or npos
        std::int32_t value;
        std::size_t keep;  // bytes of data kept
        int firm;
        int expected;
    };
    const std::size_t all = good.data().size();
    const std::size_t none = static_cast<std::size_t>(-1);
    const Case cases[] = {
        {"old version", 0, 9999, all, 0, kOk}, {"wider", 4, 4, all, 0, kRefused},
        {"taller", 8, 1, all, 0, kRefused},    {"cut short", none, 0, all - 1, 0, kRefused},
        {"no head", none, 0, 3, 0, kRefused},  {"slot out of range", none, 0, all, 4, kRefused},
    };
    for (const Case& c : cases) {
        MapChunk chunk(std::vector<std::uint8_t>(
            good.data().begin(), good.data().begin() + static_cast<std::ptrdiff_t>(c.keep)));
        if (c.at != none) {
            ASSERT_TRUE(chunk.writeInt32At(c.at, c.value));
        }
        Market market(*graph);
        EXPECT_EQ(market.loadReach(c.firm, chunk), c.expected) << c.name;
        if (c.firm < market.slotCount()) {
            EXPECT_TRUE(market.hasReach(c.firm)) << c.name;
            EXPECT_EQ(market.servingShop(c.firm, 0, 0), -1) << c.name;
            EXPECT_EQ(market.preference(c.firm, 1, 0), 0) << c.name;
        }
    }
}

}  // namespace
}  // namespace vellmora
