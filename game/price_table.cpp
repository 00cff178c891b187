#include "game/price_table.h"

#include <string_view>

#include "data/param_file.h"
#include "data/result_codes.h"

namespace vellmora {
namespace {

constexpr std::string_view kMagic = "quillmarch_price";

constexpr std::array<int, kTemplateGroupCount> kRowCounts{3, 3, 5, 6, 2, 2, 1, 5, 2, 2};

std::size_t indexOf(TemplateGroup group) {
    return static_cast<std::size_t>(group);
}

// Reads `count` template rows starting at file row `first` into `rows`. Columns 1 to 17 must be
// present; a missing column 18 (the 9101 value) keeps the value the row held.
bool readRows(const ParamFile& file, int first, std::vector<PostingTemplate>& rows) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int line = first + static_cast<int>(r);
        for (int column = 0; column < kColumnCount; ++column) {
            const int field = column + 1;
            if (file.isMissing(line, field)) {
                if (column == kColumnCount - 1) {
                    continue;
                }
                return false;
            }
            rows[r][static_cast<std::size_t>(column)] = file.intAt(line, field);
        }
    }
    return true;
}

// Reads column 1 of `values.size()` lines starting at `first` as decimals.
template <std::size_t N>
bool readReals(const ParamFile& file, int first, std::array<double, N>& values) {
    for (std::size_t i = 0; i < N; ++i) {
        const int line = first + static_cast<int>(i);
        if (file.isMissing(line, 1)) {
            return false;
        }
        values[i] = file.realAt(line, 1);
    }
    return true;
}

}  // namespace

PriceTable::PriceTable() {
    reset();
}

void PriceTable::reset() {
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        groups_[g].assign(static_cast<std::size_t>(kRowCounts[g]), PostingTemplate{});
    }
    depositRate_ = 0.0;
    loanRates_.fill(0.0);
    ratingFactors_.fill(0.0);
}

int PriceTable::load(const std::string& path) {
    ParamFile file;
    if (file.load(path) != kOk) {
        lastLoadReset_ = false;
        return kRefused;
    }
    return load(file);
}

int PriceTable::load(const ParamFile& file) {
    lastLoadReset_ = false;
    if (file.checkHeader(kMagic, MagicCompare::IgnoreAsciiCase) != kOk) {
        return kRefused;
    }

    bool ok = true;
    for (int line = 0; line < file.rowCount() && ok; ++line) {
        if (file.isMissing(line, 0)) {
            continue;
        }
        const std::string_view tag = file.cellView(line, 0);
        auto is = [&tag](std::string_view name) {
            return ParamFile::equalsIgnoreAsciiCase(tag, name);
        };
        if (is("[buildshop]")) {
            ok = readRows(file, line + 1, groups_[indexOf(TemplateGroup::BuildShop)]);
        } else if (is("[removeshop]")) {
            ok = readRows(file, line + 1, groups_[indexOf(TemplateGroup::RemoveShop)]);
        } else if (is("[salse]")) {
            ok = readRows(file, line + 1, groups_[indexOf(TemplateGroup::Sales)]);
        } else if (is("[expense]")) {
            ok = readRows(file, line + 1, groups_[indexOf(TemplateGroup::Expense)]);
        } else if (is("[settlement]")) {
            ok = readRows(file, line + 1, groups_[indexOf(TemplateGroup::PoisoningCompensation)]) &&
                 readRows(file, line + 3, groups_[indexOf(TemplateGroup::OverworkCompensation)]);
        } else if (is("[changesystem]")) {
            ok = readRows(file, line + 1, groups_[indexOf(TemplateGroup::ChangeSystem)]);
        } else if (is("[establish]")) {
            ok = readRows(file, line + 1, groups_[indexOf(TemplateGroup::Establish)]);
        } else if (is("[borrowing]")) {
            ok = readRows(file, line + 1, groups_[indexOf(TemplateGroup::Borrowing)]);
        } else if (is("[interest]")) {
            std::array<double, 1> deposit{};
            ok = readRows(file, line + 1, groups_[indexOf(TemplateGroup::Interest)]) &&
                 readReals(file, line + 3, deposit) && readReals(file, line + 4, loanRates_);
            if (ok) {
                depositRate_ = deposit[0];
            }
        } else if (is("[rating]")) {
            ok = readReals(file, line + 1, ratingFactors_);
        }
    }
    if (!ok) {
        reset();
        lastLoadReset_ = true;
        return kRefused;
    }
    return kOk;
}

int PriceTable::rowCount(TemplateGroup group) {
    return kRowCounts[indexOf(group)];
}

const PostingTemplate* PriceTable::row(TemplateGroup group, int row) const {
    const auto& rows = groups_[indexOf(group)];
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        return nullptr;
    }
    return &rows[static_cast<std::size_t>(row)];
}

Money PriceTable::value(TemplateGroup group, int row, int code) const {
    const PostingTemplate* values = this->row(group, row);
    const int column = columnOf(code);
    if (values == nullptr || column < 0) {
        return -1;
    }
    return (*values)[static_cast<std::size_t>(column)];
}

double PriceTable::loanRate(int rating) const {
    if (rating < 0 || rating >= kLoanRateCount) {
        return 0.0;
    }
    return loanRates_[static_cast<std::size_t>(rating)];
}

double PriceTable::ratingFactor(int difficulty) const {
    if (difficulty < 0 || difficulty >= kRatingFactorCount) {
        return 0.0;
    }
    return ratingFactors_[static_cast<std::size_t>(difficulty)];
}

Money PriceTable::loanUnit() const {
    return groups_[indexOf(TemplateGroup::Borrowing)][0][0];
}

Money PriceTable::repaymentAmount() const {
    return -groups_[indexOf(TemplateGroup::Borrowing)][1][0];
}

void PriceTable::setRow(TemplateGroup group, int row, const PostingTemplate& values) {
    auto& rows = groups_[indexOf(group)];
    if (row >= 0 && row < static_cast<int>(rows.size())) {
        rows[static_cast<std::size_t>(row)] = values;
    }
}

void PriceTable::setLoanRate(int rating, double rate) {
    if (rating >= 0 && rating < kLoanRateCount) {
        loanRates_[static_cast<std::size_t>(rating)] = rate;
    }
}

void PriceTable::setRatingFactor(int difficulty, double factor) {
    if (difficulty >= 0 && difficulty < kRatingFactorCount) {
        ratingFactors_[static_cast<std::size_t>(difficulty)] = factor;
    }
}

}  // namespace vellmora
