// The budget dialog: previewed levels, projections, cancelling and borrowing from inside.
#include "dialogs/budget_dialog.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSlider>
#include <array>

#include "app/framework/message_box.h"
#include "dialogs/borrowing_dialog.h"
#include "game/budget.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/firm_policy.h"
#include "game/game.h"
#include "game/projection.h"
#include "support/dialog_support.h"
#include "support/game_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora {
namespace {

using namespace budget_ids;
using test::amountAt;
using test::click;
using test::GameFixture;
using test::ShowHookScope;

struct PolicyState {
    std::array<int, 7> levels{};
    std::array<int, 3> ratings{};
    double poisoning = 0.0;
    double overwork = 0.0;
    int researchGain = 0;

    explicit PolicyState(const FirmPolicy& policy) {
        for (int item = 0; item < 7; ++item) {
            levels[static_cast<std::size_t>(item)] = policy.budgetLevel(item);
        }
        for (int k = 0; k < 3; ++k) {
            ratings[static_cast<std::size_t>(k)] = policy.rating(k);
        }
        poisoning = policy.poisoningChance();
        overwork = policy.overworkChance();
        researchGain = policy.researchGainPerMonth();
    }
    bool operator==(const PolicyState&) const = default;
};

class BudgetDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = test::startGameWithTwoShops(fixture);
        ASSERT_NE(game, nullptr);
        (void)game->endTurn();
        (void)game->endTurn();
    }
    void moveSliders(const Dialog& dialog, const std::array<int, 5>& levels) {
        for (std::size_t i = 0; i < levels.size(); ++i) {
            dialog.control<QSlider>(kSliders[i])->setValue(levels[i]);
        }
    }

    GameFixture fixture;
    std::unique_ptr<Game> game;
};

TEST_F(BudgetDialogTest, CancellingAfterMovingSlidersLeavesThePolicyAsItWas) {
    FirmPolicy& policy = game->player()->policy();
    const PolicyState before(policy);
    {
        BudgetDialog dialog(*game, 0);
        ASSERT_TRUE(dialog.prepare());
        moveSliders(dialog, {0, 4, 0, 4, 4});
        // The preview reaches the policy while the dialog is open; the ratings shown are its.
        EXPECT_EQ(policy.budgetLevel(kBudgetIngredients), 4);
        EXPECT_EQ(test::labelLines(dialog, kRatings).value(0).toInt(), policy.rating(0));
        click(dialog, kCancel);
        EXPECT_EQ(PolicyState(policy), before);
        EXPECT_EQ(dialog.level(1), 4);
    }
    EXPECT_EQ(PolicyState(policy), before);

    // Closing the window answers -1 the same way, and so does a dialog destroyed mid-preview.
    {
        ShowHookScope hook([this](Dialog& shown) {
            moveSliders(shown, {4, 0, 4, 0, 0});
            shown.close();
        });
        BudgetDialog dialog(*game, 0);
        EXPECT_EQ(dialog.doModal(nullptr), -1);
    }
    EXPECT_EQ(PolicyState(policy), before);
    {
        BudgetDialog dialog(*game, 0);
        ASSERT_TRUE(dialog.prepare());
        moveSliders(dialog, {4, 0, 4, 0, 0});
    }
    EXPECT_EQ(PolicyState(policy), before);
}

TEST_F(BudgetDialogTest, OkAnswersTheFiveSliderLevels) {
    const std::array<int, 5> chosen = {1, 3, 0, 4, 2};
    ShowHookScope hook([&](Dialog& shown) {
        moveSliders(shown, chosen);
        click(shown, kOkButton);
    });
    BudgetDialog dialog(*game, 0);
    ASSERT_EQ(dialog.doModal(nullptr), 0);
    for (int item = 0; item < 5; ++item) {
        EXPECT_EQ(dialog.level(item), chosen[static_cast<std::size_t>(item)]);
        // The preview is over; the caller applies the levels.
        EXPECT_EQ(game->player()->policy().budgetLevel(item), item == 4 ? 0 : 2);
        ASSERT_EQ(game->setBudget(item, dialog.level(item)), 0);
    }
    for (int item = 0; item < 5; ++item) {
        EXPECT_EQ(game->player()->policy().budgetLevel(item),
                  chosen[static_cast<std::size_t>(item)]);
    }
}

TEST_F(BudgetDialogTest, TheProjectedResultIsSalesLessCostsPlusInterestReceived) {
    BudgetDialog dialog(*game, 0);
    ASSERT_TRUE(dialog.prepare());
    const Firm& firm = *game->player();
    for (const std::array<int, 5>& levels :
         {std::array<int, 5>{2, 2, 2, 2, 0}, {0, 4, 1, 3, 4}, {4, 0, 4, 0, 2}}) {
        moveSliders(dialog, levels);
        EXPECT_GT(amountAt(dialog, kItemAmounts[0]), 0);
        long long expected = amountAt(dialog, kItemAmounts[0]);
        for (int id : {kItemAmounts[1], kItemAmounts[2], kItemAmounts[3], kItemAmounts[4],
                       kInterestPaid, kRent, kAdministration}) {
            expected -= amountAt(dialog, id);
        }
        expected += amountAt(dialog, kInterestReceived);
        EXPECT_EQ(amountAt(dialog, kOrdinaryResult), expected);
        EXPECT_EQ(dialog.projection().ordinaryResult(), expected);
        // The lines are the core's projections at the sliders' levels.
        EXPECT_EQ(amountAt(dialog, kItemAmounts[0]),
                  project(firm.finance(), firm.shops(), 4101, levels[0]));
        EXPECT_EQ(amountAt(dialog, kItemAmounts[2]),
                  project(firm.finance(), firm.shops(), 5102,
                          firm.policy().itemRateAt(2, levels[2], firm.policy().currentSystem())));
        EXPECT_EQ(amountAt(dialog, kRent),
                  project(firm.finance(), firm.shops(), 5302, firm.policy().itemRate(5)));
    }
    // Ratings: price, taste, service, an empty line and the integer product / 10000.
    const QStringList ratings = test::labelLines(dialog, kRatings);
    ASSERT_EQ(ratings.size(), 5);
    const FirmPolicy& policy = firm.policy();
    EXPECT_EQ(ratings[0].toInt(), policy.rating(0));
    EXPECT_TRUE(ratings[3].isEmpty());
    EXPECT_EQ(ratings[4].toLongLong(), static_cast<long long>(policy.rating(0)) * policy.rating(1) *
                                           policy.rating(2) / 10000);
    EXPECT_EQ(dialog.control<QLabel>(kChances)->text(), QStringLiteral("\n0.000%\n0.000%"));
}

TEST_F(BudgetDialogTest, BorrowingInsideChangesTheInterestAndResultOnly) {
    BudgetDialog dialog(*game, 0);
    ASSERT_TRUE(dialog.prepare());
    std::array<QString, 5> items;
    for (std::size_t i = 0; i < 5; ++i) {
        items[i] = dialog.control<QLabel>(kItemAmounts[i])->text();
    }
    const long long interest = amountAt(dialog, kInterestPaid);
    const long long result = amountAt(dialog, kOrdinaryResult);
    {
        ShowHookScope hook([](Dialog& shown) {
            click(shown, borrowing_ids::kBorrow);
            click(shown, kIdClose);
        });
        click(dialog, kBorrowing);
    }
    ASSERT_EQ(game->player()->finance().loans().loanCount(), 1);
    const long long monthly = game->player()->finance().totalMonthlyInterest();
    EXPECT_GT(monthly, 0);
    EXPECT_EQ(amountAt(dialog, kInterestPaid), interest + monthly);
    EXPECT_EQ(amountAt(dialog, kOrdinaryResult), result - monthly);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(dialog.control<QLabel>(kItemAmounts[i])->text(), items[i]);
    }
}

TEST_F(BudgetDialogTest, HelpButtonsShowTheItemTextAsAdvice) {
    QStringList captions;
    QStringList texts;
    setMessageHook([&](const QString& caption, const QString& text, MessageIcon icon) {
        EXPECT_EQ(icon, MessageIcon::Information);
        captions << caption;
        texts << text;
        return true;
    });
    BudgetDialog dialog(*game, 0);
    ASSERT_TRUE(dialog.prepare());
    for (int id : kHelp) {
        click(dialog, id);
    }
    setMessageHook(nullptr);
    ASSERT_EQ(texts.size(), 5);
    EXPECT_EQ(captions, QStringList(5, QStringLiteral("advice")));
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("価格を設定します。")));
    EXPECT_TRUE(texts[4].startsWith(QStringLiteral("研究開発費の予算を設定します。")));
}

}  // namespace
}  // namespace vellmora
