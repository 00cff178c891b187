#include "game/rate_table.h"

#include <string_view>

#include "data/param_file.h"
#include "data/result_codes.h"

namespace vellmora {
namespace {

constexpr std::string_view kRateMagic = "quillmarch_rate";

// Reads cells and remembers whether any of them was missing.
class CellReader {
public:
    explicit CellReader(const ParamFile& file) : file_(file) {}

    int integer(int row, int field) {
        if (file_.isMissing(row, field)) {
            complete_ = false;
            return 0;
        }
        return file_.intAt(row, field);
    }
    double real(int row, int field) {
        if (file_.isMissing(row, field)) {
            complete_ = false;
            return 0.0;
        }
        return file_.realAt(row, field);
    }
    bool complete() const { return complete_; }

private:
    const ParamFile& file_;
    bool complete_ = true;
};

void readByDifficultyAndLevel(CellReader& in, int tagRow, RateTable::ByDifficultyAndLevel& out) {
    for (int d = 0; d < RateTable::kDifficulties; ++d) {
        for (int l = 0; l < RateTable::kLevels; ++l) {
            out[d][l] = in.real(tagRow + 1 + d, 1 + l);
        }
    }
}

void readByRatingAndLevel(CellReader& in, int tagRow, RateTable::ByRatingAndLevel& out) {
    for (int k = 0; k < RateTable::kRatings; ++k) {
        for (int l = 0; l < RateTable::kLevels; ++l) {
            out[k][l] = in.integer(tagRow + 1 + k, 1 + l);
        }
    }
}

// Fields 1-3 rating points, 4-10 budget-item doubles: shared by "[system]", "[accident]", "[shop]".
void readRatingsAndItems(CellReader& in, int row, std::array<int, 3>& points,
                         std::array<double, 7>& items) {
    for (int k = 0; k < RateTable::kRatings; ++k) {
        points[k] = in.integer(row, 1 + k);
    }
    for (int i = 0; i < RateTable::kItems; ++i) {
        items[i] = in.real(row, 4 + i);
    }
}

void readResearch(CellReader& in, int tagRow, RateTable& out) {
    for (int l = 0; l < RateTable::kLevels; ++l) {
        out.researchGain[l] = in.integer(tagRow + 1, 1 + l);
    }
    out.researchStep = in.integer(tagRow + 1, 6);
}

void readSystems(CellReader& in, int tagRow, RateTable& out) {
    for (int s = 0; s < RateTable::kSystems; ++s) {
        const int row = tagRow + 1 + s;
        SystemRates& system = out.systems[s];
        readRatingsAndItems(in, row, system.ratingPoints, system.itemRate);
        system.shopLimit = in.integer(row, 11);
        system.openingDeteriorates = in.integer(row, 12);
    }
    out.changeMonths = in.integer(tagRow + RateTable::kSystems, 13);
}

void readAccidents(CellReader& in, int tagRow, RateTable& out) {
    for (int a = 0; a < RateTable::kAccidents; ++a) {
        const int row = tagRow + 1 + a;
        AccidentRates& accident = out.accidents[a];
        readRatingsAndItems(in, row, accident.ratingPoints, accident.costModifier);
        accident.duration = in.integer(row, 11);
        accident.suspension = in.integer(row, 12);
    }
}

void readDeterioration(CellReader& in, int tagRow, RateTable& out) {
    for (int d = 0; d < RateTable::kDifficulties; ++d) {
        out.deteriorationWeight[d] = in.real(tagRow + 1 + d, 1);
    }
}

void readShopSizes(CellReader& in, int tagRow, RateTable& out) {
    for (int z = 0; z < RateTable::kSizes; ++z) {
        const int row = tagRow + 1 + z;
        ShopSizeRates& size = out.shopSizes[z];
        readRatingsAndItems(in, row, size.ratingPoints, size.costModifier);
        size.range = in.integer(row, 11);
    }
}

void readDifficultyPoints(CellReader& in, int tagRow, RateTable& out) {
    for (int d = 0; d < RateTable::kDifficulties; ++d) {
        for (int k = 0; k < RateTable::kRatings; ++k) {
            out.difficultyRatingPoints[d][k] = in.integer(tagRow + 1 + d, 1 + k);
        }
    }
}

struct Section {
    std::string_view tag;
    void (*read)(CellReader&, int, RateTable&);
};

const Section kSections[] = {
    {"[budget_incrrate]",
     [](CellReader& in, int row, RateTable& out) {
         readByDifficultyAndLevel(in, row, out.budgetRate);
     }},
    {"[randa_budget_incrrate]",
     [](CellReader& in, int row, RateTable& out) {
         readByDifficultyAndLevel(in, row, out.researchBudgetRate);
     }},
    {"[poisoning_incirate]",
     [](CellReader& in, int row, RateTable& out) {
         readByDifficultyAndLevel(in, row, out.poisoningRate);
     }},
    {"[suitcomp_incirate]",
     [](CellReader& in, int row, RateTable& out) {
         readByDifficultyAndLevel(in, row, out.overworkRate);
     }},
    {"[sales_estincrrate]",
     [](CellReader& in, int row, RateTable& out) {
         readByRatingAndLevel(in, row, out.priceRatingPoints);
     }},
    {"[ingredients_estincrrate]",
     [](CellReader& in, int row, RateTable& out) {
         readByRatingAndLevel(in, row, out.ingredientsRatingPoints);
     }},
    {"[labor_estincrrate]",
     [](CellReader& in, int row, RateTable& out) {
         readByRatingAndLevel(in, row, out.labourRatingPoints);
     }},
    {"[instruction_estincrrate]",
     [](CellReader& in, int row, RateTable& out) {
         readByRatingAndLevel(in, row, out.trainingRatingPoints);
     }},
    {"[randa_incrrate]", readResearch},
    {"[system]", readSystems},
    {"[accident]", readAccidents},
    {"[openbranch_deterioration]", readDeterioration},
    {"[shop]", readShopSizes},
    {"[difficulty_estincrate]", readDifficultyPoints},
};

}  // namespace

int readRateTable(const ParamFile& file, RateTable& out) {
    if (file.checkHeader(kRateMagic, MagicCompare::IgnoreAsciiCase) != kOk) {
        return kRefused;
    }
    RateTable table;
    CellReader in(file);
    for (const Section& section : kSections) {
        // Every section is needed: a table left unread would feed zeros into every rating.
        const std::vector<int> rows = file.findSectionRows(section.tag);
        if (rows.empty()) {
            return kRefused;
        }
        // A tag given twice: the later block wins, but each must be complete.
        for (int row : rows) {
            section.read(in, row, table);
        }
    }
    if (!in.complete()) {
        return kRefused;
    }
    out = table;
    return kOk;
}

int loadRateTable(const std::string& path, RateTable& out) {
    ParamFile file;
    if (file.load(path) != kOk) {
        return kRefused;
    }
    return readRateTable(file, out);
}

}  // namespace vellmora
