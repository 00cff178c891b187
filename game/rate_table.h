// The rate file ("quillmarch_rate"): the tables that turn a firm's difficulty, management system,
// budget levels and shop count into ratings, cost multipliers and accident chances.
#pragma once

#include <array>
#include <string>

namespace vellmora {

class ParamFile;

// One row of the "[system]" section.
struct SystemRates {
    std::array<int, 3> ratingPoints{};  // price, taste, service
    std::array<double, 7> itemRate{};   // budget items 0-6
    int shopLimit = 0;                  // 0 = no limit
    int openingDeteriorates = 0;        // non-zero: opening shops lowers taste and service
};

// One row of the "[accident]" section.
struct AccidentRates {
    std::array<int, 3> ratingPoints{};
    std::array<double, 7> costModifier{};
    int duration = 0;    // months the effect lasts
    int suspension = 0;  // months of business suspension it adds
};

// One row of the "[shop]" section.
struct ShopSizeRates {
    std::array<int, 3> ratingPoints{};
    std::array<double, 7> costModifier{};
    int range = 0;  // catchment range in walking distance
};

struct RateTable {
    static constexpr int kDifficulties = 5;
    static constexpr int kLevels = 5;
    static constexpr int kRatings = 3;
    static constexpr int kSystems = 5;  // 0-3 plus 4 while a change runs
    static constexpr int kItems = 7;
    static constexpr int kAccidents = 4;
    static constexpr int kSizes = 3;

    using ByDifficultyAndLevel = std::array<std::array<double, kLevels>, kDifficulties>;
    using ByRatingAndLevel = std::array<std::array<int, kLevels>, kRatings>;

    ByDifficultyAndLevel budgetRate{};          // [budget_incrrate]
    ByDifficultyAndLevel researchBudgetRate{};  // [randa_budget_incrrate]
    ByDifficultyAndLevel poisoningRate{};       // [poisoning_incirate], by ingredients level
    ByDifficultyAndLevel overworkRate{};        // [suitcomp_incirate], by labour level

    ByRatingAndLevel priceRatingPoints{};        // [sales_estincrrate]
    ByRatingAndLevel ingredientsRatingPoints{};  // [ingredients_estincrrate]
    ByRatingAndLevel labourRatingPoints{};       // [labor_estincrrate]
    ByRatingAndLevel trainingRatingPoints{};     // [instruction_estincrrate]

    std::array<int, kLevels> researchGain{};  // [randa_incrrate], points per month by level
    int researchStep = 0;

    std::array<SystemRates, kSystems> systems{};
    int changeMonths = 0;  // months a change of system takes

    std::array<AccidentRates, kAccidents> accidents{};
    std::array<double, kDifficulties> deteriorationWeight{};  // [openbranch_deterioration]
    std::array<ShopSizeRates, kSizes> shopSizes{};
    std::array<std::array<int, kRatings>, kDifficulties> difficultyRatingPoints{};
};

// Reads the rate tables from a loaded parameter file. Every section must be present and complete;
// otherwise answers kRefused and leaves `out` untouched.
[[nodiscard]] int readRateTable(const ParamFile& file, RateTable& out);

// Loads the file at `path` and reads it as above; kRefused when the file cannot be read.
[[nodiscard]] int loadRateTable(const std::string& path, RateTable& out);

}  // namespace vellmora
