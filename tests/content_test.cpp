// The shipped data files, read through the game's own readers from the built program folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "data/account_container.h"
#include "data/base_list.h"
#include "data/building_table.h"
#include "data/clock.h"
#include "data/file_io.h"
#include "data/map_chunk.h"
#include "data/param_file.h"
#include "data/result_codes.h"
#include "game/account_chart.h"
#include "game/ai_params.h"
#include "game/firm.h"
#include "game/game.h"
#include "game/price_table.h"
#include "game/rate_table.h"
#include "game/route_graph.h"
#include "game/town_map.h"
#include "game/turn_flags.h"

namespace vellmora {
namespace {

std::string programDir() {
    const char* dir = std::getenv("VELLMORA_PROGRAM_DIR");
    return dir != nullptr ? dir : "";
}

BaseList baseList() {
    BaseList list;
    EXPECT_EQ(loadBaseList(programDir(), list), kOk) << "program folder: " << programDir();
    return list;
}

// The root chunk of a map file: the chunk tree after the 256-byte file header.
int readRoot(const std::string& path, MapChunk& root) {
    std::string bytes;
    if (readWholeFile(path, 64u << 20, bytes) != kOk || bytes.size() < 256) {
        return kRefused;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    if (readLe32(data + 68) != 10000) {
        return kRefused;
    }
    return MapChunk::parse(std::span<const std::uint8_t>(data + 256, bytes.size() - 256), root);
}

std::vector<std::string> mapFiles() {
    std::vector<std::string> maps;
    const std::filesystem::path folder = std::filesystem::path(programDir()) / "map";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".zmf") {
            maps.push_back(entry.path().string());
        }
    }
    std::sort(maps.begin(), maps.end());
    return maps;
}

TEST(ContentFiles, BaseListNamesFourFilesThatExist) {
    ASSERT_FALSE(programDir().empty()) << "VELLMORA_PROGRAM_DIR is not set";
    const BaseList list = baseList();
    for (const std::string& path : {list.rate, list.price, list.blddata, list.ai}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    }
}

TEST(ContentFiles, RateTablesLoadAndRunTheRightWay) {
    RateTable rates;
    ASSERT_EQ(loadRateTable(baseList().rate, rates), kOk);
    for (int d = 0; d < RateTable::kDifficulties; ++d) {
        for (int l = 1; l < RateTable::kLevels; ++l) {
            // A higher budget level spends more and makes accidents rarer; a column slipped by a
            // missing cell would break one of these.
            EXPECT_GT(rates.budgetRate[d][l], rates.budgetRate[d][l - 1]) << d << "," << l;
            EXPECT_GT(rates.researchBudgetRate[d][l], rates.researchBudgetRate[d][l - 1]);
            EXPECT_LT(rates.poisoningRate[d][l], rates.poisoningRate[d][l - 1]);
            EXPECT_LT(rates.overworkRate[d][l], rates.overworkRate[d][l - 1]);
        }
        if (d > 0) {
            // Difficulty 0 is the hardest: dearer budgets, more accidents, lower ratings.
            EXPECT_LT(rates.budgetRate[d][2], rates.budgetRate[d - 1][2]);
            EXPECT_LE(rates.poisoningRate[d][2], rates.poisoningRate[d - 1][2]);
            EXPECT_GT(rates.difficultyRatingPoints[d][1], rates.difficultyRatingPoints[d - 1][1]);
        }
    }
    EXPECT_DOUBLE_EQ(rates.researchBudgetRate[2][0], 0.0);
    EXPECT_EQ(rates.researchGain[0], 0);
    EXPECT_GT(rates.researchStep, 0);
    EXPECT_GT(rates.changeMonths, 0);
    for (int z = 1; z < RateTable::kSizes; ++z) {
        EXPECT_GT(rates.shopSizes[z].range, rates.shopSizes[z - 1].range);
    }
    EXPECT_GT(rates.shopSizes[0].range, 0);
    for (const AccidentRates& accident : rates.accidents) {
        EXPECT_GT(accident.duration, 0);
    }
}

TEST(ContentFiles, EveryPriceRowIsBalancedAndMovesMoneyTheRightWay) {
    PriceTable prices;
    ASSERT_EQ(prices.load(baseList().price), kOk);
    const std::array groups = {TemplateGroup::BuildShop,
                               TemplateGroup::RemoveShop,
                               TemplateGroup::Sales,
                               TemplateGroup::Expense,
                               TemplateGroup::PoisoningCompensation,
                               TemplateGroup::OverworkCompensation,
                               TemplateGroup::ChangeSystem,
                               TemplateGroup::Establish,
                               TemplateGroup::Borrowing,
                               TemplateGroup::Interest};
    for (TemplateGroup group : groups) {
        for (int r = 0; r < PriceTable::rowCount(group); ++r) {
            const PostingTemplate* row = prices.row(group, r);
            ASSERT_NE(row, nullptr);
            Money sum = 0;
            bool any = false;
            for (Money v : *row) {
                sum += v;
                any = any || v != 0;
            }
            EXPECT_EQ(sum, 0) << "group " << static_cast<int>(group) << " row " << r;
            EXPECT_TRUE(any) << "group " << static_cast<int>(group) << " row " << r;
        }
    }
    auto cash = [&](TemplateGroup group, int r) { return prices.value(group, r, 1101); };
    for (int z = 0; z < 3; ++z) {
        EXPECT_LT(cash(TemplateGroup::BuildShop, z), 0);
        EXPECT_LE(cash(TemplateGroup::RemoveShop, z), 0);
        if (z > 0) {
            EXPECT_LT(cash(TemplateGroup::BuildShop, z), cash(TemplateGroup::BuildShop, z - 1));
        }
    }
    for (int level = 0; level < 5; ++level) {
        EXPECT_GT(cash(TemplateGroup::Sales, level), 0);
        if (level > 0) {
            EXPECT_GT(cash(TemplateGroup::Sales, level), cash(TemplateGroup::Sales, level - 1));
        }
    }
    for (int e = 0; e < 6; ++e) {
        EXPECT_LT(cash(TemplateGroup::Expense, e), 0) << "expense row " << e;
    }
    for (TemplateGroup group :
         {TemplateGroup::PoisoningCompensation, TemplateGroup::OverworkCompensation}) {
        // Row 0 is the smallest compensation and row 1 the largest.
        EXPECT_LT(cash(group, 0), 0);
        EXPECT_LT(cash(group, 1), cash(group, 0));
    }
    for (int d = 0; d < 5; ++d) {
        EXPECT_GT(cash(TemplateGroup::Establish, d), 0);
        EXPECT_GT(prices.ratingFactor(d), 0.0);
        if (d > 0) {
            EXPECT_GT(cash(TemplateGroup::Establish, d), cash(TemplateGroup::Establish, d - 1));
        }
    }
    EXPECT_GT(prices.loanUnit(), 0);
    EXPECT_EQ(prices.repaymentAmount(), prices.loanUnit());
    EXPECT_EQ(cash(TemplateGroup::Interest, 0), 1);
    EXPECT_EQ(cash(TemplateGroup::Interest, 1), -1);
    EXPECT_LT(prices.depositRate(), prices.loanRate(0));
    for (int rating = 1; rating < kLoanRateCount; ++rating) {
        EXPECT_GT(prices.loanRate(rating), prices.loanRate(rating - 1));
    }
}

TEST(ContentFiles, ComputerPlayersHaveEveryParameterAndAName) {
    ParamFile file;
    ASSERT_EQ(file.load(baseList().ai), kOk);
    AiParams params;
    EXPECT_EQ(readAiParams(file, params), kOk);
    for (int phase = 0; phase < AiParams::kPhases; ++phase) {
        EXPECT_GE(params.shopSize[phase], 0);
        EXPECT_LE(params.shopSize[phase], 2);
        EXPECT_GE(params.system[phase], 0);
        EXPECT_LE(params.system[phase], 3);
        EXPECT_GT(params.closeTerm[phase], 0);
        EXPECT_GT(params.landPriceCoefficient[phase], 0.0);
        EXPECT_GT(params.researchProfitRate[phase], 0.0);
        for (const auto& levels : params.budget) {
            EXPECT_GE(levels[phase], 0);
            EXPECT_LE(levels[phase], 4);
        }
    }
    AiNames names;
    EXPECT_EQ(readAiNames(file, names), kOk);
    for (int slot = 1; slot <= 3; ++slot) {
        EXPECT_FALSE(names.company[slot].empty());
        EXPECT_FALSE(names.president[slot].empty());
        // Japanese text in CP932: lead bytes, no UTF-8 left over.
        EXPECT_EQ(names.company[slot].find("\xE3"), std::string::npos);
    }
}

TEST(ContentFiles, BuildingDataDefinesEveryPictureTheGameDrawsByNumber) {
    BuildingTable table;
    ASSERT_EQ(table.load(baseList().blddata), kOk);
    EXPECT_EQ(table.skippedRows(), 0);
    std::vector<std::pair<std::int32_t, int>> required = {{10000, 0}};  // id, layer
    for (int firm = 0; firm < 4; ++firm) {
        for (int size = 0; size < 3; ++size) {
            required.emplace_back(80000 + 100 * firm + size, 6 - firm);
        }
        for (int step = 0; step < 5; ++step) {
            required.emplace_back(90000 + 100 * firm + step, 1);
        }
    }
    for (const auto& [id, layer] : required) {
        const BuildingDef* def = table.find(id);
        ASSERT_NE(def, nullptr) << id;
        EXPECT_EQ(def->layer, layer) << id;
    }
    const BuildingDef* base = table.find(10000);
    EXPECT_NE(base->buildable, 0);
    EXPECT_GE(base->moveCost, 0);

    std::set<std::pair<int, int>> cells;  // (page, chip)
    bool road = false, water = false, bridge = false;
    for (const auto& [id, def] : table.definitions()) {
        EXPECT_TRUE(cells.emplace(def.chipPage, def.chip).second) << id << " shares a cell";
        EXPECT_LT(def.chipPage * 256 + def.chip, 512) << id;
        if (def.chipPage == 0) {
            EXPECT_LT(def.chip, 253) << id << " takes a cursor cell";
        }
        if (def.buildable != 0) {
            EXPECT_GE(def.moveCost, 0) << id << " is buildable but cannot be walked";
        }
        if (def.underlayId != 0) {
            const BuildingDef* under = table.find(def.underlayId);
            ASSERT_NE(under, nullptr) << id;
            EXPECT_EQ(under->layer, 0) << id;
        }
        road = road || (def.name == "\x93\xB9\x98\x48" && def.moveCost == 1);  // "道路"
        water = water || def.moveCost == -1;
        bridge = bridge || (def.name == "\x8B\xB4" && def.moveCost >= 0);  // "橋"
    }
    EXPECT_TRUE(road);
    EXPECT_TRUE(water);
    EXPECT_TRUE(bridge);
}

TEST(ContentFiles, ChartOfAccountsServesTheLedgerAndTheCreditRating) {
    AccountContainer container;
    ASSERT_EQ(container.open(programDir() + "/acc.dat"), kOk);
    const std::unique_ptr<Blob> header = container.blob("ahd");
    const std::unique_ptr<Blob> records = container.blob("acc");
    ASSERT_NE(header, nullptr);
    ASSERT_NE(records, nullptr);
    const std::array<int, 18> codes = {1101, 1151, 2101, 3101, 3102, 4101, 5101, 5102, 5103,
                                       5201, 5301, 5302, 5303, 5151, 5501, 5502, 5599, 9101};
    AccountChart chart;
    ASSERT_EQ(chart.load(*header, *records, codes), kOk);
    EXPECT_EQ(chart.summaryCode(), 9101);
    EXPECT_EQ(chart.retainedEarningsCode(), 3102);
    // The rating sums debt (201), capital (251) and retained earnings (261).
    const std::map<int, std::pair<int, int>> roles = {
        {1101, {kAssetType, 101}},  {2101, {kLiabilityType, 201}}, {3101, {kEquityType, 251}},
        {3102, {kEquityType, 261}}, {4101, {kRevenueType, 401}},   {5201, {kRevenueType, 420}},
        {9101, {kExpenseType, 999}}};
    for (const auto& [code, role] : roles) {
        const AccountTitle* title = chart.find(code);
        ASSERT_NE(title, nullptr) << code;
        EXPECT_EQ(title->type, role.first) << code;
        EXPECT_EQ(title->group, role.second) << code;
    }
    for (const auto& [code, title] : chart.accounts()) {
        EXPECT_FALSE(title.title.empty()) << code;
        if (code != 3102 && code != 9101) {
            EXPECT_NE(title.group, 261) << code;
            EXPECT_NE(title.group, 999) << code;
        }
    }
}

TEST(ContentMaps, EveryTownLoadsWithAReachableSiteOnEveryBuildableTile) {
    const std::vector<std::string> maps = mapFiles();
    ASSERT_GE(maps.size(), 4u);
    std::multiset<std::pair<int, int>> sizes;
    for (const std::string& path : maps) {
        SCOPED_TRACE(path);
        MapChunk root;
        ASSERT_EQ(readRoot(path, root), kOk);
        TownMap map;
        ASSERT_EQ(map.init(20, 15, baseList().blddata), kOk);
        ASSERT_EQ(map.loadMap(root), kOk);
        sizes.emplace(map.width(), map.height());

        // Four firm slots in the market chunk.
        std::int32_t slots = 0;
        ASSERT_NE(root.child(0), nullptr);
        ASSERT_TRUE(root.child(0)->readInt32(12, slots));
        EXPECT_EQ(slots, 4);

        int buildable = 0;
        for (int y = 0; y < map.height(); ++y) {
            for (int x = 0; x < map.width(); ++x) {
                std::int32_t id = 0;
                ASSERT_TRUE(root.readInt32(
                    TownMap::kRootTilesOffset + 4 * static_cast<std::size_t>(y * map.width() + x),
                    id));
                // An id the table lacks would be dropped silently by the loader.
                EXPECT_EQ(map.buildingId(x, y), id) << x << "," << y;
                if (map.buildable(x, y)) {
                    ++buildable;
                    EXPECT_NE(map.routeGraph().field(x, y, Market::kNearbyDistance), nullptr)
                        << x << "," << y;
                }
            }
        }
        EXPECT_GE(buildable, map.width() * map.height() / 12);
    }
    EXPECT_EQ(sizes.count({20, 15}), 1u);
    EXPECT_EQ(sizes.count({32, 24}), 2u);
    EXPECT_EQ(sizes.count({48, 36}), 1u);
    EXPECT_EQ(sizes.count({128, 128}), 1u);
}

TEST(ContentGame, EveryTownStartsAndItsComputerCompaniesOpenShops) {
    const std::string folder = programDir();
    // A fixed clock seeds the generator, so every run plays the same games.
    for (const std::int64_t seed : {1, 2, 3}) {
        const FixedClock clock(seed, LocalDateTime{2026, 1, 1, 0, 0, 0});
        const ScopedClock useClock(clock);
        for (const std::string& path : mapFiles()) {
            SCOPED_TRACE(path + " seed " + std::to_string(seed));
            Game game(folder);
            ASSERT_EQ(game.newGame(folder + "/zdt/base.zdt", folder + "/acc.dat", &path, 2,
                                   "player", "firm", 3),
                      kOk);
            for (int month = 0; month < 3; ++month) {
                const TurnFlagSet flags = game.endTurn();
                EXPECT_EQ(flags & (TurnFlags::GameOver | TurnFlags::Victory), 0u);
            }
            for (int slot = 1; slot <= 3; ++slot) {
                const Firm* firm = game.firm(slot);
                ASSERT_NE(firm, nullptr);
                EXPECT_FALSE(firm->withdrawn()) << slot;
                EXPECT_GE(firm->shopCount(), 1) << slot;
                EXPECT_GT(firm->cash(), 0) << slot;
            }
        }
    }
}

}  // namespace
}  // namespace vellmora
