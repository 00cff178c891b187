// A complete, tiny data folder for tests that run whole games: base list, rate, price, AI and
// building files, the account data and one small map, all written into a TempDir.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "data/account_container.h"
#include "data/map_chunk.h"
#include "game/account_chart.h"
#include "game/money.h"
#include "support/rate_fixture.h"
#include "support/temp_dir.h"

namespace vellmora::test {

// Tile kinds of the fixture's building data.
inline constexpr int kGround = 10000;  // buildable, walkable, customers and rent
inline constexpr int kRoad = 10001;    // walkable (cost 1), no shop
inline constexpr int kWall = 10002;    // neither walkable nor buildable
// Buildable by its building but walled in by the route chunk: no distance field.
inline constexpr int kEnclosed = 10003;

struct GameFixtureOptions {
    int width = 10;
    int height = 8;
    // Building id per tile, row by row; empty: ground everywhere with a road along row 0.
    std::vector<int> tiles;
    int groundCustomers = 10;
    int groundRent = 20;
    std::int32_t mapVersion = 10000;
    std::string mapName = "town";

    // Founding capital by difficulty 0 to 4 (computer companies play difficulty 2).
    std::array<Money, 5> capital = {50000, 60000, 80000, 90000, 100000};
    std::array<Money, 3> buildCost = {2000, 4000, 8000};
    Money closeCost = 300;
    Money researchCost = 0;  // "[expense]" row 3, per unit of the research multiplier
    Money loanUnit = 10000;
    Money changeCost = 500;  // per open shop

    // Monthly accident chance per shop by difficulty (same for every budget level).
    std::array<double, 5> poisoning = {0, 0, 0, 0, 0};
    std::array<double, 5> overwork = {0, 0, 0, 0, 0};

    // Computer players: shop size and the months of losses before a shop is closed.
    int aiShopSize = 0;
    int aiCloseTerm = 6;
};

inline std::string csvRow(const std::string& label, const std::vector<std::string>& cells) {
    std::string line = label;
    for (const std::string& cell : cells) {
        line += "," + cell;
    }
    return line;
}

// A price row in the finance's column order from (account code, value) pairs.
inline std::string priceRow(const std::string& label, const std::map<int, Money>& values) {
    static constexpr std::array<int, 18> kCodes = {1101, 1151, 2101, 3101, 3102, 4101,
                                                   5101, 5102, 5103, 5201, 5301, 5302,
                                                   5303, 5151, 5501, 5502, 5599, 9101};
    std::vector<std::string> cells;
    for (int code : kCodes) {
        auto found = values.find(code);
        cells.push_back(std::to_string(found == values.end() ? 0 : found->second));
    }
    return csvRow(label, cells);
}

inline std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

inline std::string fixtureRateFile(const GameFixtureOptions& o) {
    std::vector<std::string> lines = rateFileLines();
    auto replaceSection = [&lines](const std::string& tag, const std::array<double, 5>& chance) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] == tag) {
                for (int d = 0; d < 5; ++d) {
                    const std::string c = std::to_string(chance[static_cast<std::size_t>(d)]);
                    lines[i + 1 + static_cast<std::size_t>(d)] = csvRow("d", {c, c, c, c, c});
                }
            }
        }
    };
    replaceSection("[poisoning_incirate]", o.poisoning);
    replaceSection("[suitcomp_incirate]", o.overwork);
    return joinLines(lines);
}

inline std::string fixturePriceFile(const GameFixtureOptions& o) {
    std::vector<std::string> l = {"quillmarch_price,10000", "[buildshop]"};
    for (Money cost : o.buildCost) {
        l.push_back(priceRow("b", {{1101, -cost}, {1151, cost}}));
    }
    l.push_back("[removeshop]");
    for (int z = 0; z < 3; ++z) {
        l.push_back(priceRow("r", {{1101, -o.closeCost}, {5501, o.closeCost}}));
    }
    l.push_back("[salse]");
    for (Money price : {14, 12, 10, 8, 6}) {
        l.push_back(priceRow("s", {{1101, price}, {4101, -price}}));
    }
    l.push_back("[expense]");
    l.push_back(priceRow("ingredients", {{1101, -3}, {5101, 3}}));
    l.push_back(priceRow("labour", {{1101, -3}, {5102, 3}}));
    l.push_back(priceRow("training", {{1101, -1}, {5103, 1}}));
    l.push_back(priceRow("research", {{1101, -o.researchCost}, {5303, o.researchCost}}));
    l.push_back(priceRow("rent", {{1101, -1}, {5302, 1}}));
    l.push_back(priceRow("admin", {{1101, -100}, {5151, 100}}));
    l.push_back("[settlement]");
    for (Money amount : {1000, 5000, 2000, 8000}) {
        l.push_back(priceRow("c", {{1101, -amount}, {5502, amount}}));
    }
    l.push_back("[changesystem]");
    l.push_back(priceRow("c", {{1101, -o.changeCost}, {5599, o.changeCost}}));
    l.push_back("[establish]");
    for (Money capital : o.capital) {
        l.push_back(priceRow("e", {{1101, capital}, {3101, -capital}}));
    }
    l.push_back("[borrowing]");
    l.push_back(priceRow("borrow", {{1101, o.loanUnit}, {2101, -o.loanUnit}}));
    l.push_back(priceRow("repay", {{1101, -o.loanUnit}, {2101, o.loanUnit}}));
    l.push_back("[interest]");
    l.push_back(priceRow("received", {{1101, 1}, {5201, -1}}));
    l.push_back(priceRow("paid", {{1101, -1}, {5301, 1}}));
    l.push_back("deposit,0.0");
    for (int r = 0; r < 10; ++r) {
        l.push_back("rate," + std::to_string(0.02 + 0.01 * r));
    }
    l.push_back("[rating]");
    for (int d = 0; d < 5; ++d) {
        l.push_back("factor,1.0");
    }
    return joinLines(l);
}

inline std::string fixtureAiFile(const GameFixtureOptions& o) {
    const std::string size = std::to_string(o.aiShopSize);
    const std::string term = std::to_string(o.aiCloseTerm);
    std::vector<std::string> l = {"quillmarch_ai,10000", "[pop_coefficient]"};
    for (int r = 0; r < 5; ++r) {
        l.push_back("p,1.0,1.0,1.0");
    }
    l.insert(l.end(), {"[onstreet]",
                       "o,0,0,0",
                       "[landprice_coefficient]",
                       "l,0.5,0.5,0.5",
                       "[randa_profit_rate]",
                       "r,0.1,0.1,0.1",
                       "[shopsize]",
                       csvRow("s", {size, size, size}),
                       "[closeterm]",
                       csvRow("c", {term, term, term}),
                       "[system]",
                       "s,0,0,0",
                       "[budget]",
                       "price,2,2,2",
                       "ingredients,2,2,2",
                       "labour,2,2,2",
                       "training,2,2,2",
                       "[name]",
                       "c1,Blue Co",
                       "p1,Blue Boss",
                       "c2,Green Co",
                       "p2,Green Boss",
                       "c3,Yellow Co",
                       "p3,Yellow Boss"});
    return joinLines(l);
}

inline std::string fixtureBuildingFile(const GameFixtureOptions& o) {
    // id, name, buildable, customers, move cost, rent, chip column, chip row, attribute,
    // layer, underlay, chip page
    auto def = [](int id, const std::string& name, int buildable, int customers, int cost, int rent,
                  int layer) {
        return csvRow(
            std::to_string(id),
            {name, std::to_string(buildable), std::to_string(customers), std::to_string(cost),
             std::to_string(rent), "1", "2", "0", std::to_string(layer), "0", "0"});
    };
    std::vector<std::string> l = {"blddata,0,0,0"};
    l.push_back(def(kGround, "ground", 1, o.groundCustomers, 2, o.groundRent, 3));
    l.push_back(def(kRoad, "road", 0, 0, 1, 0, 3));
    l.push_back(def(kWall, "wall", 0, 0, -1, 0, 3));
    l.push_back(def(kEnclosed, "yard", 1, o.groundCustomers, -1, o.groundRent, 3));
    for (int id : {90000, 90001, 90002, 90003, 90004, 90100, 90204, 90304}) {
        l.push_back(def(id, "overlay", 0, 0, 0, 0, 1));
    }
    for (int firm = 0; firm < 4; ++firm) {
        for (int size = 0; size < 3; ++size) {
            l.push_back(def(80000 + 100 * firm + size, "shop", 0, 0, 0, 0, 6 - firm));
        }
    }
    return joinLines(l);
}

inline std::string fixtureAccountData() {
    const std::vector<AccountTitle> chart = {
        {1101, 1, 101, "cash", 0},          {1151, 1, 151, "fixtures", 0},
        {2101, 2, 201, "loans", 0},         {3101, 3, 251, "capital", 0},
        {3102, 3, 261, "retained", 0},      {4101, 4, 401, "sales", 0},
        {5201, 4, 420, "interest in", 0},   {5101, 5, 501, "ingredients", 0},
        {5102, 5, 501, "labour", 0},        {5103, 5, 510, "training", 0},
        {5151, 5, 510, "admin", 0},         {5301, 5, 530, "interest out", 0},
        {5302, 5, 510, "rent", 0},          {5303, 5, 510, "research", 0},
        {5501, 5, 550, "closing", 0},       {5502, 5, 550, "compensation", 0},
        {5599, 5, 550, "system change", 0}, {9101, 5, 999, "result", 0},
    };
    constexpr std::uint32_t kTitle = 64;
    return buildAccountContainer(
        {{"ahd", AccountChart::encodeHeader(static_cast<std::uint32_t>(chart.size()), kTitle)},
         {"acc", AccountChart::encodeRecords(chart, kTitle)}});
}

// Tile ids of the default map: ground with a road along the top row.
inline std::vector<int> defaultTiles(int width, int height) {
    std::vector<int> tiles(static_cast<std::size_t>(width * height), kGround);
    for (int x = 0; x < width; ++x) {
        tiles[static_cast<std::size_t>(x)] = kRoad;
    }
    return tiles;
}

inline int moveCostOf(int id) {
    switch (id) {
        case kRoad:
            return 1;
        case kWall:
        case kEnclosed:
            return -1;
        default:
            return 2;
    }
}

// The bytes of a map file: 256-byte header (version at 68, root length at 72), then the root
// chunk with its market chunk and route chunk (four firm slots, no reach stored).
inline std::string fixtureMapFile(const GameFixtureOptions& o) {
    const std::vector<int> tiles = o.tiles.empty() ? defaultTiles(o.width, o.height) : o.tiles;
    MapChunk root;
    root.appendZeros(256);
    root.appendInt32(o.width);
    root.appendInt32(o.height);
    for (int id : tiles) {
        root.appendInt32(id);
    }
    MapChunk market;
    for (std::int32_t value : {10000, o.width, o.height, 4}) {
        market.appendInt32(value);
    }
    market.appendZeros(4);
    MapChunk route;
    route.appendInt32(o.width);
    route.appendInt32(o.height);
    for (int id : tiles) {
        route.appendInt8(static_cast<std::int8_t>(moveCostOf(id)));
    }
    market.addChild(std::move(route));
    root.addChild(std::move(market));
    std::vector<std::uint8_t> body;
    if (root.serialize(body) != 0) {
        return std::string();
    }
    std::vector<std::uint8_t> header(256, 0);
    writeLe32(header.data() + 68, static_cast<std::uint32_t>(o.mapVersion));
    writeLe32(header.data() + 72, static_cast<std::uint32_t>(body.size()));
    std::string bytes(header.begin(), header.end());
    bytes.append(body.begin(), body.end());
    return bytes;
}

// Writes the whole data folder.
class GameFixture {
public:
    explicit GameFixture(const GameFixtureOptions& options = {}) : options_(options) {
        dir_.write("zdt/base.zdt",
                   "[data]\r\nrate=rate.txt\r\nprice=price.txt\r\nblddata=bld.txt\r\nai=ai.txt"
                   "\r\n\r\n");
        dir_.write("zdt/rate.txt", fixtureRateFile(options));
        dir_.write("zdt/price.txt", fixturePriceFile(options));
        dir_.write("zdt/ai.txt", fixtureAiFile(options));
        dir_.write("zdt/bld.txt", fixtureBuildingFile(options));
        dir_.write("acc.dat", fixtureAccountData());
        mapPath_ = dir_.write("map/" + options.mapName + ".zmf", fixtureMapFile(options));
    }

    std::string folder() const { return dir_.path().string() + "/"; }
    const std::string& mapPath() const { return mapPath_; }
    std::string scoreFile() const { return dir_.file("zrf/" + options_.mapName + ".zrf"); }
    const TempDir& dir() const { return dir_; }
    const GameFixtureOptions& options() const { return options_; }

private:
    GameFixtureOptions options_;
    TempDir dir_;
    std::string mapPath_;
};

}  // namespace vellmora::test
