// The statements dialog: both sides of each statement agree, and the year-end closing empties
// the profit-and-loss statement.
#include "dialogs/statements_dialog.h"

#include <gtest/gtest.h>

#include <QCategoryAxis>
#include <QChartView>
#include <QLineSeries>
#include <QRegularExpression>
#include <QTabBar>
#include <cmath>

#include "game/firm.h"
#include "game/game.h"
#include "support/dialog_support.h"
#include "support/game_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora {
namespace {

using namespace statements_ids;
using test::GameFixture;

long long sideTotal(const Dialog& dialog, int amountsId) {
    long long total = 0;
    for (const QString& line : test::labelLines(dialog, amountsId)) {
        total += test::amountOf(line);
    }
    return total;
}

class StatementsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = test::startGame(fixture);
        ASSERT_NE(game, nullptr);
        ASSERT_EQ(game->buildShop(3, 4, 1), 0);
        ASSERT_EQ(game->borrow(), 0);
    }
    void play(int months) {
        for (int month = 0; month < months; ++month) {
            (void)game->endTurn();
        }
    }

    GameFixture fixture;
    std::unique_ptr<Game> game;
};

TEST_F(StatementsDialogTest, BothSidesOfEachStatementAddUp) {
    play(4);
    StatementsDialog dialog(*game, 0);
    ASSERT_TRUE(dialog.prepare());
    for (int tab = 0; tab < kFirmSlots; ++tab) {
        dialog.showCompany(tab);
        EXPECT_EQ(dialog.control<QTabBar>(kCompanies)->currentIndex(), tab);
        EXPECT_EQ(test::labelLines(dialog, kAssetTitles), (QStringList{"cash", "fixtures"}));
        EXPECT_EQ(test::labelLines(dialog, kClaimTitles).size(), 3);
        EXPECT_EQ(test::labelLines(dialog, kCostAmounts).size(), 11);
        EXPECT_EQ(test::labelLines(dialog, kCostTitles).back(), QStringLiteral("result"));
        EXPECT_GT(sideTotal(dialog, kAssetAmounts), 0);
        EXPECT_EQ(sideTotal(dialog, kAssetAmounts), sideTotal(dialog, kClaimAmounts));
        EXPECT_EQ(sideTotal(dialog, kIncomeAmounts), sideTotal(dialog, kCostAmounts));
    }
    dialog.showCompany(0);
    EXPECT_EQ(test::amountAt(dialog, kAssetAmounts, 0), game->player()->cash());
    EXPECT_GT(test::amountAt(dialog, kIncomeAmounts, 0), 0);  // sales of the year so far
}

TEST_F(StatementsDialogTest, RightAfterTheYearEndEveryProfitAndLossLineIsZero) {
    play(12);  // the December settlement has closed the books
    StatementsDialog dialog(*game, 0);
    ASSERT_TRUE(dialog.prepare());
    for (int id : {kIncomeAmounts, kCostAmounts}) {
        for (const QString& line : test::labelLines(dialog, id)) {
            EXPECT_EQ(line, QStringLiteral("0"));
        }
    }
    EXPECT_EQ(test::amountAt(dialog, kAssetAmounts, 0), game->player()->cash());
    EXPECT_EQ(test::amountAt(dialog, kClaimAmounts, 0), 10000);  // the loan
    EXPECT_EQ(sideTotal(dialog, kAssetAmounts), sideTotal(dialog, kClaimAmounts));
}

TEST_F(StatementsDialogTest, TheChartsPageDrawsEveryCompanyThatPlayed) {
    play(3);
    StatementsDialog dialog(*game, 2);
    ASSERT_TRUE(dialog.prepare());
    EXPECT_EQ(dialog.control<QTabBar>(kCompanies)->currentIndex(), 2);
    dialog.showPage(1);
    const QList<QChartView*> charts = dialog.findChildren<QChartView*>();
    ASSERT_EQ(charts.size(), 4);
    for (QChartView* view : charts) {
        const QList<QAbstractSeries*> series = view->chart()->series();
        ASSERT_EQ(series.size(), 4);
        EXPECT_EQ(static_cast<QLineSeries*>(series[0])->count(), 3);
        EXPECT_EQ(series[0]->name(), QStringLiteral("Player Co"));
    }
}

TEST_F(StatementsDialogTest, TheChartsLabelMonthsAsDatesAndAmountsGrouped) {
    play(14);
    StatementsDialog dialog(*game, 0);
    ASSERT_TRUE(dialog.prepare());
    dialog.showPage(1);
    const QRegularExpression date(QStringLiteral("^\\d+年\\d+月$"));
    for (QChartView* view : dialog.findChildren<QChartView*>()) {
        SCOPED_TRACE(view->chart()->title().toStdString());
        const auto horizontal = view->chart()->axes(Qt::Horizontal);
        ASSERT_EQ(horizontal.size(), 1);
        auto* dates = qobject_cast<QCategoryAxis*>(horizontal[0]);
        ASSERT_NE(dates, nullptr);
        const QStringList labels = dates->categoriesLabels();
        ASSERT_FALSE(labels.isEmpty());
        EXPECT_EQ(labels.front(), QStringLiteral("1年1月"));
        for (const QString& label : labels) {
            EXPECT_TRUE(date.match(label).hasMatch()) << label.toStdString();
            const double month = dates->endValue(label);
            EXPECT_EQ(month, std::floor(month)) << label.toStdString();  // on a month's point
        }
        EXPECT_TRUE(labels.contains(QStringLiteral("2年1月"))) << labels.join(' ').toStdString();

        const auto vertical = view->chart()->axes(Qt::Vertical);
        ASSERT_EQ(vertical.size(), 1);
        auto* amounts = qobject_cast<QCategoryAxis*>(vertical[0]);
        ASSERT_NE(amounts, nullptr);
        for (const QString& label : amounts->categoriesLabels()) {
            const double value = amounts->endValue(label);
            if (std::fabs(value) >= 1000 && !label.endsWith(QStringLiteral("万"))) {
                EXPECT_TRUE(label.contains(',')) << label.toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace vellmora
