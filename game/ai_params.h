// The computer players' parameter file ("quillmarch_ai"): one value per phase for every tuning
// parameter, and the "[name]" section with the computer companies' and presidents' names.
#pragma once

#include <array>
#include <string>

namespace vellmora {

class ParamFile;

struct AiParams {
    static constexpr int kPhases = 3;
    template <typename T>
    using PerPhase = std::array<T, kPhases>;

    // Read with the file; no decision uses them.
    std::array<PerPhase<double>, 5> popCoefficient{};
    PerPhase<int> onStreet{};

    PerPhase<double> landPriceCoefficient{};  // weight of a site's rent in its value
    PerPhase<double> researchProfitRate{};    // share of the profit before research for research
    PerPhase<int> shopSize{};                 // size of every shop built
    PerPhase<int> closeTerm{};                // consecutive losing months before a shop is closed
    PerPhase<int> system{};                   // wanted management system 0-3
    std::array<PerPhase<int>, 4> budget{};    // levels of budget items 0-3
};

// kOk when row 0 holds "quillmarch_ai" (any ASCII case) and version 10000.
[[nodiscard]] int checkAiHeader(const ParamFile& file);

// Zeroes `out`, then reads it. A wrong magic word or version answers kRefused at once (all zero);
// a missing cell stores 0, reading goes on, and the answer is kRefused.
[[nodiscard]] int readAiParams(const ParamFile& file, AiParams& out);

struct AiNames {
    static constexpr std::size_t kCompanyNameMax = 255;
    static constexpr std::size_t kPresidentNameMax = 256;
    // Slot 0 (the player) stays empty; slots 1-3 from the file, cut to the limits above.
    std::array<std::string, 4> company;
    std::array<std::string, 4> president;
};

// Reads the "[name]" section: company 1, president 1, company 2, ... (field 1 of the six rows
// after the tag). Missing names stay empty and make the answer kRefused; no section: kRefused.
[[nodiscard]] int readAiNames(const ParamFile& file, AiNames& out);

}  // namespace vellmora
