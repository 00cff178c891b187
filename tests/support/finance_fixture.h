// A small, complete chart of accounts and price-table rows for tests of the books, the loans and
// everything posted through the finance.
#pragma once

#include <cstdint>
#include <vector>

#include "data/result_codes.h"
#include "game/account_chart.h"
#include "game/finance.h"
#include "game/price_table.h"

namespace vellmora::test {

inline constexpr std::uint32_t kFixtureTitleLength = 64;

// The 18 accounts of the finance: groups 201 (debt), 251 (paid-in equity), 261 (retained
// earnings, the retained-earnings account) and 999 (the result, the profit-and-loss summary).
inline std::vector<AccountTitle> standardChartRecords() {
    return {
        {1101, kAssetType, 101, "cash", 0},
        {1151, kAssetType, 151, "fixed assets", 0},
        {2101, kLiabilityType, 201, "loans", 0},
        {3101, kEquityType, 251, "capital", 0},
        {3102, kEquityType, 261, "retained earnings", 0},
        {4101, kRevenueType, 401, "sales", 0},
        {5101, kExpenseType, 501, "ingredients", 0},
        {5102, kExpenseType, 501, "labour", 0},
        {5103, kExpenseType, 501, "training", 0},
        {5151, kExpenseType, 501, "administration", 0},
        {5201, kRevenueType, 402, "interest received", 0},
        {5301, kExpenseType, 502, "interest paid", 0},
        {5302, kExpenseType, 501, "rent", 0},
        {5303, kExpenseType, 501, "research", 0},
        {5501, kExpenseType, 550, "extraordinary", 0},
        {5502, kExpenseType, 550, "compensation", 0},
        {5599, kExpenseType, 550, "other extraordinary", 0},
        {9101, kExpenseType, 999, "result", 0},
    };
}

// kOk or the chart's refusal code.
inline int loadChart(const std::vector<AccountTitle>& records, AccountChart& chart,
                     std::uint32_t titleLength = kFixtureTitleLength) {
    return loadFinanceChart(
        AccountChart::encodeHeader(static_cast<std::uint32_t>(records.size()), titleLength),
        AccountChart::encodeRecords(records, titleLength), chart);
}

inline AccountChart standardChart() {
    AccountChart chart;
    static_cast<void>(loadChart(standardChartRecords(), chart));
    return chart;
}

// A row with the given (code, value) cells, zero elsewhere.
inline PostingTemplate templateRow(std::initializer_list<std::pair<int, Money>> cells) {
    PostingTemplate row{};
    for (const auto& [code, value] : cells) {
        row[static_cast<std::size_t>(columnOf(code))] = value;
    }
    return row;
}

}  // namespace vellmora::test
