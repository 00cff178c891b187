#include "game/firm_policy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "data/result_codes.h"
#include "support/rate_fixture.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

using test::rateFileLines;
using test::rateFileText;
using test::TempDir;

std::vector<std::string> without(std::vector<std::string> lines, const std::string& line) {
    lines.erase(std::find(lines.begin(), lines.end(), line));
    return lines;
}

int rowOf(const std::vector<std::string>& lines, const std::string& tag) {
    return static_cast<int>(std::find(lines.begin(), lines.end(), tag) - lines.begin());
}

TEST(RateFile, LoadsEveryTableFromItsRowsAndColumns) {
    TempDir dir;
    FirmPolicy policy;
    ASSERT_EQ(policy.load(dir.write("rate.txt", rateFileText())), kOk);
    const RateTable& rates = policy.rates();

    EXPECT_DOUBLE_EQ(rates.budgetRate[4][4], 0.5 + 0.4 + 1.0);
    EXPECT_DOUBLE_EQ(rates.researchBudgetRate[1][3], 0.1 + 1.5);
    EXPECT_DOUBLE_EQ(rates.overworkRate[0][0], 0.002);
    EXPECT_EQ(rates.trainingRatingPoints[2][4], 3 + 2 + 10);
    EXPECT_EQ(rates.researchGain[4], 200);
    EXPECT_EQ(rates.researchStep, 100);
    EXPECT_DOUBLE_EQ(rates.systems[4].itemRate[6], 0.46);
    EXPECT_EQ(rates.systems[0].shopLimit, 5);
    EXPECT_EQ(rates.systems[1].openingDeteriorates, 1);
    EXPECT_EQ(rates.systems[2].openingDeteriorates, 0);
    EXPECT_EQ(rates.changeMonths, 3);
    EXPECT_EQ(rates.accidents[3].duration, 6);
    EXPECT_EQ(rates.accidents[2].suspension, 1);
    EXPECT_DOUBLE_EQ(rates.accidents[1].costModifier[6], 0.5);
    EXPECT_DOUBLE_EQ(rates.deteriorationWeight[4], 1.0);
    EXPECT_EQ(rates.shopSizes[2].range, 10);
    EXPECT_EQ(rates.shopSizes[1].ratingPoints, (std::array<int, 3>{-1, 1, 1}));
    EXPECT_EQ(rates.difficultyRatingPoints[4], (std::array<int, 3>{-10, -8, -6}));

    // Difficulty 2, every level 2, system 0: the sums of the fixture's points plus 100.
    ASSERT_EQ(policy.setDifficulty(2), kOk);
    EXPECT_EQ(policy.rating(0), 106);
    EXPECT_EQ(policy.rating(1), 110);
    EXPECT_EQ(policy.rating(2), 114);
    EXPECT_EQ(policy.firmScore(), 106 * 110 * 114);
}

TEST(RateFile, MatchesMagicWordAndTagsIgnoringCase) {
    std::vector<std::string> lines = rateFileLines();
    lines[0] = "QuillMarch_RATE,10000";
    lines[rowOf(lines, "[system]")] = "[SYSTEM]";
    TempDir dir;
    FirmPolicy policy;
    ASSERT_EQ(policy.load(dir.write("rate.txt", rateFileText(lines))), kOk);
    EXPECT_EQ(policy.changeMonths(), 3);
}

TEST(RateFile, RefusesBrokenFilesAndResetsThePolicy) {
    std::vector<std::string> noChangeMonths = rateFileLines();
    std::string& fifthSystemRow = noChangeMonths[rowOf(noChangeMonths, "[system]") + 5];
    fifthSystemRow.erase(fifthSystemRow.rfind(','));

    std::vector<std::string> shortShopBlock = rateFileLines();
    shortShopBlock.erase(shortShopBlock.begin() + rowOf(shortShopBlock, "[shop]") + 3);

    std::vector<std::string> shortBudgetRow = rateFileLines();
    std::string& budgetRow = shortBudgetRow[rowOf(shortBudgetRow, "[budget_incrrate]") + 2];
    budgetRow.erase(budgetRow.rfind(','));

    std::vector<std::string> wrongMagic = rateFileLines();
    wrongMagic[0] = "quillmarch_price,10000";
    std::vector<std::string> wrongVersion = rateFileLines();
    wrongVersion[0] = "quillmarch_rate,9999";

    const struct {
        const char* name;
        std::vector<std::string> lines;
    } cases[] = {
        {"change length missing", noChangeMonths},
        {"shop block one row short", shortShopBlock},
        {"budget row one level short", shortBudgetRow},
        {"accident section absent", without(rateFileLines(), "[accident]")},
        {"wrong magic word", wrongMagic},
        {"wrong version", wrongVersion},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FirmPolicy policy;
        policy.setRates(RateTable{});
        ASSERT_EQ(policy.setDifficulty(1), kOk);
        ASSERT_EQ(policy.setBudgetLevel(0, 4), kOk);
        EXPECT_EQ(policy.load(dir.write("rate.txt", rateFileText(c.lines))), kRefused);
        EXPECT_EQ(policy.difficulty(), 4);
        EXPECT_EQ(policy.budgetLevel(0), 2);
        EXPECT_EQ(policy.changeMonths(), 0);
        EXPECT_DOUBLE_EQ(policy.rates().budgetRate[2][2], 0.0);
    }
    FirmPolicy policy;
    EXPECT_EQ(policy.load(dir.file("absent.txt")), kRefused);
}

TEST(ResearchLevel, StepOfHundred) {
    const struct {
        int points;
        int level;
    } cases[] = {{0, 0}, {99, 0}, {100, 1}, {299, 1}, {300, 2}, {599, 2}, {600, 3}, {-5, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(researchLevelFor(c.points, 100), c.level) << c.points;
    }
    EXPECT_EQ(researchLevelFor(1000, 0), 0);
}

TEST(ResearchLevel, ExactOnEveryBoundary) {
    for (int step : {1, 7, 100}) {
        for (std::int64_t level = 1; level < 3000; ++level) {
            const std::int64_t boundary = step * level * (level + 1) / 2;
            ASSERT_EQ(researchLevelFor(boundary, step), level) << step;
            ASSERT_EQ(researchLevelFor(boundary - 1, step), level - 1) << step;
        }
    }
}

TEST(ResearchLevel, PolicyProgressAndTasteBonus) {
    RateTable rates;
    rates.researchStep = 100;
    rates.researchGain = {0, 0, 450, 0, 0};
    FirmPolicy policy;
    policy.setRates(rates);
    const int tasteBefore = policy.rating(1);
    policy.monthEnd();
    EXPECT_EQ(policy.researchPoints(), 450);
    EXPECT_EQ(policy.researchLevel(), 2);
    EXPECT_EQ(policy.researchProgress(), 150);
    EXPECT_EQ(policy.researchToNextLevel(), 300);
    EXPECT_EQ(policy.rating(1), tasteBefore + 20);
}

TEST(ItemRate, ShopLimitDividesTheSystemRate) {
    RateTable rates;
    rates.systems[0].itemRate[1] = 0.2;
    rates.systems[0].itemRate[4] = 0.2;
    rates.systems[0].shopLimit = 5;
    rates.budgetRate[4][2] = 1.0;
    rates.researchBudgetRate[4][2] = 2.0;
    FirmPolicy policy;
    policy.setRates(rates);

    ASSERT_EQ(policy.addShops(5), kOk);
    EXPECT_DOUBLE_EQ(policy.itemRate(1), 1.2);
    ASSERT_EQ(policy.addShops(5), kOk);
    EXPECT_DOUBLE_EQ(policy.systemRate(1, 0), 0.1);
    EXPECT_DOUBLE_EQ(policy.itemRate(1), 1.1);
    EXPECT_DOUBLE_EQ(policy.itemRate(4), (0.1 + 1.0) * 2.0);
    // Proposed levels and systems, and the refusals.
    EXPECT_DOUBLE_EQ(policy.itemRateAt(1, 2, 1), 1.0);
    EXPECT_DOUBLE_EQ(policy.itemRateAt(1, 7, 0), -1.0 + 0.1);
    EXPECT_DOUBLE_EQ(policy.itemRate(7), -1.0);
}

TEST(Deterioration, NewShopsLowerTasteAndServiceWithinTheClamp) {
    const struct {
        int newShops;
        int deteriorates;
        double weight;
        double expected;
    } cases[] = {
        {0, 1, 0.0, 1.0}, {3, 1, 0.0, 0.7},  {8, 1, 0.0, 0.5},
        {8, 1, 1.0, 0.0}, {3, 1, 0.5, 0.55}, {8, 0, 1.0, 1.0},
    };
    for (const auto& c : cases) {
        RateTable rates;
        rates.systems[0].openingDeteriorates = c.deteriorates;
        rates.deteriorationWeight[4] = c.weight;
        FirmPolicy policy;
        policy.setRates(rates);
        ASSERT_EQ(policy.addShops(c.newShops), kOk);
        EXPECT_NEAR(policy.deterioration(false), c.expected, 1e-12)
            << c.newShops << " " << c.weight;
    }
}

TEST(Deterioration, MonthEndStoresTheRecoveredFactor) {
    RateTable rates;
    rates.systems[0].openingDeteriorates = 1;
    FirmPolicy policy;
    policy.setRates(rates);
    ASSERT_EQ(policy.setBudgetLevel(3, 4), kOk);
    ASSERT_EQ(policy.addShops(3), kOk);
    const int serviceBase = policy.rating(2) * 10 / 7;  // 100 before the factor 0.7
    EXPECT_EQ(serviceBase, 100);

    policy.monthEnd();  // 1.0 - 0.3 + 2 * 0.025 + 0.05
    EXPECT_NEAR(policy.deteriorationFactor(), 0.8, 1e-12);
    EXPECT_EQ(policy.lastShopCount(), 3);
    EXPECT_EQ(policy.rating(2), 80);
    policy.monthEnd();
    policy.monthEnd();
    EXPECT_NEAR(policy.deteriorationFactor(), 1.0, 1e-12);  // recovery stops at 1.0
}

TEST(SystemChange, TargetTakesOverAtTheThirdMonthEnd) {
    RateTable rates;
    rates.changeMonths = 3;
    rates.systems[4].ratingPoints = {-7, -7, -7};
    rates.systems[2].ratingPoints = {5, 5, 5};
    FirmPolicy policy;
    policy.setRates(rates);

    ASSERT_EQ(policy.changeSystem(2), kOk);
    for (int month = 1; month <= 3; ++month) {
        SCOPED_TRACE(month);
        // The month's turn computes its ratings under the transition...
        EXPECT_EQ(policy.currentSystem(), FirmPolicy::kChangingSystem);
        EXPECT_EQ(policy.targetSystem(), 2);
        EXPECT_EQ(policy.monthsLeft(), 4 - month);
        EXPECT_EQ(policy.rating(0), 93);
        EXPECT_FALSE(policy.canChangeSystem(1));
        EXPECT_EQ(policy.changeSystem(1), kRefused);
        policy.monthEnd();
    }
    // ...and the third month end hands over to the target.
    EXPECT_EQ(policy.currentSystem(), 2);
    EXPECT_EQ(policy.targetSystem(), FirmPolicy::kChangingSystem);
    EXPECT_EQ(policy.monthsLeft(), 0);
    EXPECT_EQ(policy.rating(0), 105);
    policy.monthEnd();
    EXPECT_EQ(policy.currentSystem(), 2);
}

TEST(SystemChange, RefusesTargetsThatAreNoChange) {
    FirmPolicy policy;
    for (int target : {0, -1, 4, 5}) {
        EXPECT_FALSE(policy.canChangeSystem(target)) << target;
        EXPECT_EQ(policy.changeSystem(target), kRefused) << target;
    }
    EXPECT_EQ(policy.currentSystem(), 0);
    EXPECT_EQ(policy.monthsLeft(), 0);
}

TEST(SystemChange, ZeroLengthFromDataStillCompletes) {
    FirmPolicy policy;  // change length 0 in the zeroed tables
    ASSERT_EQ(policy.changeSystem(3), kOk);
    policy.monthEnd();
    EXPECT_EQ(policy.currentSystem(), 3);
}

TEST(Accidents, ChanceGrowsWithShops) {
    RateTable rates;
    rates.poisoningRate[4][2] = 0.1;
    rates.overworkRate[4][1] = 0.5;
    FirmPolicy policy;
    policy.setRates(rates);
    EXPECT_DOUBLE_EQ(policy.poisoningChance(), 0.0);
    ASSERT_EQ(policy.addShops(3), kOk);
    EXPECT_NEAR(policy.poisoningChance(), 0.271, 1e-12);
    EXPECT_DOUBLE_EQ(policy.overworkChance(), 0.0);  // level 2 row of overwork is 0
    ASSERT_EQ(policy.setBudgetLevel(2, 1), kOk);
    EXPECT_NEAR(policy.overworkChance(), 0.875, 1e-12);
}

TEST(Levels, OnlyItemsZeroToFourAndLevelsZeroToFour) {
    FirmPolicy policy;
    const struct {
        int item;
        int level;
        int result;
    } cases[] = {{0, 0, kOk},       {4, 4, kOk},      {5, 2, kRefused},
                 {-1, 2, kRefused}, {2, 5, kRefused}, {2, -1, kRefused}};
    for (const auto& c : cases) {
        EXPECT_EQ(policy.setBudgetLevel(c.item, c.level), c.result) << c.item << "," << c.level;
    }
    EXPECT_EQ(policy.budgetLevel(6), 2);
    EXPECT_EQ(policy.budgetLevel(7), -1);
    EXPECT_EQ(policy.addShops(-1), kRefused);
    EXPECT_EQ(policy.shopCount(), 0);
    EXPECT_EQ(policy.setDifficulty(5), kRefused);
}

}  // namespace
}  // namespace vellmora
