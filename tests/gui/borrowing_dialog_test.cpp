// The borrowing dialog: the loan list and its order, the status text and the buttons' rule.
#include "dialogs/borrowing_dialog.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTreeWidget>

#include "game/finance.h"
#include "game/firm.h"
#include "game/game.h"
#include "support/dialog_support.h"
#include "support/game_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora {
namespace {

using namespace borrowing_ids;
using test::click;
using test::GameFixture;

class BorrowingDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = test::startGame(fixture);
        ASSERT_NE(game, nullptr);
    }
    QPushButton* button(const Dialog& dialog, int id) { return dialog.control<QPushButton>(id); }

    GameFixture fixture;
    std::unique_ptr<Game> game;
};

TEST_F(BorrowingDialogTest, NoLoansGiveAnEmptyListAndNoRepayment) {
    BorrowingDialog dialog(*game);
    ASSERT_TRUE(dialog.prepare());
    auto* list = dialog.control<QTreeWidget>(kList);
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("返済期限"));
    EXPECT_EQ(list->headerItem()->text(2), QStringLiteral("借入利率"));
    EXPECT_FALSE(button(dialog, kRepay)->isEnabled());
    EXPECT_TRUE(button(dialog, kBorrow)->isEnabled());
    const QStringList status = test::labelLines(dialog, kStatus);
    ASSERT_EQ(status.size(), 3);
    EXPECT_EQ(status[0], QStringLiteral("AAA"));  // no debt at all
    EXPECT_EQ(status[1], QStringLiteral("2.00%"));
    EXPECT_EQ(test::amountOf(status[2]), game->player()->cash());
}

TEST_F(BorrowingDialogTest, BorrowingAndRepayingThroughTheButtons) {
    BorrowingDialog dialog(*game);
    ASSERT_TRUE(dialog.prepare());
    const Money cash = game->player()->cash();
    click(dialog, kBorrow);
    auto* list = dialog.control<QTreeWidget>(kList);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("5年 12月"));  // 59 months on
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("10,000"));
    EXPECT_EQ(test::amountAt(dialog, kStatus, 2), cash + 10000);
    EXPECT_FALSE(button(dialog, kRepay)->isEnabled());  // nothing selected
    ASSERT_TRUE(dialog.selectLoan(0));
    EXPECT_TRUE(button(dialog, kRepay)->isEnabled());
    click(dialog, kRepay);
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(game->player()->finance().loans().loanCount(), 0);
    EXPECT_FALSE(button(dialog, kRepay)->isEnabled());
}

TEST_F(BorrowingDialogTest, RowsRunByMonthBorrowedThenSlot) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(game->borrow(), i);
    }
    (void)game->endTurn();
    ASSERT_EQ(game->repay(0), 0);
    ASSERT_EQ(game->borrow(), 0);  // the lowest free slot, borrowed a month later
    BorrowingDialog dialog(*game);
    ASSERT_TRUE(dialog.prepare());
    EXPECT_EQ(dialog.listedLoans(), (std::vector<int>{1, 2, 0}));
    auto* list = dialog.control<QTreeWidget>(kList);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("5年 12月"));
    EXPECT_EQ(list->topLevelItem(2)->text(0), QStringLiteral("6年 1月"));
}

TEST_F(BorrowingDialogTest, RatingTenShowsNoCreditAndCannotBorrow) {
    test::setCash(*game->player(), -200000);  // losses beyond the capital
    BorrowingDialog dialog(*game);
    ASSERT_TRUE(dialog.prepare());
    const QStringList status = test::labelLines(dialog, kStatus);
    ASSERT_EQ(status.size(), 3);
    EXPECT_EQ(status[0], QStringLiteral("借入不可"));
    EXPECT_EQ(status[1], QStringLiteral("-"));
    EXPECT_EQ(status[2], QStringLiteral("-200,000"));
    EXPECT_FALSE(button(dialog, kBorrow)->isEnabled());
}

TEST_F(BorrowingDialogTest, ALoanTheCashCannotCoverIsSelectableButNotRepaid) {
    ASSERT_EQ(game->borrow(), 0);
    test::setCash(*game->player(), 9999);
    BorrowingDialog dialog(*game);
    ASSERT_TRUE(dialog.prepare());
    ASSERT_TRUE(dialog.selectLoan(0));
    EXPECT_EQ(dialog.selectedLoan(), 0);
    EXPECT_FALSE(button(dialog, kRepay)->isEnabled());
    auto* list = dialog.control<QTreeWidget>(kList);
    emit list->itemDoubleClicked(list->topLevelItem(0), 0);
    EXPECT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(game->player()->finance().loans().loanCount(), 1);
    EXPECT_EQ(game->player()->cash(), 9999);
}

}  // namespace
}  // namespace vellmora
