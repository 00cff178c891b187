// The management-system dialog: browsing, the change button's rule and the effects text.
#include "dialogs/management_system_dialog.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

#include "game/finance.h"
#include "game/firm.h"
#include "game/firm_policy.h"
#include "game/game.h"
#include "game/management_system.h"
#include "support/dialog_support.h"
#include "support/game_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora {
namespace {

using namespace system_ids;
using test::click;
using test::GameFixture;
using test::ShowHookScope;

QRadioButton* radio(const Dialog& dialog, int system) {
    return dialog.control<QRadioButton>(kRadios[static_cast<std::size_t>(system)]);
}

class ManagementSystemDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = test::startGame(fixture);
        ASSERT_NE(game, nullptr);
        ASSERT_EQ(game->buildShop(3, 4, 0), 0);
        ASSERT_EQ(game->buildShop(5, 4, 0), 0);
        ASSERT_EQ(game->shopAt(5, 4, 0), 1);
    }
    Firm& player() { return *game->player(); }
    long long cost() { return changeCost(player().finance(), player().shops()); }

    GameFixture fixture;
    std::unique_ptr<Game> game;
};

TEST_F(ManagementSystemDialogTest, RadioButtonsFollowTheSystemOrderOfTheIds) {
    ManagementSystemDialog dialog(player().policy(), player().cash(), cost());
    ASSERT_TRUE(dialog.prepare());
    EXPECT_EQ(radio(dialog, 2)->objectName(), QStringLiteral("1029"));
    EXPECT_EQ(radio(dialog, 2)->text(), QStringLiteral("マニュアル化"));
    EXPECT_EQ(radio(dialog, 3)->objectName(), QStringLiteral("1028"));
    EXPECT_EQ(radio(dialog, 3)->text(), QStringLiteral("機械化"));
    EXPECT_TRUE(radio(dialog, 0)->isChecked());
    EXPECT_EQ(dialog.control<QLabel>(kCurrent)->text(), QStringLiteral("ワンマン経営"));
    EXPECT_TRUE(dialog.control<QLabel>(kTarget)->text().isEmpty());
    EXPECT_EQ(dialog.control<QLabel>(kMonthsLeft)->text(), QStringLiteral("-"));
    EXPECT_EQ(dialog.control<QLabel>(kCostAndCash)->text(),
              QStringLiteral("1,000\n") + test::labelLines(dialog, kCostAndCash).value(1));
    EXPECT_EQ(test::amountAt(dialog, kCostAndCash, 1), player().cash());
}

// The fixture's systems: ratings (s, -s, 0), item rates (10 s + item) %, opening penalty for 0, 1.
TEST_F(ManagementSystemDialogTest, EffectsOfEachSystem) {
    const struct {
        int system;
        const char* effects;
        const char* penalty;
        int description;
    } cases[] = {
        {0, "+0\n+0\n+0\n\n+1%\n+2%\n+3%\n+4%\n+5%\n+6%", "Yes", 112},
        {1, "+1\n-1\n+0\n\n+11%\n+12%\n+13%\n+14%\n+15%\n+16%", "Yes", 113},
        {2, "+2\n-2\n+0\n\n+21%\n+22%\n+23%\n+24%\n+25%\n+26%", "No", 114},
        {3, "+3\n-3\n+0\n\n+31%\n+32%\n+33%\n+34%\n+35%\n+36%", "No", 115},
    };
    ManagementSystemDialog dialog(player().policy(), player().cash(), cost());
    ASSERT_TRUE(dialog.prepare());
    for (const auto& c : cases) {
        radio(dialog, c.system)->click();
        EXPECT_EQ(dialog.selectedSystem(), c.system);
        EXPECT_EQ(dialog.control<QLabel>(kEffects)->text(), QString::fromUtf8(c.effects));
        EXPECT_EQ(dialog.control<QLabel>(kOpeningPenalty)->text(), QString::fromUtf8(c.penalty));
        EXPECT_TRUE(dialog.control<QLabel>(kDescription)
                        ->text()
                        .startsWith(QStringLiteral("経営者の強い")) == (c.description == 112));
    }
}

TEST_F(ManagementSystemDialogTest, WithAChangeUnderWayBrowsingWorksButNothingCanBeConfirmed) {
    ASSERT_EQ(game->changeSystem(2), 0);
    const FirmPolicy& policy = player().policy();
    ManagementSystemDialog dialog(policy, player().cash(), cost());
    ASSERT_TRUE(dialog.prepare());
    for (int system = 0; system < 4; ++system) {
        EXPECT_FALSE(radio(dialog, system)->isChecked());
    }
    EXPECT_EQ(dialog.control<QLabel>(kCurrent)->text(), QStringLiteral("経営体制変更中"));
    EXPECT_EQ(dialog.control<QLabel>(kTarget)->text(), QStringLiteral("(目標：マニュアル化)"));
    EXPECT_EQ(dialog.control<QLabel>(kMonthsLeft)->text(), QString::number(policy.monthsLeft()));
    EXPECT_EQ(dialog.control<QLabel>(kEffects)->text(),
              QStringLiteral("+4\n-4\n+0\n\n+41%\n+42%\n+43%\n+44%\n+45%\n+46%"));
    EXPECT_TRUE(dialog.control<QLabel>(kDescription)
                    ->text()
                    .startsWith(QStringLiteral("経営体制変更に向けて")));
    auto* change = dialog.control<QPushButton>(kChange);
    EXPECT_FALSE(change->isEnabled());
    radio(dialog, 3)->click();
    EXPECT_EQ(dialog.control<QLabel>(kEffects)->text(),
              ManagementSystemDialog::effectsText(policy, 3));
    EXPECT_FALSE(change->isEnabled());
}

TEST_F(ManagementSystemDialogTest, ConfirmingTheCurrentSystemAnswersMinusOneAndChargesNothing) {
    const Money cash = player().cash();
    {
        ShowHookScope hook([](Dialog& shown) {
            radio(shown, 2)->click();
            radio(shown, 0)->click();
            click(shown, kChange);
        });
        ManagementSystemDialog dialog(player().policy(), cash, cost());
        EXPECT_EQ(dialog.doModal(nullptr), -1);
    }
    EXPECT_EQ(player().cash(), cash);
    {
        ShowHookScope hook([](Dialog& shown) {
            radio(shown, 3)->click();
            click(shown, kChange);
        });
        ManagementSystemDialog dialog(player().policy(), cash, cost());
        EXPECT_EQ(dialog.doModal(nullptr), 3);
    }
    {
        ShowHookScope hook([](Dialog& shown) {
            radio(shown, 3)->click();
            shown.close();
        });
        ManagementSystemDialog dialog(player().policy(), cash, cost());
        EXPECT_EQ(dialog.doModal(nullptr), -1);
    }
}

TEST_F(ManagementSystemDialogTest, CashBelowTheCostDisablesTheChange) {
    ManagementSystemDialog poor(player().policy(), cost() - 1, cost());
    ASSERT_TRUE(poor.prepare());
    EXPECT_FALSE(poor.control<QPushButton>(kChange)->isEnabled());
    ManagementSystemDialog enough(player().policy(), cost(), cost());
    ASSERT_TRUE(enough.prepare());
    EXPECT_TRUE(enough.control<QPushButton>(kChange)->isEnabled());
}

}  // namespace
}  // namespace vellmora
