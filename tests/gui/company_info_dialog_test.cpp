// The company information dialog: presidents' titles and last month's figures.
#include "dialogs/company_info_dialog.h"

#include <gtest/gtest.h>

#include <QTabBar>

#include "game/firm.h"
#include "game/game.h"
#include "game/settlement.h"
#include "support/dialog_support.h"
#include "support/game_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora {
namespace {

using namespace company_ids;
using test::GameFixture;

TEST(CompanyInfoDialogTest, PresidentsCarryTheirTitles) {
    GameFixture fixture;
    const struct {
        int difficulty;
        const char* player;
    } cases[] = {{0, "代表取締役相談役　Player"},
                 {2, "代表取締役専務　Player"},
                 {4, "代表取締役店長　Player"}};
    for (const auto& c : cases) {
        auto game = test::startGame(fixture, c.difficulty);
        ASSERT_NE(game, nullptr);
        CompanyInfoDialog dialog(*game, 0);
        ASSERT_TRUE(dialog.prepare());
        EXPECT_EQ(test::labelLines(dialog, kNames),
                  (QStringList{"Player Co", QString::fromUtf8(c.player)}));
        dialog.showCompany(1);
        EXPECT_EQ(dialog.control<QTabBar>(kCompanies)->tabText(1), QStringLiteral("Blue Co"));
        EXPECT_EQ(test::labelLines(dialog, kNames),
                  (QStringList{"Blue Co", QStringLiteral("代表取締役社長　Blue Boss")}));
    }
}

TEST(CompanyInfoDialogTest, LastMonthsFiguresAreZeroBeforeTheFirstMonthAndThenTheReports) {
    GameFixture fixture;
    auto game = test::startGame(fixture);
    ASSERT_NE(game, nullptr);
    ASSERT_EQ(game->buildShop(3, 4, 1), 0);
    {
        CompanyInfoDialog dialog(*game, 0);
        ASSERT_TRUE(dialog.prepare());
        const QStringList figures = test::labelLines(dialog, kFigures);
        ASSERT_EQ(figures.size(), 6);
        EXPECT_EQ(test::amountOf(figures[1]), game->player()->cash());
        EXPECT_EQ(test::amountOf(figures[2]), 100000);  // capital at difficulty 4
        EXPECT_TRUE(figures[3].isEmpty());
        EXPECT_EQ(figures[4], QStringLiteral("0"));
        EXPECT_EQ(figures[5], QStringLiteral("0"));
        EXPECT_EQ(dialog.control<QLabel>(kShops)->text(), QStringLiteral("1"));
        EXPECT_EQ(test::labelLines(dialog, kRatings).size(), 6);
        EXPECT_EQ(test::labelLines(dialog, kResearch).size(), 4);
    }
    (void)game->endTurn();
    CompanyInfoDialog dialog(*game, 0);
    ASSERT_TRUE(dialog.prepare());
    const Settlement& settlement = game->player()->settlement();
    EXPECT_GT(settlement.reportValue(4101, 1), 0);
    EXPECT_EQ(test::amountAt(dialog, kFigures, 4), settlement.reportValue(4101, 1));
    EXPECT_EQ(test::amountAt(dialog, kFigures, 5), settlement.reportValue(9101, 1));
}

}  // namespace
}  // namespace vellmora
