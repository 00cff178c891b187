#include "game/competitor_ai.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "data/clock.h"
#include "data/param_file.h"
#include "data/result_codes.h"
#include "game/distance_field.h"
#include "game/firm_policy.h"
#include "game/random.h"
#include "game/site_value.h"

namespace vellmora {
namespace {

// A fully walkable strip or grid where the walking distance is the Manhattan distance.
struct GridTown {
    struct PerFirm {
        std::vector<int> shopAt, servingShop, preference, boosted;
    };
    int width;
    int height;
    std::vector<bool> buildable;
    std::vector<int> customers, rent, dominant;
    std::array<PerFirm, 4> firms;
    std::vector<DistanceField> fields;

    GridTown(int w, int h) : width(w), height(h) {
        const std::size_t n = static_cast<std::size_t>(w * h);
        buildable.assign(n, true);
        customers.assign(n, 0);
        rent.assign(n, 0);
        dominant.assign(n, -1);
        for (PerFirm& f : firms) {
            f.shopAt.assign(n, -1);
            f.servingShop.assign(n, -1);
            f.preference.assign(n, 0);
            f.boosted.assign(n, 0);
        }
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                std::vector<float> d(n);
                for (int ty = 0; ty < h; ++ty) {
                    for (int tx = 0; tx < w; ++tx) {
                        d[static_cast<std::size_t>(ty * w + tx)] =
                            static_cast<float>(std::abs(tx - x) + std::abs(ty - y));
                    }
                }
                fields.emplace_back(w, h, std::move(d));
            }
        }
    }
    std::size_t at(int x, int y) const { return static_cast<std::size_t>(y * width + x); }
};

class GridView final : public MarketView {
public:
    explicit GridView(const GridTown& town) : t_(town) {}
    int width() const override { return t_.width; }
    int height() const override { return t_.height; }
    bool buildable(int x, int y) const override { return t_.buildable[t_.at(x, y)]; }
    const DistanceField* distanceField(int x, int y, int) const override {
        return &t_.fields[t_.at(x, y)];
    }
    int customers(int x, int y) const override { return t_.customers[t_.at(x, y)]; }
    int rentAt(int x, int y) const override { return t_.rent[t_.at(x, y)]; }
    int shopAt(int f, int x, int y) const override { return t_.firms[f].shopAt[t_.at(x, y)]; }
    int servingShop(int f, int x, int y) const override {
        return t_.firms[f].servingShop[t_.at(x, y)];
    }
    int preference(int f, int x, int y) const override {
        return t_.firms[f].preference[t_.at(x, y)];
    }
    int boostedAttraction(int f, int x, int y) const override {
        return t_.firms[f].boosted[t_.at(x, y)];
    }
    int dominantFirm(int x, int y) const override { return t_.dominant[t_.at(x, y)]; }

private:
    const GridTown& t_;
};

// What the computer player sees of its firm; records what it is told to do.
struct FirmState {
    int index = 2;
    bool withdrawn = false;
    FirmPolicy policy;
    Money cash = 0;
    Money outlay = 100;
    std::vector<std::pair<int, int>> builds;
    std::vector<int> closes;
    std::map<int, std::vector<Money>> profits;  // latest first
    std::map<int, Money> report;
    std::vector<Money> researchCostByFactor;  // factor 1.0 is element 0, 2.0 element 1, ...
    std::array<std::optional<std::int64_t>, 4> scores{};
};

class FakeFirm final : public AiFirm {
public:
    explicit FakeFirm(FirmState& s) : s_(s) {}
    bool exists() const override { return true; }
    int index() const override { return s_.index; }
    bool withdrawn() const override { return s_.withdrawn; }
    FirmPolicy& policy() override { return s_.policy; }
    const FirmPolicy& policy() const override { return s_.policy; }
    Money cash() const override { return s_.cash; }
    Money buildOutlay(int) const override { return s_.outlay; }
    int build(int x, int y, int) override {
        s_.builds.emplace_back(x, y);
        s_.cash -= s_.outlay;
        return 0;
    }
    int close(int shop) override {
        s_.closes.push_back(shop);
        s_.profits.erase(shop);
        return kOk;
    }
    int setBudgetLevel(int item, int level) override {
        return s_.policy.setBudgetLevel(item, level);
    }
    bool shopInUse(int shop) const override { return s_.profits.count(shop) != 0; }
    Money shopProfit(int shop, int monthsBack) const override {
        const std::vector<Money>& p = s_.profits.at(shop);
        return monthsBack <= static_cast<int>(p.size())
                   ? p[static_cast<std::size_t>(monthsBack - 1)]
                   : 0;
    }
    Money lastReportValue(int account) const override {
        const auto it = s_.report.find(account);
        return it == s_.report.end() ? 0 : it->second;
    }
    Money projectResearch(double factor) const override {
        return s_.researchCostByFactor.at(static_cast<std::size_t>(factor) - 1);
    }
    std::optional<std::int64_t> firmScoreOf(int slot) const override {
        return slot == s_.index ? s_.policy.firmScore() : s_.scores[static_cast<std::size_t>(slot)];
    }

private:
    FirmState& s_;
};

// Research factor L + 1 at level L, range 20 for every size, change length 3.
RateTable aiRates() {
    RateTable rates;
    for (int l = 0; l < 5; ++l) {
        rates.researchBudgetRate[4][l] = l + 1.0;
    }
    for (ShopSizeRates& size : rates.shopSizes) {
        size.range = 20;
    }
    rates.changeMonths = 3;
    return rates;
}

struct AiFixture {
    GridTown town;
    FirmState firm;
    CompetitorAi ai;

    AiFixture(int w, int h, const AiParams& params = {}) : town(w, h) {
        firm.policy.setRates(aiRates());
        ai.attach(params, std::make_unique<GridView>(town), std::make_unique<FakeFirm>(firm));
    }
};

SiteQuery query(std::int64_t score, int range, int phase = 1, double landPrice = 0.0) {
    SiteQuery q;
    q.firm = 2;
    q.firmScore = score;
    q.range = range;
    q.phase = phase;
    q.landPriceCoefficient = landPrice;
    return q;
}

TEST(SiteValue, OwnShopSixStepsAwayExcludesTheSite) {
    for (const auto& [shopX, expected] : {std::pair{6, kNoSite}, std::pair{7, std::int64_t{40}}}) {
        GridTown town(12, 1);
        town.customers[town.at(1, 0)] = 40;
        town.firms[2].shopAt[town.at(shopX, 0)] = 0;
        town.dominant[town.at(shopX, 0)] = 2;
        EXPECT_EQ(siteValue(GridView(town), query(1000, 8), 0, 0), expected) << shopX;
    }
}

TEST(SiteValue, NeedsTwentyAfterRent) {
    for (const auto& [customers, expected] :
         {std::pair{119, kNoSite}, std::pair{120, std::int64_t{20}}}) {
        GridTown town(3, 1);
        town.customers[town.at(2, 0)] = customers;
        town.rent[town.at(0, 0)] = 100;
        EXPECT_EQ(siteValue(GridView(town), query(1000, 4, 1, 1.0), 0, 0), expected) << customers;
    }
}

TEST(SiteValue, RivalTileCountsOnlyAboveOneAndAHalfTimesItsPull) {
    for (const auto& [score, expected] :
         {std::pair{150, kNoSite}, std::pair{151, std::int64_t{500}}}) {
        GridTown town(2, 1);
        town.customers[town.at(0, 0)] = 500;
        town.dominant[town.at(0, 0)] = 1;
        town.firms[1].boosted[town.at(0, 0)] = 100;
        EXPECT_EQ(siteValue(GridView(town), query(score, 4), 0, 0), expected) << score;
    }
}

TEST(SiteValue, WhichTilesCount) {
    GridTown town(6, 1);
    for (int x = 0; x < 6; ++x) {
        town.customers[town.at(x, 0)] = 10 << x;
    }
    town.dominant[town.at(1, 0)] = 2;             // our own tile: skipped
    town.firms[0].preference[town.at(2, 0)] = 3;  // free, but the player is liked there
    town.customers[town.at(3, 0)] = -1;           // no customer data
    town.rent[town.at(0, 0)] = 10;
    const GridView view(town);
    // Distance 5 lies outside a range of 4.
    EXPECT_EQ(siteValue(view, query(1000, 4, 0, 1.0), 0, 0), 10 + 160 - 10);
    EXPECT_EQ(siteValue(view, query(1000, 4, 1, 1.0), 0, 0), 10 + 40 + 160 - 10);
    EXPECT_EQ(siteValue(view, query(1000, 5, 2, 0.0), 0, 0), 10 + 40 + 160 + 320);

    town.buildable[town.at(0, 0)] = false;
    EXPECT_EQ(siteValue(view, query(1000, 5, 2), 0, 0), kNoSite);
    town.buildable[town.at(0, 0)] = true;
    town.firms[2].shopAt[town.at(0, 0)] = 3;
    EXPECT_EQ(siteValue(view, query(1000, 5, 2), 0, 0), kNoSite);
}

TEST(BestSite, SamplesTwentyOneInAHundredAndKeepsTheEarlierTie) {
    GridTown town(4, 1);
    for (int x = 0; x < 4; ++x) {
        town.customers[town.at(x, 0)] = 30;
    }
    town.customers[town.at(3, 0)] = 90;
    const GridView view(town);
    // Range 0: each site is worth its own tile only.
    const struct {
        std::vector<int> draws;
        std::optional<int> x;
    } cases[] = {
        {{0, 0, 0, 0}, 3},
        {{20, 120, 0, 21}, 0},  // tile 3 not sampled; equal values keep tile 0
        {{21, 99, 121, 21}, std::nullopt},
    };
    for (const auto& c : cases) {
        std::size_t next = 0;
        const auto draw = [&] { return c.draws[next++]; };
        const std::optional<Site> site = bestSite(view, query(1000, 0), draw);
        EXPECT_EQ(next, 4u);
        ASSERT_EQ(site.has_value(), c.x.has_value());
        if (site) {
            EXPECT_EQ(site->x, *c.x);
        }
    }
}

TEST(CompetitorAi, ClosesTheShopLosingMostOverTheCloseTerm) {
    AiParams params;
    params.closeTerm = {3, 3, 3};
    AiFixture f(1, 1, params);
    f.firm.profits = {
        {0, {-5, -1, 0}},      // one month without a loss: kept
        {1, {-1, -1, -1}},     // -3
        {4, {-5, -1, -2, 9}},  // -8: the fourth month is outside the term
        {5, {-8}},             // too young: months before its history count as 0
        {7, {-5, -2, -1}},     // -8 too, but a higher number
    };
    EXPECT_EQ(f.ai.chooseShopToClose(), 4);

    f.ai.attach(AiParams{}, std::make_unique<GridView>(f.town), std::make_unique<FakeFirm>(f.firm));
    EXPECT_EQ(f.ai.chooseShopToClose(), -1);  // term 0 never closes
}

TEST(CompetitorAi, ResearchLevelSearch) {
    const struct {
        Money result, research, cash;
        double share;
        std::vector<Money> costs;
        int level;
    } cases[] = {
        {900, 100, 1, 0.15, {50, 100, 200, 400, 800}, 2},
        {900, 100, 1, 0.9, {50, 100, 200, 400, 800}, 4},
        {900, 100, 1, 0.6, {500, 1000, 2000, 4000, 8000}, 0},
        {900, 100, 1, 0.9, {500, 1200, 2000, 4000, 8000}, 0},
        {900, 100, 1, 0.0, {50, 100, 200, 400, 800}, 0},
        {-100, 100, 1, 0.15, {50, 100, 200, 400, 800}, 0},
        {900, 100, 0, 0.15, {50, 100, 200, 400, 800}, 0},
    };
    for (const auto& c : cases) {
        AiParams params;
        params.researchProfitRate = {c.share, c.share, c.share};
        AiFixture f(1, 1, params);
        f.firm.report = {{9101, c.result}, {5303, c.research}};
        f.firm.cash = c.cash;
        f.firm.researchCostByFactor = c.costs;
        EXPECT_EQ(f.ai.chooseResearchLevel(), c.level) << c.share << " " << c.costs[1];
    }
}

// 10 x 10 customers, every tile a site; `served` of them served by the player.
void serveTiles(GridTown& town, int served) {
    for (int i = 0; i < 100; ++i) {
        town.customers[static_cast<std::size_t>(i)] = 1;
        town.firms[0].servingShop[static_cast<std::size_t>(i)] = i < served ? 0 : -1;
    }
}

TEST(CompetitorAi, PhaseZeroOnlyAboveThirtyPercentFree) {
    const struct {
        int served;
        std::optional<std::int64_t> rivalScore;
        int phase;
    } cases[] = {
        {69, 1, 0},             // 31 % free
        {70, 1, 1},             // exactly 30 %: not expansion; a weaker rival gives phase 1
        {70, 2'000'000, 2},     // everyone at least as strong
        {70, std::nullopt, 2},  // empty slots take no part
    };
    for (const auto& c : cases) {
        AiFixture f(10, 10);
        serveTiles(f.town, c.served);
        f.firm.scores = {std::int64_t{5'000'000}, std::int64_t{5'000'000}, std::nullopt,
                         c.rivalScore};
        rng::seed(7);
        f.ai.updatePhase();
        EXPECT_EQ(f.ai.phase(), c.phase) << c.served;
    }
}

TEST(CompetitorAi, SystemChangeWaitsTwentyOneDecisions) {
    AiParams params;
    params.system = {0, 2, 1};
    AiFixture f(2, 1, params);
    f.town.buildable.assign(2, false);  // no site: phase 1 or 2 by the scores
    f.firm.scores = {std::int64_t{2'000'000}, std::int64_t{2'000'000}, std::nullopt, std::nullopt};

    ASSERT_EQ(f.ai.decide(), kOk);  // phase 2 wants system 1
    EXPECT_EQ(f.firm.policy.currentSystem(), FirmPolicy::kChangingSystem);
    EXPECT_EQ(f.firm.policy.targetSystem(), 1);
    for (int month = 0; month < 3; ++month) {
        f.firm.policy.monthEnd();
    }
    ASSERT_EQ(f.firm.policy.currentSystem(), 1);

    f.firm.scores[3] = 1;  // a weaker rival: phase 1 wants system 2
    for (int decision = 1; decision <= 20; ++decision) {
        ASSERT_EQ(f.ai.decide(), kOk);
        EXPECT_EQ(f.firm.policy.currentSystem(), 1) << decision;
    }
    ASSERT_EQ(f.ai.decide(), kOk);
    EXPECT_EQ(f.firm.policy.currentSystem(), FirmPolicy::kChangingSystem);
    EXPECT_EQ(f.firm.policy.targetSystem(), 2);
    EXPECT_EQ(f.ai.systemCooldown(), 20);
}

TEST(CompetitorAi, DecisionBuildsWhileCashCoversTwiceTheOutlayAndSetsBudgets) {
    AiParams params;
    params.budget = {{{0, 0, 4}, {1, 1, 3}, {2, 2, 2}, {3, 3, 1}}};
    params.researchProfitRate = {0.5, 0.5, 0.5};
    for (const auto& [cash, builds] : {std::pair{Money{350}, 2u}, std::pair{Money{600}, 3u}}) {
        AiFixture f(10, 10, params);
        serveTiles(f.town, 0);
        f.firm.cash = cash;
        f.firm.report = {{9101, 1000}};
        f.firm.researchCostByFactor = {100, 200, 300, 600, 900};
        rng::seed(11);
        ASSERT_EQ(f.ai.decide(), kOk);
        EXPECT_EQ(f.ai.phase(), 0);
        EXPECT_EQ(f.firm.builds.size(), builds) << cash;
        for (int item = 0; item < 4; ++item) {
            EXPECT_EQ(f.firm.policy.budgetLevel(item), item);
        }
        EXPECT_EQ(f.firm.policy.budgetLevel(4), 3);  // 600 / 1000 reaches 0.5
    }
}

TEST(CompetitorAi, WithdrawnFirmDecidesNothing) {
    AiParams params;
    params.budget[0] = {4, 4, 4};
    AiFixture f(1, 1, params);
    f.firm.withdrawn = true;
    EXPECT_EQ(f.ai.decide(), kRefused);
    EXPECT_EQ(f.firm.policy.budgetLevel(0), 2);
}

const char* const kAiFile =
    "quillmarch_ai,10000\n"
    "[pop_coefficient]\n"
    "a,1.5,2.5,3.5\nb,1,2,3\nc,1,2,3\nd,1,2,3\ne,9.5,8.5,7.5\n"
    "[onstreet]\nx,1,2,3\n"
    "[LandPrice_Coefficient]\nx,0.5,1.5,2.5\n"
    "[randa_profit_rate]\nx,0.1,0.2,0.3\n"
    "[shopsize]\nx,0,1,2\n"
    "[closeterm]\nx,3,4,5\n"
    "[system]\nx,1,2,3\n"
    "[budget]\np,0,1,2\ni,1,2,3\nl,2,3,4\nt,3,4,0\n"
    "[name]\nc1,Blue Co\np1,Mr Blue\nc2,Green Co\np2,Mr Green\nc3,Yellow Co\np3,Mr Yellow\n";

TEST(AiParams, ReadsOneValuePerPhase) {
    ParamFile file;
    ASSERT_EQ(file.loadFromBytes(kAiFile), kOk);
    AiParams p;
    EXPECT_EQ(readAiParams(file, p), kOk);
    EXPECT_DOUBLE_EQ(p.popCoefficient[0][0], 1.5);
    EXPECT_DOUBLE_EQ(p.popCoefficient[4][2], 7.5);
    EXPECT_DOUBLE_EQ(p.landPriceCoefficient[1], 1.5);
    EXPECT_DOUBLE_EQ(p.researchProfitRate[2], 0.3);
    EXPECT_EQ(p.shopSize, (AiParams::PerPhase<int>{0, 1, 2}));
    EXPECT_EQ(p.closeTerm, (AiParams::PerPhase<int>{3, 4, 5}));
    EXPECT_EQ(p.system, (AiParams::PerPhase<int>{1, 2, 3}));
    EXPECT_EQ(p.budget[3], (AiParams::PerPhase<int>{3, 4, 0}));
}

TEST(AiParams, MissingCellsAndBadHeaders) {
    std::string shortRow = kAiFile;
    shortRow.replace(shortRow.find("x,3,4,5"), 7, "x,3,4");
    ParamFile file;
    ASSERT_EQ(file.loadFromBytes(shortRow), kOk);
    AiParams p;
    EXPECT_EQ(readAiParams(file, p), kRefused);
    EXPECT_EQ(p.closeTerm, (AiParams::PerPhase<int>{3, 4, 0}));
    EXPECT_EQ(p.system, (AiParams::PerPhase<int>{1, 2, 3}));  // reading went on

    for (const char* header : {"quillmarch_rate,10000", "quillmarch_ai,9999"}) {
        std::string text = kAiFile;
        text.replace(0, text.find('\n'), header);
        ASSERT_EQ(file.loadFromBytes(text), kOk);
        EXPECT_EQ(readAiParams(file, p), kRefused);
        EXPECT_EQ(p.system, (AiParams::PerPhase<int>{0, 0, 0})) << header;
    }
}

TEST(AiParams, LoadReseedsFromTheClockOnlyWithAGoodHeader) {
    const FixedClock clock(123456, LocalDateTime{});
    const ScopedClock scoped(clock);
    ParamFile file;
    ASSERT_EQ(file.loadFromBytes(kAiFile), kOk);
    GridTown town(1, 1);
    FirmState state;
    CompetitorAi ai;
    rng::seed(1);
    EXPECT_EQ(ai.load(file, std::make_unique<GridView>(town), std::make_unique<FakeFirm>(state)),
              kOk);
    EXPECT_EQ(rng::state(), 123456u);
    EXPECT_EQ(ai.params().closeTerm[2], 5);

    ASSERT_EQ(file.loadFromBytes("quillmarch_ai,9999\n"), kOk);
    rng::seed(1);
    EXPECT_EQ(ai.load(file, std::make_unique<GridView>(town), std::make_unique<FakeFirm>(state)),
              kRefused);
    EXPECT_EQ(rng::state(), 1u);
}

TEST(AiNames, CompanyAndPresidentPerSlotCutToTheirLimits) {
    ParamFile file;
    ASSERT_EQ(file.loadFromBytes(kAiFile), kOk);
    AiNames names;
    EXPECT_EQ(readAiNames(file, names), kOk);
    EXPECT_EQ(names.company[0], "");
    EXPECT_EQ(names.company[1], "Blue Co");
    EXPECT_EQ(names.president[1], "Mr Blue");
    EXPECT_EQ(names.company[3], "Yellow Co");
    EXPECT_EQ(names.president[3], "Mr Yellow");

    const std::string longName(300, 'n');
    ASSERT_EQ(file.loadFromBytes("[name]\nx," + longName + "\nx,p\n"), kOk);
    EXPECT_EQ(readAiNames(file, names), kRefused);  // slots 2 and 3 missing
    EXPECT_EQ(names.company[1].size(), 255u);
    EXPECT_EQ(names.president[1], "p");
    EXPECT_EQ(names.company[2], "");
}

}  // namespace
}  // namespace vellmora
