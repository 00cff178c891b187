// A complete, valid rate file for tests that need a firm policy or a firm. Values are small and
// distinct enough that a cell read from the wrong row or column shows.
#pragma once

#include <string>
#include <vector>

namespace vellmora::test {

// The lines of a rate file; edit them to make a broken file, then join with rateFileText.
inline std::vector<std::string> rateFileLines() {
    std::vector<std::string> lines = {"quillmarch_rate,10000"};
    auto table = [&lines](const std::string& tag, int rows, auto cellText) {
        lines.push_back(tag);
        for (int r = 0; r < rows; ++r) {
            std::string line = "row" + std::to_string(r);
            for (const std::string& cell : cellText(r)) {
                line += "," + cell;
            }
            lines.push_back(line);
        }
    };
    auto levels = [](double first, double step) {
        return [first, step](int r) {
            std::vector<std::string> cells;
            for (int l = 0; l < 5; ++l) {
                cells.push_back(std::to_string(first + r * 0.1 + l * step));
            }
            return cells;
        };
    };
    auto points = [](int centre) {
        return [centre](int r) {
            std::vector<std::string> cells;
            for (int l = 0; l < 5; ++l) {
                cells.push_back(std::to_string(centre + r + (l - 2) * 5));
            }
            return cells;
        };
    };
    table("[budget_incrrate]", 5, levels(0.5, 0.25));
    table("[randa_budget_incrrate]", 5, levels(0.0, 0.5));
    table("[poisoning_incirate]", 5, levels(0.001, 0.001));
    table("[suitcomp_incirate]", 5, levels(0.002, 0.001));
    table("[sales_estincrrate]", 3, points(0));
    table("[ingredients_estincrrate]", 3, points(1));
    table("[labor_estincrrate]", 3, points(2));
    table("[instruction_estincrrate]", 3, points(3));
    table("[randa_incrrate]", 1,
          [](int) { return std::vector<std::string>{"0", "25", "50", "100", "200", "100"}; });
    table("[system]", 5, [](int s) {
        std::vector<std::string> cells = {std::to_string(s), std::to_string(-s), "0"};
        for (int i = 0; i < 7; ++i) {
            cells.push_back(std::to_string(0.01 * (s * 10 + i)));
        }
        cells.push_back(s == 0 ? "5" : "0");  // shop limit
        cells.push_back(s >= 2 ? "0" : "1");  // opening deteriorates
        if (s == 4) {
            cells.push_back("3");  // months a change takes
        }
        return cells;
    });
    table("[accident]", 4, [](int a) {
        std::vector<std::string> cells = {std::to_string(-10 - a), "-5", "-20"};
        for (int i = 0; i < 7; ++i) {
            cells.push_back(i == 6 ? "0.5" : "0");
        }
        cells.push_back(std::to_string(3 + a));   // duration
        cells.push_back(a % 2 == 0 ? "1" : "0");  // suspension
        return cells;
    });
    table("[openbranch_deterioration]", 5,
          [](int d) { return std::vector<std::string>{std::to_string(0.25 * d)}; });
    table("[shop]", 3, [](int z) {
        std::vector<std::string> cells = {std::to_string(-z), std::to_string(z), std::to_string(z)};
        for (int i = 0; i < 7; ++i) {
            cells.push_back(std::to_string(0.1 * z));
        }
        cells.push_back(std::to_string(6 + 2 * z));  // range
        return cells;
    });
    table("[difficulty_estincrate]", 5, [](int d) {
        return std::vector<std::string>{std::to_string(10 - 5 * d), std::to_string(8 - 4 * d),
                                        std::to_string(6 - 3 * d)};
    });
    return lines;
}

inline std::string rateFileText(const std::vector<std::string>& lines = rateFileLines()) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

}  // namespace vellmora::test
