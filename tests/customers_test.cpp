#include "game/customer_allocation.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "data/result_codes.h"
#include "game/market.h"
#include "game/shop_list.h"
#include "market_fixture.h"

namespace vellmora {
namespace {

using test::makeGraph;

ShopTables tablesWithRange(int range) {
    ShopTables tables;
    for (auto& size : tables.sizes) {
        size.range = range;
    }
    return tables;
}

// A firm's shops on the market, built the way a firm builds them.
struct FirmShops {
    FirmShops(Market& market, int firm, int range) : market(market), shops(firm) {
        shops.setTables(tablesWithRange(range));
        EXPECT_EQ(market.createReach(firm), kOk);
    }
    int build(int x, int y) {
        const int n = shops.create(x, y, 0, 0);
        EXPECT_EQ(market.openShop(shops.firm(), x, y, 0, n, shops.range(n)), kOk);
        return n;
    }
    void close(int n) {
        EXPECT_EQ(market.closeShopAt(shops.firm(), shops.x(n), shops.y(n)), kOk);
        EXPECT_EQ(shops.remove(n), kOk);
    }
    Market& market;
    ShopList shops;
};

TEST(CustomersTest, MonthlyUpdateClosesAQuarterOfTheGapAndClampsPreference) {
    struct Case {
        int draw, attraction, preference, nearby;
        int newDraw, newPreference;
    };
    const Case cases[] = {
        {100, 200, 50, 0, 150, 50},  // target 300
        {400, 0, 10, -1, 400, 9},    // above the target: kept
        {0, 100, 0, -1, 25, 0},     {0, 0, 0, -1, 0, 0},
        {10, 10, 60, 3, 11, 60},   // target 16: 16 - 4.5 truncated
        {0, 1000, -3, 2, 242, 0},  // below 0 after a close: target 970
        {0, 1000, 7, 2, 267, 9},
    };
    auto graph = makeGraph({"1"});
    for (const Case& c : cases) {
        Market market(*graph);
        ASSERT_EQ(market.createReach(1), kOk);
        FirmReach& r = *market.mutableReach(1);
        r.draw[0] = c.draw;
        r.attraction[0] = c.attraction;
        r.preference[0] = c.preference;
        r.nearbyShops[0] = c.nearby;
        market.monthlyUpdate();
        EXPECT_EQ(r.draw[0], c.newDraw) << "draw " << c.draw << " attraction " << c.attraction;
        EXPECT_EQ(r.preference[0], c.newPreference) << "preference " << c.preference;
    }
}

TEST(CustomersTest, DominantFirmHasTheGreatestDrawWithTiesToTheLowerSlot) {
    struct Case {
        std::array<int, 4> draws;
        int dominant;
        std::array<double, 4> shares;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, -1, {0, 0, 0, 0}},
        {{5, 5, 0, 0}, 0, {0.5, 0.5, 0, 0}},
        {{0, 7, 7, 6}, 1, {0, 0.35, 0.35, 0.3}},
        {{1, 2, 3, 4}, 3, {0.1, 0.2, 0.3, 0.4}},
    };
    auto graph = makeGraph({"1111"});
    Market market(*graph);
    for (int firm = 0; firm < 4; ++firm) {
        ASSERT_EQ(market.createReach(firm), kOk);
    }
    for (int x = 0; x < 4; ++x) {
        for (int firm = 0; firm < 4; ++firm) {
            market.mutableReach(firm)->draw[static_cast<std::size_t>(x)] =
                cases[x].draws[static_cast<std::size_t>(firm)];
        }
    }
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(market.dominantFirm(x, 0), cases[x].dominant) << "tile " << x;
        const auto shares = market.drawShares(x, 0);
        for (std::size_t f = 0; f < 4; ++f) {
            EXPECT_DOUBLE_EQ(shares[f], cases[x].shares[f]) << "tile " << x << " firm " << f;
        }
    }
    EXPECT_EQ(market.dominantFirm(4, 0), -1);

    // Empty slots are skipped, even in front of the only reach.
    Market sparse(*graph);
    ASSERT_EQ(sparse.createReach(2), kOk);
    sparse.mutableReach(2)->draw[1] = 3;
    EXPECT_EQ(sparse.dominantFirm(0, 0), -1);
    EXPECT_EQ(sparse.dominantFirm(1, 0), 2);
    EXPECT_DOUBLE_EQ(sparse.drawShares(1, 0)[2], 1.0);
}

TEST(CustomersTest, ShopScoreFloorsEachRatingAtFive) {
    ShopList shops(0);
    ShopTables tables;
    tables.sizes[1].ratingPoints = {10, 0, -200};
    shops.setTables(tables);
    const Shop& plain = *shops.shop(shops.create(0, 0, 0, 0));
    const Shop& medium = *shops.shop(shops.create(1, 0, 1, 0));

    EXPECT_EQ(shopScore({1, 2, 3}, plain), 125);
    EXPECT_EQ(shopScore({-50, 0, 4}, plain), 125);
    EXPECT_EQ(shopScore({100, 100, 100}, medium), 110 * 100 * 5);
    EXPECT_EQ(shopRatings({100, 100, 100}, medium), (std::array<int, 3>{110, 100, 5}));
    // A product past 32 bits is held at the top rather than wrapping.
    EXPECT_EQ(shopScore({100000, 100000, 100000}, plain), INT_MAX);
}

TEST(CustomersTest, ATileGoesToTheFirmThatPullsHardestNotTheNearestShop) {
    // Seven tiles of 10 customers; one tile's count is negative and adds nothing.
    auto graph = makeGraph({"1111111"});
    const std::vector<std::int32_t> customers = {10, 10, 10, 10, 10, -5, 10};
    Market market(*graph);
    FirmShops red(market, 0, 6);
    FirmShops blue(market, 1, 6);
    const int redShop = red.build(0, 0);
    const int blueShop = blue.build(6, 0);

    refreshShops(market, red.shops, {100, 100, 100}, customers);
    refreshShops(market, blue.shops, {110, 110, 110}, customers);
    // No draw yet: nobody holds a tile in the first month.
    EXPECT_EQ(red.shops.customers(redShop), 0);
    EXPECT_EQ(blue.shops.customers(blueShop), 0);

    market.monthlyUpdate();
    refreshShops(market, red.shops, {100, 100, 100}, customers);
    refreshShops(market, blue.shops, {110, 110, 110}, customers);
    // Tile 2 is nearer the red shop but blue pulls harder there.
    EXPECT_EQ(market.servingShop(0, 2, 0), redShop);
    EXPECT_EQ(market.dominantFirm(2, 0), 1);
    EXPECT_EQ(red.shops.customers(redShop), 20);
    EXPECT_EQ(blue.shops.customers(blueShop), 40);
    EXPECT_EQ(market.countCustomers(1, blueShop, customers), 40);
    EXPECT_EQ(market.countCustomers(1, blueShop, std::vector<std::int32_t>(6, 10)), kRefused);
    EXPECT_EQ(market.countCustomers(2, 0, customers), kRefused);
}

TEST(CustomersTest, TilesOfAClosedShopCountOnceForTheShopThatEndsUpServingThem) {
    auto graph = makeGraph({"11111111111"});
    const std::vector<std::int32_t> customers(11, 1);
    Market market(*graph);
    FirmShops firm(market, 0, 10);
    const int west = firm.build(0, 0);
    const int east = firm.build(8, 0);
    const int middle = firm.build(5, 0);
    const std::array<int, 3> ratings = {100, 100, 100};
    refreshShops(market, firm.shops, ratings, customers);
    market.monthlyUpdate();
    refreshShops(market, firm.shops, ratings, customers);
    EXPECT_EQ(firm.shops.customers(middle), 4);  // tiles 3 to 6

    firm.close(middle);
    // The west shop claims tiles 3 to 6 first; the east shop then takes 5 and 6, being nearer.
    refreshShops(market, firm.shops, ratings, customers);
    EXPECT_EQ(market.servingShop(0, 4, 0), west);
    EXPECT_EQ(market.servingShop(0, 5, 0), east);
    EXPECT_EQ(firm.shops.customers(west), 5);
    EXPECT_EQ(firm.shops.customers(east), 6);
}

TEST(CustomersTest, SuspendedShopReadsNoCustomers) {
    auto graph = makeGraph({"111"});
    const std::vector<std::int32_t> customers(3, 10);
    Market market(*graph);
    FirmShops firm(market, 0, 2);
    ShopTables tables = tablesWithRange(2);
    tables.accidents[0].duration = 2;
    tables.accidents[0].suspension = 1;
    firm.shops.setTables(tables);
    const int n = firm.build(1, 0);
    refreshShops(market, firm.shops, {100, 100, 100}, customers);
    market.monthlyUpdate();
    ASSERT_EQ(firm.shops.applyAccident(n, 0), kOk);
    refreshShops(market, firm.shops, {100, 100, 100}, customers);
    EXPECT_EQ(firm.shops.customers(n), 0);
    EXPECT_EQ(firm.shops.shop(n)->storedCustomers(), 30);
    firm.shops.monthEnd();
    EXPECT_EQ(firm.shops.customers(n), 30);
}

}  // namespace
}  // namespace vellmora
