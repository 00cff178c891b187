#include "game/ledger.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "data/account_container.h"
#include "data/result_codes.h"
#include "game/finance.h"
#include "game/money_convert.h"
#include "support/finance_fixture.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

using test::standardChart;
using test::standardChartRecords;
using test::templateRow;

// Sum of every debit-normal balance minus every credit-normal balance; 0 while the books balance.
Money trialBalance(const Ledger& ledger) {
    Money total = 0;
    for (const auto& [code, title] : ledger.chart().accounts()) {
        total += ledger.balance(code) * title.sign;
    }
    return total;
}

class LedgerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(finance.initialise(standardChart()), kOk); }

    void post(std::initializer_list<std::pair<int, Money>> cells, int date = 101) {
        ASSERT_TRUE(finance.postTemplate(templateRow(cells), date, 1.0).has_value());
    }

    Finance finance;
};

TEST(AccountChartTest, ReadsRecordsAndDerivesSignsAndSummaryAccounts) {
    auto records = standardChartRecords();
    // A later summary record of the same kind replaces an earlier one.
    records.push_back({9201, kExpenseType, 261, "later result", 0});
    records.push_back({7000, 9, 700, std::string(63, 'x'), 0});  // 63 bytes: the longest title
    AccountChart chart;
    ASSERT_EQ(test::loadChart(records, chart), kOk);

    EXPECT_EQ(chart.summaryCode(), 9201);
    EXPECT_EQ(chart.retainedEarningsCode(), 3102);
    ASSERT_NE(chart.find(1101), nullptr);
    EXPECT_EQ(chart.find(1101)->sign, 1);
    EXPECT_EQ(chart.find(5101)->sign, 1);
    EXPECT_EQ(chart.find(2101)->sign, -1);
    EXPECT_EQ(chart.find(3101)->sign, -1);
    EXPECT_EQ(chart.find(4101)->sign, -1);
    EXPECT_EQ(chart.find(7000)->sign, 0);
    EXPECT_EQ(chart.find(7000)->title.size(), 63u);
    EXPECT_EQ(chart.find(4101)->group, 401);
    EXPECT_EQ(chart.find(1234), nullptr);
}

TEST(AccountChartTest, TitleFieldWithoutTerminatorKeepsItsBytes) {
    auto records = standardChartRecords();
    records[0].title = "\x8c\xbb\x97\x61\x8b\xe0";  // CP932 bytes, exactly fill the field
    AccountChart chart;
    ASSERT_EQ(test::loadChart(records, chart, 6), kOk);
    EXPECT_EQ(chart.find(1101)->title, "\x8c\xbb\x97\x61\x8b\xe0");
    EXPECT_EQ(chart.find(1151)->title, "fixed ");
}

TEST(AccountChartTest, RefusesBrokenOrIncompleteChartsAndKeepsThePreviousOne) {
    const auto standard = standardChartRecords();
    auto without = [&](int code) {
        auto records = standard;
        std::erase_if(records, [code](const AccountTitle& t) { return t.code == code; });
        return records;
    };
    auto changed = [&](int code, int type, int group) {
        auto records = standard;
        for (auto& record : records) {
            if (record.code == code) {
                record.type = type;
                record.group = group;
            }
        }
        return records;
    };
    auto header = [](std::uint32_t count, std::uint32_t length) {
        return AccountChart::encodeHeader(count, length);
    };
    const auto goodRecords = AccountChart::encodeRecords(standard, 64);
    auto longTitle = standard;
    longTitle[3].title = std::string(64, 'y');
    auto duplicate = standard;
    duplicate.push_back(standard[0]);

    struct Case {
        const char* name;
        std::vector<std::uint8_t> header;
        std::vector<std::uint8_t> records;
        int expected;
    };
    const Case cases[] = {
        {"no header blob", {}, goodRecords, kMissingFile},
        {"no records blob", header(18, 64), {}, kMissingFile},
        {"short header", {18, 0, 0, 0}, goodRecords, kChartMalformed},
        {"records beyond the data", header(19, 64), goodRecords, kChartMalformed},
        {"huge count", header(0xffffffffu, 0xffffffffu), goodRecords, kChartMalformed},
        {"title over 63 bytes", header(18, 80), AccountChart::encodeRecords(longTitle, 80),
         kChartMalformed},
        {"code given twice", header(19, 64), AccountChart::encodeRecords(duplicate, 64),
         kChartMalformed},
        {"missing 5502", header(17, 64), AccountChart::encodeRecords(without(5502), 64),
         kChartIncomplete},
        {"missing 1101", header(17, 64), AccountChart::encodeRecords(without(1101), 64),
         kChartIncomplete},
        {"no profit-and-loss summary", header(18, 64),
         AccountChart::encodeRecords(changed(9101, kExpenseType, 501), 64), kChartIncomplete},
        {"no retained earnings", header(18, 64),
         AccountChart::encodeRecords(changed(3102, kEquityType, 251), 64), kChartIncomplete},
        {"zero records", header(0, 64), goodRecords, kChartIncomplete},
    };
    for (const Case& c : cases) {
        AccountChart chart = standardChart();
        EXPECT_EQ(loadFinanceChart(c.header, c.records, chart), c.expected) << c.name;
        EXPECT_EQ(chart.accounts().size(), 18u) << c.name;
        EXPECT_EQ(chart.summaryCode(), 9101) << c.name;
    }
}

TEST(AccountChartTest, ReadsTheChartFromAnAccountDataFile) {
    test::TempDir dir;
    const auto records = standardChartRecords();
    const std::string path = dir.file("acc.dat");
    ASSERT_EQ(writeAccountContainer(path, {{"ahd", AccountChart::encodeHeader(18, 64)},
                                           {"acc", AccountChart::encodeRecords(records, 64)}}),
              kOk);
    AccountContainer container;
    ASSERT_EQ(container.open(path), kOk);
    const auto header = container.blob("ahd");
    const auto body = container.blob("acc");
    ASSERT_TRUE(header && body);
    AccountChart chart;
    ASSERT_EQ(loadFinanceChart(*header, *body, chart), kOk);
    EXPECT_EQ(chart.accounts().size(), 18u);
    EXPECT_EQ(chart.find(3102)->title, "retained earnings");

    // A container without the records blob gives no chart.
    ASSERT_EQ(writeAccountContainer(path, {{"ahd", AccountChart::encodeHeader(18, 64)}}), kOk);
    ASSERT_EQ(container.open(path), kOk);
    const auto missing = container.blob("acc");
    EXPECT_EQ(missing, nullptr);
    AccountChart empty;
    EXPECT_EQ(loadFinanceChart(*container.blob("ahd"), {}, empty), kMissingFile);
    EXPECT_TRUE(empty.empty());
}

TEST(FinanceTest, RefusesAChartWithoutTheFinanceAccounts) {
    Finance finance;
    EXPECT_EQ(finance.initialise(AccountChart{}), kChartIncomplete);

    // A chart that is complete in itself but lacks one of the 18 columns.
    auto records = standardChartRecords();
    std::erase_if(records, [](const AccountTitle& t) { return t.code == 5599; });
    AccountChart partial;
    ASSERT_EQ(partial.load(AccountChart::encodeHeader(17, 64),
                           AccountChart::encodeRecords(records, 64), {}),
              kOk);
    EXPECT_EQ(finance.initialise(partial), kChartIncomplete);
    EXPECT_FALSE(finance.ledger().hasAccount(1101));
}

TEST_F(LedgerTest, OpensEveryAccountAtZeroWithAnOpeningLine) {
    for (int code : kColumnCodes) {
        const Account* account = finance.ledger().account(code);
        ASSERT_NE(account, nullptr) << code;
        ASSERT_EQ(account->card.size(), 1u);
        EXPECT_EQ(account->card[0].counterCode, -1);
        EXPECT_EQ(account->card[0].balance, 0);
    }
    EXPECT_EQ(finance.ledger().title(4101), "sales");
    EXPECT_EQ(finance.ledger().title(4242), "");
}

TEST_F(LedgerTest, CompoundEntryMovesEachAccountByItsOwnAmount) {
    post({{1101, 1000}, {3101, -1000}});
    // One debit, several credits.
    post({{1101, 600}, {4101, -450}, {5201, -100}, {2101, -50}}, 102);

    EXPECT_EQ(finance.balance(1101), 1600);
    EXPECT_EQ(finance.balance(3101), 1000);
    EXPECT_EQ(finance.balance(4101), 450);
    EXPECT_EQ(finance.balance(5201), 100);
    EXPECT_EQ(finance.balance(2101), 50);
    EXPECT_EQ(trialBalance(finance.ledger()), 0);

    // The cash card gets one line per credit of the other accounts, in entry (column) order.
    const Account* cash = finance.ledger().account(1101);
    ASSERT_EQ(cash->card.size(), 5u);
    EXPECT_EQ(cash->card[2].journalNumber, 1);
    EXPECT_EQ(cash->card[2].date, 102);
    EXPECT_EQ(cash->card[2].counterCode, 2101);
    EXPECT_EQ(cash->card[2].counterCredit, 50);
    EXPECT_EQ(cash->card[2].balance, 1050);
    EXPECT_EQ(cash->card[3].counterCode, 4101);
    EXPECT_EQ(cash->card[3].balance, 1500);
    EXPECT_EQ(cash->card[4].counterCode, 5201);
    EXPECT_EQ(cash->card[4].balance, 1600);

    // A credited account sees the debit and the other credits; its running balance ends at its
    // own credit.
    const Account* sales = finance.ledger().account(4101);
    ASSERT_EQ(sales->card.size(), 4u);
    EXPECT_EQ(sales->card[1].counterCode, 1101);
    EXPECT_EQ(sales->card[1].counterDebit, 600);
    EXPECT_EQ(sales->card[1].balance, 600);
    EXPECT_EQ(sales->card[2].counterCode, 2101);
    EXPECT_EQ(sales->card[2].balance, 550);
    EXPECT_EQ(sales->card[3].balance, 450);
    EXPECT_EQ(finance.ledger().journal().size(), 2u);
}

TEST_F(LedgerTest, UnevenTruncationIsRejectedAndChangesNothing) {
    post({{1101, 100}, {3101, -100}});
    // Debit 2 * 1.5 = 3 against credits 1 * 1.5 + 1 * 1.5 = 1 + 1 after truncation.
    const auto row = templateRow({{5101, 2}, {1101, -1}, {2101, -1}});
    EXPECT_FALSE(finance.buildEntry(row, 101, 1.5).has_value());
    EXPECT_FALSE(finance.postTemplate(row, 101, 1.5).has_value());
    EXPECT_EQ(finance.balance(1101), 100);
    EXPECT_EQ(finance.balance(5101), 0);
    EXPECT_EQ(finance.balance(2101), 0);
    EXPECT_EQ(finance.ledger().journal().size(), 1u);

    // The same row at an even factor posts.
    ASSERT_TRUE(finance.postTemplate(row, 101, 2.0).has_value());
    EXPECT_EQ(finance.balance(5101), 4);
    EXPECT_EQ(finance.balance(1101), 98);
    EXPECT_EQ(finance.balance(2101), 2);
}

TEST_F(LedgerTest, UnbalancedRowsAndEntriesAreNeverPosted) {
    EXPECT_FALSE(finance.postTemplate(templateRow({{1101, 100}, {3101, -99}}), 101, 1.0));
    EXPECT_FALSE(finance.postTemplate(TemplateGroup::BuildShop, 3, 101, 1.0));  // no such row

    Ledger& ledger = finance.ledger();
    EXPECT_EQ(ledger.post({101, {{1101, 10}}, {{3101, 9}}}), kRefused);
    EXPECT_EQ(ledger.post({101, {{1101, 10}}, {{4242, 10}}}), kRefused);  // not in the chart
    EXPECT_TRUE(ledger.journal().empty());
    EXPECT_EQ(ledger.balance(1101), 0);
}

TEST_F(LedgerTest, NegativeFactorRunsThePostingInReverse) {
    post({{1101, 500}, {3101, -500}});
    // Interest received on a negative cash balance carries negative amounts on both sides.
    ASSERT_TRUE(finance.postTemplate(templateRow({{1101, 1}, {5201, -1}}), 101, -7.0));
    EXPECT_EQ(finance.balance(1101), 493);
    EXPECT_EQ(finance.balance(5201), -7);
    EXPECT_EQ(trialBalance(finance.ledger()), 0);
}

TEST_F(LedgerTest, HugeAmountsAreClampedAndNeverWrapABalance) {
    const auto row = templateRow({{1101, 1}, {3101, -1}});
    ASSERT_TRUE(finance.postTemplate(row, 101, 1e30).has_value());
    EXPECT_EQ(finance.balance(1101), kMoneyLimit);
    EXPECT_EQ(finance.balance(3101), kMoneyLimit);

    // One more unit would pass the limit: refused, the books stay as they were.
    EXPECT_FALSE(finance.postTemplate(row, 101, 1.0).has_value());
    EXPECT_FALSE(finance.postTemplate(row, 101, std::numeric_limits<double>::infinity()));
    EXPECT_EQ(finance.balance(1101), kMoneyLimit);
    EXPECT_EQ(finance.ledger().post({101,
                                     {{1101, std::numeric_limits<Money>::max()}},
                                     {{3101, std::numeric_limits<Money>::max()}}}),
              kRefused);
    EXPECT_EQ(finance.balance(3101), kMoneyLimit);

    // Moving back down still works and the books balance throughout.
    ASSERT_TRUE(finance.postTemplate(row, 101, -1e30).has_value());
    EXPECT_EQ(finance.balance(1101), 0);
    EXPECT_EQ(trialBalance(finance.ledger()), 0);

    // A NaN factor never reaches a conversion: every amount becomes 0.
    auto entry = finance.buildEntry(row, 101, std::nan(""));
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->debitTotal(), 0);
}

TEST(MoneyConvertTest, TruncatesTowardZeroAndClamps) {
    EXPECT_EQ(truncateToMoney(2.9), 2);
    EXPECT_EQ(truncateToMoney(-2.9), -2);
    EXPECT_EQ(truncateToMoney(1e300), kMoneyLimit);
    EXPECT_EQ(truncateToMoney(-1e300), -kMoneyLimit);
    EXPECT_EQ(truncateToMoney(-std::numeric_limits<double>::infinity()), -kMoneyLimit);
    EXPECT_EQ(saturatingAdd(std::numeric_limits<Money>::max(), 1),
              std::numeric_limits<Money>::max());
    EXPECT_EQ(saturatingAdd(std::numeric_limits<Money>::min(), -1),
              std::numeric_limits<Money>::min());
}

TEST_F(LedgerTest, SnapshotsPutTheResultIntoTheSummaryAccounts) {
    post({{1101, 10000}, {3101, -10000}});
    post({{1101, 3000}, {4101, -3000}});
    post({{1101, 200}, {5201, -200}});
    post({{5101, 1200}, {1101, -1200}});
    post({{5302, 500}, {1101, -500}});
    // A stray balance on the result account itself cancels out of the summary.
    post({{9101, 40}, {1101, -40}});

    const Closing now = finance.ledger().current(106);
    EXPECT_EQ(now.date, 106);
    EXPECT_EQ(now.profitAndLoss.summaryCode, 9101);
    // Revenues 3200 minus the other expenses 1700.
    EXPECT_EQ(now.profitAndLoss.amount(9101), 1500);
    EXPECT_EQ(now.profitAndLoss.amount(4101), 3000);
    EXPECT_EQ(now.profitAndLoss.amount(1101), 0);  // not a profit-and-loss account

    // Mid-year, retained earnings already hold the year's result (including the stray 40 spent)
    // and the balance sheet balances.
    EXPECT_EQ(now.balanceSheet.summaryCode, 3102);
    EXPECT_EQ(now.balanceSheet.amount(3102), 1460);
    EXPECT_EQ(now.balanceSheet.amount(1101), 11460);
    const Ledger& ledger = finance.ledger();
    EXPECT_EQ(ledger.groupSum(now.balanceSheet, 101),
              ledger.groupSum(now.balanceSheet, 251) + ledger.groupSum(now.balanceSheet, 261));
    EXPECT_EQ(ledger.groupSum(now.balanceSheet, 999), 0);  // not a balance-sheet account
    EXPECT_EQ(ledger.groupSum(now.profitAndLoss, 501), 1700);

    // A fresh snapshot changes nothing.
    EXPECT_EQ(finance.balance(3102), 0);
    EXPECT_TRUE(ledger.closings().empty());
}

TEST_F(LedgerTest, ClosingCarriesTheResultAndZeroesRevenuesAndExpenses) {
    post({{1101, 10000}, {3101, -10000}});
    post({{1101, 3000}, {4101, -3000}});
    post({{5101, 1000}, {1101, -1000}});
    post({{1151, 500}, {1101, -500}});
    post({{1101, 800}, {2101, -800}});

    finance.ledger().close(112);
    const Ledger& ledger = finance.ledger();
    EXPECT_EQ(ledger.balance(4101), 0);
    EXPECT_EQ(ledger.balance(5101), 0);
    EXPECT_EQ(ledger.balance(9101), 0);
    EXPECT_EQ(ledger.balance(1101), 12300);
    EXPECT_EQ(ledger.balance(1151), 500);
    EXPECT_EQ(ledger.balance(2101), 800);
    EXPECT_EQ(ledger.balance(3101), 10000);
    EXPECT_EQ(ledger.balance(3102), 2000);
    EXPECT_EQ(trialBalance(ledger), 0);

    // Cards restart with one opening line; the journal is archived.
    const Account* cash = ledger.account(1101);
    ASSERT_EQ(cash->card.size(), 1u);
    EXPECT_EQ(cash->card[0].counterDebit, 12300);
    EXPECT_EQ(cash->card[0].counterCode, -1);
    EXPECT_TRUE(ledger.journal().empty());
    ASSERT_EQ(ledger.archivedJournals().size(), 1u);
    EXPECT_EQ(ledger.archivedJournals()[0].size(), 5u);

    // The closing keeps the year's statements.
    const Closing* last = ledger.closing(-1);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last, ledger.closing(1));
    EXPECT_EQ(last->date, 112);
    EXPECT_EQ(last->profitAndLoss.amount(9101), 2000);
    EXPECT_EQ(last->profitAndLoss.amount(4101), 3000);
    EXPECT_EQ(ledger.closing(2), nullptr);
    EXPECT_EQ(ledger.closing(-2), nullptr);
    EXPECT_FALSE(ledger.snapshot(2, 0).has_value());
    EXPECT_EQ(ledger.snapshot(0, 201)->date, 201);

    // A loss the next year lowers retained earnings.
    post({{5102, 700}, {1101, -700}}, 201);
    finance.ledger().close(212);
    EXPECT_EQ(finance.balance(3102), 1300);
    EXPECT_EQ(finance.ledger().closing(-1)->profitAndLoss.amount(9101), -700);
    EXPECT_EQ(finance.ledger().closing(-2)->date, 112);
}

}  // namespace
}  // namespace vellmora
