#include "game/price_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/result_codes.h"
#include "game/finance.h"
#include "support/finance_fixture.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

using test::templateRow;

// One template line: a label and the 18 values (or fewer when `columns` is smaller).
std::string templateLine(const std::string& label, const PostingTemplate& row,
                         int columns = kColumnCount) {
    std::string line = label;
    for (int c = 0; c < columns; ++c) {
        line += "," + std::to_string(row[static_cast<std::size_t>(c)]);
    }
    return line + "\n";
}

std::string cashRow(const std::string& label, int code, Money amount) {
    return templateLine(label, templateRow({{1101, -amount}, {code, amount}}));
}

// A complete price file; every row balanced.
std::string completePriceFile() {
    std::string text = "quillmarch_price,10000\n";
    text += "[buildshop]\n" + cashRow("small", 1151, 1000) + cashRow("medium", 1151, 2000) +
            cashRow("large", 1151, 3000);
    text += "[removeshop]\n" + cashRow("small", 5501, 100) + cashRow("medium", 5501, 200) +
            cashRow("large", 5501, 300);
    text += "[salse]\n";
    for (int level = 0; level < 5; ++level) {
        text += templateLine("level", templateRow({{1101, 10 + level}, {4101, -10 - level}}));
    }
    text += "[expense]\n" + cashRow("ingredients", 5101, 3) + cashRow("labour", 5102, 2) +
            cashRow("training", 5103, 1) + cashRow("research", 5303, 50) +
            cashRow("rent", 5302, 1) + cashRow("administration", 5151, 20);
    text += "[settlement]\n" + cashRow("poison min", 5502, 100) +
            cashRow("poison max", 5502, 1000) + cashRow("overwork min", 5502, 500) +
            cashRow("overwork max", 5502, 5000);
    text += "[changesystem]\n" + cashRow("per shop", 5599, 400);
    text += "[establish]\n";
    for (int level = 0; level < 5; ++level) {
        text += templateLine(
            "capital", templateRow({{1101, 1000 * (level + 1)}, {3101, -1000 * (level + 1)}}));
    }
    text += "[borrowing]\n" + templateLine("borrow", templateRow({{1101, 500}, {2101, -500}})) +
            templateLine("repay", templateRow({{1101, -500}, {2101, 500}}));
    text += "[interest]\n" + templateLine("received", templateRow({{1101, 1}, {5201, -1}})) +
            templateLine("paid", templateRow({{1101, -1}, {5301, 1}})) + "deposit,0.012\n";
    for (int rating = 0; rating < 10; ++rating) {
        text += "rate," + std::to_string(0.02 + 0.01 * rating) + "\n";
    }
    text += "[RATING]\nd0,1.5\nd1,1.25\nd2,1.0\nd3,0.75\nd4,0.5\n";
    return text;
}

void expectAllZero(const PriceTable& table) {
    for (int g = 0; g < kTemplateGroupCount; ++g) {
        const auto group = static_cast<TemplateGroup>(g);
        for (int r = 0; r < PriceTable::rowCount(group); ++r) {
            EXPECT_EQ(*table.row(group, r), PostingTemplate{}) << g << " " << r;
        }
    }
    EXPECT_EQ(table.depositRate(), 0.0);
    for (int rating = 0; rating < kLoanRateCount; ++rating) {
        EXPECT_EQ(table.loanRate(rating), 0.0);
    }
    for (int d = 0; d < kRatingFactorCount; ++d) {
        EXPECT_EQ(table.ratingFactor(d), 0.0);
    }
}

TEST(PriceTableTest, LoadsEverySection) {
    test::TempDir dir;
    PriceTable table;
    ASSERT_EQ(table.load(dir.write("price.txt", completePriceFile())), kOk);

    EXPECT_EQ(table.value(TemplateGroup::BuildShop, 2, 1101), -3000);
    EXPECT_EQ(table.value(TemplateGroup::BuildShop, 2, 1151), 3000);
    EXPECT_EQ(table.value(TemplateGroup::RemoveShop, 0, 5501), 100);
    EXPECT_EQ(table.value(TemplateGroup::Sales, 4, 4101), -14);
    EXPECT_EQ(table.row(TemplateGroup::Expense, kResearchRow)->at(columnOf(5303)), 50);
    EXPECT_EQ(table.value(TemplateGroup::Expense, kAdministrationRow, 5151), 20);
    EXPECT_EQ(table.value(TemplateGroup::PoisoningCompensation, 1, 1101), -1000);
    EXPECT_EQ(table.value(TemplateGroup::OverworkCompensation, 0, 1101), -500);
    EXPECT_EQ(table.value(TemplateGroup::OverworkCompensation, 1, 1101), -5000);
    EXPECT_EQ(table.value(TemplateGroup::ChangeSystem, 0, 1101), -400);
    EXPECT_EQ(table.value(TemplateGroup::Establish, 4, 3101), -5000);
    EXPECT_EQ(table.loanUnit(), 500);
    EXPECT_EQ(table.repaymentAmount(), 500);
    EXPECT_EQ(table.value(TemplateGroup::Interest, 1, 5301), 1);
    EXPECT_DOUBLE_EQ(table.depositRate(), 0.012);
    EXPECT_DOUBLE_EQ(table.loanRate(0), 0.02);
    EXPECT_DOUBLE_EQ(table.loanRate(9), 0.11);
    EXPECT_DOUBLE_EQ(table.ratingFactor(0), 1.5);
    EXPECT_DOUBLE_EQ(table.ratingFactor(4), 0.5);

    // Lookups outside the table.
    EXPECT_EQ(table.value(TemplateGroup::BuildShop, 3, 1101), -1);
    EXPECT_EQ(table.value(TemplateGroup::BuildShop, -1, 1101), -1);
    EXPECT_EQ(table.value(TemplateGroup::RemoveShop, 0, 4242), -1);
    EXPECT_EQ(table.row(TemplateGroup::ChangeSystem, 1), nullptr);
    EXPECT_EQ(table.loanRate(10), 0.0);
    EXPECT_EQ(table.loanRate(-1), 0.0);
    EXPECT_EQ(table.ratingFactor(5), 0.0);
}

TEST(PriceTableTest, SectionRules) {
    test::TempDir dir;
    // Capitalised magic word and tags, sections in any order, a section given twice (the later
    // wins), a row without its 9101 value, numbers with trailing text.
    const PostingTemplate full = templateRow({{1101, -7}, {1151, 7}, {9101, 5}});
    const std::string text = "QUILLMARCH_PRICE,10000\n[ChangeSystem]\n" +
                             templateLine("first", full) + "[changesystem]\n" +
                             templateLine("second", templateRow({{1101, -9}, {1151, 9}}), 17) +
                             "[buildshop]\n" + "a,-12abc,12,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n" +
                             cashRow("b", 1151, 20) + cashRow("c", 1151, 30);
    PriceTable table;
    table.setRow(TemplateGroup::ChangeSystem, 0, full);
    ASSERT_EQ(table.load(dir.write("price.txt", text)), kOk);
    EXPECT_EQ(table.value(TemplateGroup::ChangeSystem, 0, 1101), -9);
    // The missing 9101 cell keeps what the row held (5 from the first section).
    EXPECT_EQ(table.value(TemplateGroup::ChangeSystem, 0, 9101), 5);
    EXPECT_EQ(table.value(TemplateGroup::BuildShop, 0, 1101), -12);
    // Absent sections stay 0.
    EXPECT_EQ(table.value(TemplateGroup::Sales, 2, 1101), 0);
    EXPECT_EQ(table.loanUnit(), 0);
}

TEST(PriceTableTest, RefusedFilesResetOrKeepTheTableAsTheyShould) {
    test::TempDir dir;
    const std::string good = completePriceFile();
    auto replaced = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    // A "[salse]" block with four rows: the next tag line is read as the fifth row.
    std::string shortSales = good;
    {
        const auto start = shortSales.find("[salse]\n");
        const auto fifth = shortSales.find("level", shortSales.find("level", start) + 1);
        const auto end = shortSales.find('\n', fifth);
        shortSales.erase(fifth, end - fifth + 1);
    }
    struct Case {
        const char* name;
        std::string text;
        bool resets;  // fails after the header: everything is reset
    };
    const Case cases[] = {
        {"version 9999", replaced("quillmarch_price,10000", "quillmarch_price,9999"), false},
        {"wrong magic word", replaced("quillmarch_price,10000", "quillmarch_rate,10000"), false},
        {"no version", replaced("quillmarch_price,10000", "quillmarch_price"), false},
        {"short sales section", shortSales, true},
        {"row with 16 values", replaced("small,-1000,1000,0,0,0,0", "small,-1000,1000,0,0"), true},
        {"missing deposit rate", replaced("deposit,0.012", "deposit"), true},
        {"missing loan rate", replaced("rate,0.030000", "rate"), true},
        {"missing rating factor", replaced("d3,0.75", "d3"), true},
    };
    for (const Case& c : cases) {
        Finance finance;
        ASSERT_EQ(finance.initialise(test::standardChart()), kOk);
        ASSERT_EQ(finance.loadPriceTable(dir.write("good.txt", good)), kOk);
        finance.setMultiplierFor(5101, 1.5);
        ASSERT_TRUE(finance.postTemplate(TemplateGroup::Establish, 2, 101, 1.0));
        ASSERT_GE(finance.borrow(2, 101, 512), 0);

        EXPECT_EQ(finance.loadPriceTable(dir.write("bad.txt", c.text)), kRefused) << c.name;
        if (c.resets) {
            expectAllZero(finance.priceTable());
            EXPECT_EQ(finance.multiplierFor(5101), 0.0) << c.name;
            EXPECT_EQ(finance.loans().loanCount(), 0) << c.name;
        } else {
            EXPECT_EQ(finance.priceTable().loanUnit(), 500) << c.name;
            EXPECT_DOUBLE_EQ(finance.priceTable().ratingFactor(4), 0.5) << c.name;
            EXPECT_EQ(finance.multiplierFor(5101), 1.5) << c.name;
            EXPECT_EQ(finance.loans().loanCount(), 1) << c.name;
        }
    }

    // A file that cannot be read leaves a fresh table at zero.
    PriceTable table;
    EXPECT_EQ(table.load(dir.file("absent.txt")), kRefused);
    expectAllZero(table);
    EXPECT_EQ(table.load(dir.write("bad.txt", replaced("10000", "9999"))), kRefused);
    expectAllZero(table);
}

TEST(PriceTableTest, BuildRowIsADebitOfTheAssetAgainstCash) {
    test::TempDir dir;
    Finance finance;
    ASSERT_EQ(finance.initialise(test::standardChart()), kOk);
    ASSERT_EQ(finance.loadPriceTable(dir.write("price.txt", completePriceFile())), kOk);
    ASSERT_TRUE(finance.postTemplate(TemplateGroup::Establish, 1, 101, 1.0));  // 2000 cash
    ASSERT_TRUE(finance.postTemplate(TemplateGroup::BuildShop, 1, 101, 1.0));
    EXPECT_EQ(finance.cash(), 0);
    EXPECT_EQ(finance.balance(1151), 2000);
}

}  // namespace
}  // namespace vellmora
