// A firm's policy: difficulty, management system, budget levels, shop count, research and the
// opening-deterioration factor, turned into ratings and multipliers by the rate tables.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/rate_table.h"

namespace vellmora {

class ByteReader;
class ByteWriter;

class FirmPolicy {
public:
    static constexpr int kChangingSystem = 4;  // current system while a change runs; target "none"
    static constexpr int kSettableItems = 5;   // budget items 0-4 can be set

    FirmPolicy();

    // Loads the rate file. On failure the policy is reset and kRefused is answered.
    [[nodiscard]] int load(const std::string& path);
    // Difficulty 4, system 0, no change, all levels 2, no shops, no research, F 1.0, zero tables.
    void reset();
    // Installs tables directly (tools and fixtures); the rest of the state is kept.
    void setRates(const RateTable& rates) { rates_ = rates; }
    const RateTable& rates() const { return rates_; }

    [[nodiscard]] int setDifficulty(int difficulty);
    int difficulty() const { return difficulty_; }

    // Items 0-4, levels 0-4; kRefused otherwise.
    [[nodiscard]] int setBudgetLevel(int item, int level);
    // Items 0-6; -1 otherwise.
    int budgetLevel(int item) const;

    // Starts a change: refused for a target outside 0-4, equal to the current system, or while a
    // change runs. The current system becomes 4 for the change length.
    [[nodiscard]] int changeSystem(int target);
    bool canChangeSystem(int target) const;
    int currentSystem() const { return currentSystem_; }
    int targetSystem() const { return targetSystem_; }
    int monthsLeft() const { return monthsLeft_; }

    // Refused, unchanged, when the count would fall below 0.
    [[nodiscard]] int addShops(int delta);
    int shopCount() const { return shopCount_; }
    int lastShopCount() const { return lastShopCount_; }

    // Item rate of a system, divided down when the shop count exceeds the system's shop limit.
    double systemRate(int item, int system) const;
    // Budget multiplier of item 0-6 for the current levels and system (-1.0 for a bad item).
    double itemRate(int item) const;
    // The same for a proposed level and system (dialogs and computer players).
    double itemRateAt(int item, int level, int system) const;

    // Rating 0 price, 1 taste, 2 service of the firm, before shop modifiers; -1 for a bad index.
    int rating(int k) const;
    // Product of the three ratings, no floor.
    std::int64_t firmScore() const;

    // Opening deterioration: without update the factor on taste and service this month; with
    // update the new factor F that the month end stores.
    double deterioration(bool update) const;
    double deteriorationFactor() const { return factor_; }

    // Chances for the whole firm with its current shop count; 0 with no shops.
    double poisoningChance() const;
    double overworkChance() const;

    int researchPoints() const { return researchPoints_; }
    int researchStep() const { return rates_.researchStep; }
    int researchLevel() const;
    int researchProgress() const;     // points within the current level
    int researchToNextLevel() const;  // points from this level to the next
    int researchGainPerMonth() const;

    // Deterioration update, shop count memory, research gain, system change countdown.
    void monthEnd();

    // The state a game file keeps (the rate tables come from the rate file). loadState answers
    // kRefused, the policy unchanged, for a value out of range or a change countdown that
    // disagrees with the current system.
    void saveState(ByteWriter& out) const;
    [[nodiscard]] int loadState(ByteReader& in);

    // Table getters for the dialogs and computer players; -1 / -1.0 for a bad index.
    int systemRatingPoints(int k, int system) const;
    int systemShopLimit(int system) const;
    int systemDeteriorates(int system) const;
    int changeMonths() const { return rates_.changeMonths; }
    int shopRatingPoints(int k, int size) const;
    double shopCostModifier(int item, int size) const;
    int shopRange(int size) const;
    int accidentRatingPoints(int k, int kind) const;
    double accidentCostModifier(int item, int kind) const;
    int accidentDuration(int kind) const;
    int accidentSuspension(int kind) const;

private:
    int checkChange(int target) const;

    RateTable rates_;
    int difficulty_ = 4;
    int currentSystem_ = 0;
    int targetSystem_ = kChangingSystem;
    int monthsLeft_ = 0;
    std::array<int, RateTable::kItems> levels_{};
    int shopCount_ = 0;
    int lastShopCount_ = 0;
    int researchPoints_ = 0;
    double factor_ = 1.0;
};

// Largest level L with step * L * (L + 1) / 2 not above points; 0 for a step of 0 or less.
int researchLevelFor(std::int64_t points, int step);

}  // namespace vellmora
