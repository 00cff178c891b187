#include "game/firm_policy.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "data/result_codes.h"

namespace vellmora {
namespace {

constexpr int kMiddleLevel = 2;
constexpr int kRatingBase = 100;
constexpr int kTasteBonusPerResearchLevel = 10;
constexpr double kDeteriorationPerNewShop = 0.1;
constexpr double kRecoveryPerTrainingLevel = 0.025;
constexpr double kMonthlyRecovery = 0.05;
constexpr double kLowestDeterioration = 0.5;

bool inRange(int value, int count) {
    return value >= 0 && value < count;
}

int saturate(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// 1 - (1 - p)^count, the power taken by repeated squaring.
double chanceForShops(double p, int count) {
    if (count <= 0) {
        return 0.0;
    }
    double base = 1.0 - p;
    double power = 1.0;
    for (unsigned n = static_cast<unsigned>(count); n != 0; n >>= 1) {
        if ((n & 1u) != 0) {
            power *= base;
        }
        base *= base;
    }
    return 1.0 - power;
}

std::int64_t triangle(std::int64_t level, std::int64_t step) {
    return step * level * (level + 1) / 2;
}

}  // namespace

int researchLevelFor(std::int64_t points, int step) {
    if (step <= 0 || points <= 0) {
        return 0;
    }
    const double s = step;
    auto level = static_cast<std::int64_t>(
        (std::sqrt((s + 8.0 * static_cast<double>(points)) * s) - s) / (2.0 * s));
    // The square root may land a hair off an exact boundary; settle on the integer answer.
    level = std::max<std::int64_t>(level, 0);
    while (level > 0 && triangle(level, step) > points) {
        --level;
    }
    while (triangle(level + 1, step) <= points) {
        ++level;
    }
    return saturate(level);
}

FirmPolicy::FirmPolicy() {
    reset();
}

int FirmPolicy::load(const std::string& path) {
    RateTable loaded;
    if (loadRateTable(path, loaded) != kOk) {
        reset();
        return kRefused;
    }
    rates_ = loaded;
    return kOk;
}

void FirmPolicy::reset() {
    rates_ = RateTable{};
    difficulty_ = 4;
    currentSystem_ = 0;
    targetSystem_ = kChangingSystem;
    monthsLeft_ = 0;
    levels_.fill(kMiddleLevel);
    shopCount_ = 0;
    lastShopCount_ = 0;
    researchPoints_ = 0;
    factor_ = 1.0;
}

int FirmPolicy::setDifficulty(int difficulty) {
    if (!inRange(difficulty, RateTable::kDifficulties)) {
        return kRefused;
    }
    difficulty_ = difficulty;
    factor_ = 1.0;
    return kOk;
}

int FirmPolicy::setBudgetLevel(int item, int level) {
    if (!inRange(item, kSettableItems) || !inRange(level, RateTable::kLevels)) {
        return kRefused;
    }
    levels_[item] = level;
    return kOk;
}

int FirmPolicy::budgetLevel(int item) const {
    return inRange(item, RateTable::kItems) ? levels_[item] : -1;
}

int FirmPolicy::checkChange(int target) const {
    // 4 only marks a change under way; it is not a system one can order.
    if (!inRange(target, kChangingSystem) || monthsLeft_ > 0 || target == currentSystem_) {
        return kRefused;
    }
    return kOk;
}

bool FirmPolicy::canChangeSystem(int target) const {
    return checkChange(target) == kOk;
}

int FirmPolicy::changeSystem(int target) {
    if (checkChange(target) != kOk) {
        return kRefused;
    }
    targetSystem_ = target;
    // A change always lasts at least one month end, so it can never stall in the transition.
    monthsLeft_ = std::max(1, rates_.changeMonths);
    currentSystem_ = kChangingSystem;
    return kOk;
}

int FirmPolicy::addShops(int delta) {
    const std::int64_t result = static_cast<std::int64_t>(shopCount_) + delta;
    if (result < 0 || result > std::numeric_limits<int>::max()) {
        return kRefused;
    }
    shopCount_ = static_cast<int>(result);
    return kOk;
}

double FirmPolicy::systemRate(int item, int system) const {
    if (!inRange(item, RateTable::kItems) || !inRange(system, RateTable::kSystems)) {
        return -1.0;
    }
    const SystemRates& rates = rates_.systems[system];
    double rate = rates.itemRate[item];
    const int limit = rates.shopLimit;
    if (limit > 0 && shopCount_ > limit) {
        rate = static_cast<double>(limit) * rate / static_cast<double>(shopCount_);
    }
    return rate;
}

double FirmPolicy::itemRateAt(int item, int level, int system) const {
    if (!inRange(item, RateTable::kItems)) {
        return -1.0;
    }
    const bool levelKnown =
        inRange(level, RateTable::kLevels) && inRange(difficulty_, RateTable::kDifficulties);
    if (item == 4) {
        if (!levelKnown) {
            return -1.0;
        }
        return (systemRate(4, system) + 1.0) * rates_.researchBudgetRate[difficulty_][level];
    }
    const double levelRate = levelKnown ? rates_.budgetRate[difficulty_][level] : -1.0;
    return levelRate + systemRate(item, system);
}

double FirmPolicy::itemRate(int item) const {
    if (!inRange(item, RateTable::kItems)) {
        return -1.0;
    }
    return itemRateAt(item, levels_[item], currentSystem_);
}

double FirmPolicy::deterioration(bool update) const {
    if (rates_.systems[currentSystem_].openingDeteriorates == 0) {
        return 1.0;
    }
    double g = factor_;
    if (lastShopCount_ < shopCount_) {
        g -= (shopCount_ - lastShopCount_) * kDeteriorationPerNewShop;
    }
    if (update) {
        const int training = levels_[3];
        if (training > kMiddleLevel) {
            g += (training - kMiddleLevel) * kRecoveryPerTrainingLevel;
        }
        g += kMonthlyRecovery;
    }
    g = std::clamp(g, kLowestDeterioration, 1.0);
    const double weight = rates_.deteriorationWeight[difficulty_];
    return 1.0 - (weight + 1.0) * (1.0 - g);
}

int FirmPolicy::rating(int k) const {
    if (!inRange(k, RateTable::kRatings)) {
        return -1;
    }
    const std::int64_t base = static_cast<std::int64_t>(rates_.priceRatingPoints[k][levels_[0]]) +
                              rates_.ingredientsRatingPoints[k][levels_[1]] +
                              rates_.labourRatingPoints[k][levels_[2]] +
                              rates_.trainingRatingPoints[k][levels_[3]] +
                              rates_.systems[currentSystem_].ratingPoints[k] +
                              rates_.difficultyRatingPoints[difficulty_][k] + kRatingBase;
    if (k == 0) {
        return saturate(base);
    }
    // The deterioration weight comes from the rate file: clamp before converting, since an
    // absurd weight makes the product far larger than any integer.
    const double scaled = std::trunc(deterioration(false) * static_cast<double>(base));
    std::int64_t result = std::isnan(scaled)
                              ? 0
                              : static_cast<std::int64_t>(std::clamp(
                                    scaled, static_cast<double>(std::numeric_limits<int>::min()),
                                    static_cast<double>(std::numeric_limits<int>::max())));
    if (k == 1) {
        result += static_cast<std::int64_t>(kTasteBonusPerResearchLevel) * researchLevel();
    }
    return saturate(result);
}

std::int64_t FirmPolicy::firmScore() const {
    std::int64_t score = rating(0);
    for (int k = 1; k < RateTable::kRatings; ++k) {
        std::int64_t next = 0;
        if (__builtin_mul_overflow(score, static_cast<std::int64_t>(rating(k)), &next)) {
            return (score < 0) != (rating(k) < 0) ? std::numeric_limits<std::int64_t>::min()
                                                  : std::numeric_limits<std::int64_t>::max();
        }
        score = next;
    }
    return score;
}

double FirmPolicy::poisoningChance() const {
    return chanceForShops(rates_.poisoningRate[difficulty_][levels_[1]], shopCount_);
}

double FirmPolicy::overworkChance() const {
    return chanceForShops(rates_.overworkRate[difficulty_][levels_[2]], shopCount_);
}

int FirmPolicy::researchLevel() const {
    return researchLevelFor(researchPoints_, rates_.researchStep);
}

int FirmPolicy::researchProgress() const {
    const int level = researchLevel();
    return saturate(researchPoints_ - triangle(level, std::max(0, rates_.researchStep)));
}

int FirmPolicy::researchToNextLevel() const {
    return saturate(static_cast<std::int64_t>(researchLevel() + 1) * rates_.researchStep);
}

int FirmPolicy::researchGainPerMonth() const {
    return rates_.researchGain[levels_[4]];
}

void FirmPolicy::monthEnd() {
    factor_ = deterioration(true);
    lastShopCount_ = shopCount_;
    researchPoints_ = saturate(static_cast<std::int64_t>(researchPoints_) + researchGainPerMonth());
    if (monthsLeft_ >= 1) {
        if (monthsLeft_ == 1) {
            currentSystem_ = targetSystem_;
            targetSystem_ = kChangingSystem;
        }
        --monthsLeft_;
    }
}

int FirmPolicy::systemRatingPoints(int k, int system) const {
    if (!inRange(k, RateTable::kRatings) || !inRange(system, RateTable::kSystems)) {
        return -1;
    }
    return rates_.systems[system].ratingPoints[k];
}

int FirmPolicy::systemShopLimit(int system) const {
    return inRange(system, RateTable::kSystems) ? rates_.systems[system].shopLimit : -1;
}

int FirmPolicy::systemDeteriorates(int system) const {
    return inRange(system, RateTable::kSystems) ? rates_.systems[system].openingDeteriorates : -1;
}

int FirmPolicy::shopRatingPoints(int k, int size) const {
    if (!inRange(k, RateTable::kRatings) || !inRange(size, RateTable::kSizes)) {
        return -1;
    }
    return rates_.shopSizes[size].ratingPoints[k];
}

double FirmPolicy::shopCostModifier(int item, int size) const {
    if (!inRange(item, RateTable::kItems) || !inRange(size, RateTable::kSizes)) {
        return -1.0;
    }
    return rates_.shopSizes[size].costModifier[item];
}

int FirmPolicy::shopRange(int size) const {
    return inRange(size, RateTable::kSizes) ? rates_.shopSizes[size].range : -1;
}

int FirmPolicy::accidentRatingPoints(int k, int kind) const {
    if (!inRange(k, RateTable::kRatings) || !inRange(kind, RateTable::kAccidents)) {
        return -1;
    }
    return rates_.accidents[kind].ratingPoints[k];
}

double FirmPolicy::accidentCostModifier(int item, int kind) const {
    if (!inRange(item, RateTable::kItems) || !inRange(kind, RateTable::kAccidents)) {
        return -1.0;
    }
    return rates_.accidents[kind].costModifier[item];
}

int FirmPolicy::accidentDuration(int kind) const {
    return inRange(kind, RateTable::kAccidents) ? rates_.accidents[kind].duration : -1;
}

int FirmPolicy::accidentSuspension(int kind) const {
    return inRange(kind, RateTable::kAccidents) ? rates_.accidents[kind].suspension : -1;
}

}  // namespace vellmora
