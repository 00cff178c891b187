// Only the companies of the game are listed: the status line, the company tabs of the reports
// and the charts leave out the slots that fewer competitors leave empty, and mark a company
// that has withdrawn.
#include <gtest/gtest.h>

#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QTabBar>

#include "app/status_bar.h"
#include "dialogs/company_info_dialog.h"
#include "dialogs/statements_dialog.h"
#include "game/firm.h"
#include "game/game.h"
#include "gui/shell_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora::test {
namespace {

QStringList tabTexts(const Dialog& dialog, int id) {
    QStringList texts;
    const auto* tabs = dialog.control<QTabBar>(id);
    for (int tab = 0; tab < (tabs != nullptr ? tabs->count() : 0); ++tab) {
        texts << tabs->tabText(tab);
    }
    return texts;
}

// What the report dialogs show, read while they are open.
struct Reports {
    QStringList statementTabs;
    QStringList infoTabs;
    QStringList infoNames;  // the company information of every tab, in tab order
    std::vector<QStringList> chartSeries;
};

Reports openReports(ShellFixture& shell) {
    Reports seen;
    DialogHook hook([&seen](Dialog& dialog) {
        if (dynamic_cast<StatementsDialog*>(&dialog) != nullptr) {
            seen.statementTabs = tabTexts(dialog, statements_ids::kCompanies);
            for (QChartView* view : dialog.findChildren<QChartView*>()) {
                QStringList names;
                for (QAbstractSeries* series : view->chart()->series()) {
                    names << series->name();
                }
                seen.chartSeries.push_back(names);
            }
        } else if (dynamic_cast<CompanyInfoDialog*>(&dialog) != nullptr) {
            seen.infoTabs = tabTexts(dialog, company_ids::kCompanies);
            auto* tabs = dialog.control<QTabBar>(company_ids::kCompanies);
            for (int tab = 0; tab < tabs->count(); ++tab) {
                tabs->setCurrentIndex(tab);
                const QString names = dialog.control<QLabel>(company_ids::kNames)->text();
                seen.infoNames << names.section('\n', 0, 0);
            }
        }
        dialog.endDialog(0);
    });
    shell.window->commands().trigger(command::kStatements);
    shell.window->commands().trigger(command::kCompanyInfo);
    return seen;
}

TEST(CompaniesInGameTest, OneRivalShowsTwoCompaniesInEveryTabAndStatusText) {
    ShellFixture shell;
    ASSERT_EQ(shell.startGame(2, 1), 0);
    shell.window->commands().trigger(command::kEndTurn);  // a month for the charts
    shell.move(shell.tileCentre(3, 3));
    const QString line = shell.status(StatusBar::kModeHint);
    EXPECT_TRUE(line.contains(QStringLiteral("テスト屋:"))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("Blue Co:"))) << line.toStdString();
    EXPECT_FALSE(line.contains(QStringLiteral("Green"))) << line.toStdString();
    EXPECT_FALSE(line.contains(QStringLiteral("Yellow"))) << line.toStdString();
    EXPECT_FALSE(line.contains(QStringLiteral(":0% , :0%"))) << line.toStdString();

    const Reports seen = openReports(shell);
    const QStringList two = {QStringLiteral("テスト屋"), QStringLiteral("Blue Co")};
    EXPECT_EQ(seen.statementTabs, two);
    EXPECT_EQ(seen.infoTabs, two);
    EXPECT_EQ(seen.infoNames, two);
    ASSERT_EQ(seen.chartSeries.size(), 4u);
    for (const QStringList& names : seen.chartSeries) {
        EXPECT_EQ(names, two);
    }
}

TEST(CompaniesInGameTest, AWithdrawnCompanyStaysMarked) {
    ShellFixture shell;
    ASSERT_EQ(shell.startGame(2, 2), 0);
    setCash(*shell.window->game().firm(1), -1000000);
    MessageRecorder messages;
    for (int month = 0; month < 3 && !shell.window->game().firm(1)->withdrawn(); ++month) {
        shell.window->commands().trigger(command::kEndTurn);
    }
    ASSERT_TRUE(shell.window->game().firm(1)->withdrawn());
    ASSERT_FALSE(shell.window->game().firm(2)->withdrawn());

    shell.move(shell.tileCentre(3, 3));
    const QString line = shell.status(StatusBar::kModeHint);
    EXPECT_TRUE(line.contains(QStringLiteral("Blue Co:撤退"))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("Green Co:"))) << line.toStdString();
    EXPECT_FALSE(line.contains(QStringLiteral("Yellow"))) << line.toStdString();

    const Reports seen = openReports(shell);
    const QStringList three = {QStringLiteral("テスト屋"), QStringLiteral("Blue Co（撤退）"),
                               QStringLiteral("Green Co")};
    EXPECT_EQ(seen.statementTabs, three);
    EXPECT_EQ(seen.infoTabs, three);
    EXPECT_EQ(seen.infoNames, (QStringList{QStringLiteral("テスト屋"), QStringLiteral("Blue Co"),
                                           QStringLiteral("Green Co")}));
    for (const QStringList& names : seen.chartSeries) {
        EXPECT_EQ(names, three);
    }
}

}  // namespace
}  // namespace vellmora::test
