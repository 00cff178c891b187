#include "game/ai_params.h"

#include <string_view>
#include <type_traits>

#include "data/param_file.h"
#include "data/result_codes.h"
#include "data/text_encoding.h"

namespace vellmora {
namespace {

constexpr std::string_view kAiMagic = "quillmarch_ai";
constexpr int kNameRows = 6;

// Stores 0 for a missing cell and remembers it; reading goes on.
class PhaseReader {
public:
    explicit PhaseReader(const ParamFile& file) : file_(file) {}

    template <typename T>
    void read(std::string_view tag, int rowOffset, AiParams::PerPhase<T>& out) {
        for (int tagRow : file_.findSectionRows(tag)) {
            const int row = tagRow + 1 + rowOffset;
            for (int phase = 0; phase < AiParams::kPhases; ++phase) {
                const int field = 1 + phase;
                if (file_.isMissing(row, field)) {
                    complete_ = false;
                    out[phase] = T{};
                } else if constexpr (std::is_same_v<T, double>) {
                    out[phase] = file_.realAt(row, field);
                } else {
                    out[phase] = file_.intAt(row, field);
                }
            }
        }
    }
    bool complete() const { return complete_; }

private:
    const ParamFile& file_;
    bool complete_ = true;
};

}  // namespace

int checkAiHeader(const ParamFile& file) {
    return file.checkHeader(kAiMagic, MagicCompare::IgnoreAsciiCase);
}

int readAiParams(const ParamFile& file, AiParams& out) {
    out = AiParams{};
    if (checkAiHeader(file) != kOk) {
        return kRefused;
    }
    PhaseReader in(file);
    for (int row = 0; row < static_cast<int>(out.popCoefficient.size()); ++row) {
        in.read("[pop_coefficient]", row, out.popCoefficient[row]);
    }
    in.read("[onstreet]", 0, out.onStreet);
    in.read("[landprice_coefficient]", 0, out.landPriceCoefficient);
    in.read("[randa_profit_rate]", 0, out.researchProfitRate);
    in.read("[shopsize]", 0, out.shopSize);
    in.read("[closeterm]", 0, out.closeTerm);
    in.read("[system]", 0, out.system);
    for (int row = 0; row < static_cast<int>(out.budget.size()); ++row) {
        in.read("[budget]", row, out.budget[row]);
    }
    return in.complete() ? kOk : kRefused;
}

int readAiNames(const ParamFile& file, AiNames& out) {
    out = AiNames{};
    const std::vector<int> tagRows = file.findSectionRows("[name]");
    if (tagRows.empty()) {
        return kRefused;
    }
    const int tagRow = tagRows.back();  // a later section wins
    bool complete = true;
    for (int i = 0; i < kNameRows; ++i) {
        const int row = tagRow + 1 + i;
        if (file.isMissing(row, 1)) {
            complete = false;
            continue;
        }
        const std::string_view text = file.cellView(row, 1);
        const auto slot = static_cast<std::size_t>(1 + i / 2);
        if (i % 2 == 0) {
            out.company[slot] = cutCp932(text, AiNames::kCompanyNameMax);
        } else {
            out.president[slot] = cutCp932(text, AiNames::kPresidentNameMax);
        }
    }
    return complete ? kOk : kRefused;
}

}  // namespace vellmora
