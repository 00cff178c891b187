// A firm's books for the budget, management-system and settlement tests: an account container
// and a tiny price file written into a temp folder, a finance opened on them, a shop list and
// the settlement over both.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "data/account_container.h"
#include "data/result_codes.h"
#include "game/account_chart.h"
#include "game/finance.h"
#include "game/price_table.h"
#include "game/settlement.h"
#include "game/shop_list.h"
#include "support/finance_fixture.h"
#include "support/temp_dir.h"

namespace vellmora::test {

// One price-file row: a label, then the 18 column values (codes not named are 0).
inline std::string priceRow(std::initializer_list<std::pair<int, long long>> amounts) {
    std::map<int, long long> byCode(amounts.begin(), amounts.end());
    std::string line = "row";
    for (int code : kColumnCodes) {
        line += ",";
        line += std::to_string(byCode.count(code) != 0 ? byCode[code] : 0);
    }
    return line + "\n";
}

// Rows that move cash by `cash` against one other account.
inline std::string cashRow(long long cash, int other) {
    return priceRow({{1101, cash}, {other, -cash}});
}

// Amounts of the fixture's price file, per unit of each row's factor.
struct Prices {
    static constexpr Money kBuild[3] = {1000, 2000, 3000};
    static constexpr Money kRemove[3] = {100, 200, 300};
    static constexpr Money kSales[5] = {10, 9, 8, 7, 6};  // per customer, by price level
    static constexpr Money kIngredients = 3;              // per customer
    static constexpr Money kLabour = 2;
    static constexpr Money kTraining = 1;
    static constexpr Money kResearch = 500;       // per company
    static constexpr Money kRent = 1;             // per unit of rent base
    static constexpr Money kAdministration = 50;  // per shop
    static constexpr Money kPoisoning[2] = {1000, 5000};
    static constexpr Money kOverwork[2] = {2000, 8000};
    static constexpr Money kChange = 300;  // per open shop
    static constexpr Money kFounding[5] = {50000, 75000, 100000, 125000, 150000};
    static constexpr Money kLoanUnit = 10000;
    // 3/32, exact in binary: 1000 a month on 128000.
    static constexpr double kDepositRate = 0.09375;
};

inline std::string priceFile() {
    std::string text = "quillmarch_price,10000\n[buildshop]\n";
    for (Money cost : Prices::kBuild) {
        text += priceRow({{1101, -cost}, {1151, cost}});
    }
    text += "[removeshop]\n";
    for (Money cost : Prices::kRemove) {
        text += cashRow(-cost, 5501);
    }
    text += "[salse]\n";
    for (Money price : Prices::kSales) {
        text += cashRow(price, 4101);
    }
    text += "[expense]\n";
    text += cashRow(-Prices::kIngredients, 5101);
    text += cashRow(-Prices::kLabour, 5102);
    text += cashRow(-Prices::kTraining, 5103);
    text += cashRow(-Prices::kResearch, 5303);
    text += cashRow(-Prices::kRent, 5302);
    text += cashRow(-Prices::kAdministration, 5151);
    text += "[settlement]\n";
    for (Money amount : Prices::kPoisoning) {
        text += cashRow(-amount, 5502);
    }
    for (Money amount : Prices::kOverwork) {
        text += cashRow(-amount, 5502);
    }
    text += "[changesystem]\n" + cashRow(-Prices::kChange, 5599);
    text += "[establish]\n";
    for (Money capital : Prices::kFounding) {
        text += cashRow(capital, 3101);
    }
    text += "[borrowing]\n";
    text += cashRow(Prices::kLoanUnit, 2101);
    text += cashRow(-Prices::kLoanUnit, 2101);
    text += "[interest]\n";
    text += cashRow(1, 5201);
    text += cashRow(-1, 5301);
    text += "deposit,0.09375\n";
    for (int rating = 0; rating < 10; ++rating) {
        text += "rate," + std::to_string(0.06 + 0.01 * rating) + "\n";
    }
    text += "[rating]\n";
    for (int level = 0; level < 5; ++level) {
        text += "factor,1.0\n";
    }
    return text;
}

class BooksFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const std::vector<AccountTitle> records = standardChartRecords();
        const std::string container = dir.file("acc.dat");
        ASSERT_EQ(writeAccountContainer(
                      container, {{"ahd", AccountChart::encodeHeader(
                                              static_cast<std::uint32_t>(records.size()), 32)},
                                  {"acc", AccountChart::encodeRecords(records, 32)}}),
                  kOk);
        AccountContainer data;
        ASSERT_EQ(data.open(container), kOk);
        const std::unique_ptr<Blob> header = data.blob("ahd");
        const std::unique_ptr<Blob> accounts = data.blob("acc");
        ASSERT_TRUE(header && accounts);
        ASSERT_EQ(loadFinanceChart(*header, *accounts, chart), kOk);
        ASSERT_EQ(finance.initialise(chart), kOk);
        ASSERT_EQ(finance.loadPriceTable(dir.write("price.txt", priceFile())), kOk);
        ShopTables tables;
        tables.accidents[0].suspension = 2;  // food poisoning closes the shop for two months
        tables.accidents[0].duration = 2;
        tables.accidents[1].duration = 2;
        shops.setTables(tables);
    }

    // A shop with its customers; modifiers are set per size through setCostModifier.
    int addShop(int customers, int rent = 100, int size = 0) {
        const int number = shops.create(static_cast<int>(shopsMade), 0, size, rent);
        ++shopsMade;
        if (number >= 0) {
            shops.shop(number)->setCustomers(customers);
        }
        return number;
    }

    void setCostModifier(int size, int item, double value) {
        ShopTables tables = shops.tables();
        tables.sizes[static_cast<std::size_t>(size)].costModifier[static_cast<std::size_t>(item)] =
            value;
        shops.setTables(tables);
    }

    void found(int difficulty = 2) {
        ASSERT_EQ(settlement.postFoundingCapital(difficulty, 101), kOk);
    }

    TempDir dir;
    AccountChart chart;
    Finance finance;
    ShopList shops{0};
    Settlement settlement{finance, shops};
    int shopsMade = 0;
};

}  // namespace vellmora::test
