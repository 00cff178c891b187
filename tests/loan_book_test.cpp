#include "game/loan_book.h"

#include <gtest/gtest.h>

#include "data/result_codes.h"
#include "game/credit_rating.h"
#include "game/finance.h"
#include "support/finance_fixture.h"

namespace vellmora {
namespace {

using test::templateRow;

constexpr Money kUnit = 1000;
constexpr int kDifficulty = 2;

class LoanTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(finance.initialise(test::standardChart()), kOk);
        PriceTable& prices = finance.priceTable();
        prices.setRow(TemplateGroup::Borrowing, 0, templateRow({{1101, kUnit}, {2101, -kUnit}}));
        prices.setRow(TemplateGroup::Borrowing, 1, templateRow({{1101, -kUnit}, {2101, kUnit}}));
        for (int rating = 0; rating < kLoanRateCount; ++rating) {
            prices.setLoanRate(rating, 0.05 + 0.01 * rating);
        }
        for (int d = 0; d < kRatingFactorCount; ++d) {
            prices.setRatingFactor(d, 1.0);
        }
    }

    void addCapital(Money amount) {
        ASSERT_TRUE(finance.postTemplate(templateRow({{1101, amount}, {3101, -amount}}), 101, 1.0));
    }
    void spend(Money amount) {
        ASSERT_TRUE(finance.postTemplate(templateRow({{5151, amount}, {1101, -amount}}), 101, 1.0));
    }

    Finance finance;
};

TEST(CreditRatingTest, Thresholds) {
    struct Case {
        Money equity, retained, debt;
        double factor;
        int expected;
    };
    const Case cases[] = {
        {1000, 0, 500, 1.0, 0},                            // ratio 0.5
        {1000, 0, 549, 1.0, 0},                            // just below 0.55
        {1000, 0, 550, 1.0, 1},                            // 0.55
        {1000, 0, 900, 1.0, 8},                            // 0.9
        {1000, 0, 949, 1.0, 8},                            // just below 0.95
        {1000, 0, 950, 1.0, 9},                            // 0.95
        {1000, 0, 1099, 1.0, 9},                           // just below 1.1
        {1000, 0, 1100, 1.0, 10},                          // 1.1
        {1000, 0, 1000, 2.0, 0},                           // the factor scales the equity
        {-1, 0, 0, 1.0, 10},                               // negative E whatever the debt
        {-1000, 0, -5000, 1.0, 10}, {0, 0, 500, 1.0, 10},  // E = 0: infinite ratio
        {0, 0, 0, 1.0, 10},                                // 0 / 0 has no ratio at all
        {1000, 0, 100, 0.0, 10},                           // no factor: no finite ratio either
        {1000, -1, 500, 1.0, 0},  // negative retained earnings only bite above 0.5
        {1000, -1, 600, 1.0, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rateCredit(c.equity, c.retained, c.debt, c.factor), c.expected)
            << c.equity << " " << c.retained << " " << c.debt << " " << c.factor;
    }
}

TEST(LoanBookTest, DueMonthAndDateArithmetic) {
    EXPECT_EQ(addMonths(101, kLoanTermMonths), 512);
    EXPECT_EQ(addMonths(1212, 1), 1301);
    EXPECT_EQ(addMonths(305, 0), 305);
    EXPECT_EQ(addMonths(112, 59), 611);
}

TEST_F(LoanTest, RatingReadsTheBalanceSheetGroups) {
    addCapital(10000);
    EXPECT_EQ(finance.rating(kDifficulty), 0);  // no debt, one unit is a tenth of E
    EXPECT_EQ(finance.rating(5), -1);
    EXPECT_EQ(finance.rating(-1), -1);
    EXPECT_EQ(finance.currentRate(5), 0.0);
    EXPECT_DOUBLE_EQ(finance.currentRate(kDifficulty), 0.05);

    // A loss so far this year lowers E through retained earnings before any closing:
    // E = 10000 - 8000 = 2000, L = 1000: ratio 0.5.
    spend(8000);
    EXPECT_EQ(finance.rating(kDifficulty), 0);
    // E = 1800: ratio 0.555..., and retained earnings are now negative.
    spend(200);
    EXPECT_EQ(finance.rating(kDifficulty), 10);
    EXPECT_FALSE(finance.canBorrow(kDifficulty));
    EXPECT_EQ(finance.currentRate(kDifficulty), 0.0);
}

TEST_F(LoanTest, BorrowTakesTheLowestSlotAtTheRatingsRate) {
    addCapital(10000);
    ASSERT_TRUE(finance.canBorrow(kDifficulty));
    EXPECT_EQ(finance.borrow(kDifficulty, 101, addMonths(101, kLoanTermMonths)), 0);
    EXPECT_EQ(finance.borrow(kDifficulty, 102, addMonths(102, kLoanTermMonths)), 1);
    EXPECT_EQ(finance.cash(), 12000);
    EXPECT_EQ(finance.balance(2101), 2000);

    const LoanBook& loans = finance.loans();
    ASSERT_NE(loans.loan(0), nullptr);
    EXPECT_EQ(loans.loan(0)->monthlyInterest, 4);  // 1000 * 0.05 / 12 = 4.17, truncated
    EXPECT_EQ(loans.amount(0), kUnit);
    EXPECT_EQ(loans.monthBorrowed(0), 101);
    EXPECT_EQ(loans.monthDue(0), 512);
    // The rate shown is computed back from the truncated interest.
    EXPECT_DOUBLE_EQ(loans.annualRate(0), 0.048);
    EXPECT_EQ(finance.totalMonthlyInterest(), 8);

    // Getters on empty or invalid slots.
    EXPECT_FALSE(loans.slotUsed(2));
    EXPECT_EQ(loans.amount(2), 0);
    EXPECT_EQ(loans.annualRate(-1), 0.0);
    EXPECT_EQ(loans.monthDue(256), 0);
    EXPECT_EQ(loans.slotCount(), 256);

    // A repaid slot is the next one taken.
    ASSERT_EQ(finance.repay(0, 103, false), kOk);
    EXPECT_EQ(finance.borrow(kDifficulty, 104, 603), 0);
}

TEST_F(LoanTest, BorrowingIsRefusedWithoutCreditOrFreeSlots) {
    // No equity: rating 10, nothing changes.
    EXPECT_EQ(finance.rating(kDifficulty), 10);
    EXPECT_FALSE(finance.canBorrow(kDifficulty));
    EXPECT_EQ(finance.borrow(kDifficulty, 101, 512), kRefused);
    EXPECT_EQ(finance.borrow(7, 101, 512), kRefused);
    EXPECT_EQ(finance.cash(), 0);
    EXPECT_EQ(finance.loans().loanCount(), 0);
    EXPECT_TRUE(finance.ledger().journal().empty());

    // A price table without a borrowing row has nothing to lend.
    addCapital(1'000'000'000);
    const PostingTemplate borrowRow = *finance.priceTable().row(TemplateGroup::Borrowing, 0);
    finance.priceTable().setRow(TemplateGroup::Borrowing, 0, PostingTemplate{});
    EXPECT_FALSE(finance.canBorrow(kDifficulty));
    EXPECT_EQ(finance.borrow(kDifficulty, 101, 512), kRefused);
    EXPECT_EQ(finance.loans().loanCount(), 0);
    finance.priceTable().setRow(TemplateGroup::Borrowing, 0, borrowRow);

    for (int i = 0; i < LoanBook::kSlotCount; ++i) {
        ASSERT_EQ(finance.borrow(kDifficulty, 101, 512), i);
    }
    const Money cash = finance.cash();
    EXPECT_FALSE(finance.canBorrow(kDifficulty));
    EXPECT_EQ(finance.borrow(kDifficulty, 101, 512), kRefused);
    EXPECT_EQ(finance.cash(), cash);
    EXPECT_EQ(finance.loans().loanCount(), 256);
}

TEST_F(LoanTest, RepaymentNeedsALoanAndCashUnlessForced) {
    addCapital(10000);
    ASSERT_EQ(finance.borrow(kDifficulty, 101, 512), 0);
    EXPECT_FALSE(finance.canRepay(1, false));
    EXPECT_EQ(finance.repay(1, 102, true), kRefused);
    EXPECT_EQ(finance.repay(-1, 102, true), kRefused);

    spend(10500);  // cash 500, below the repayment of 1000
    EXPECT_FALSE(finance.canRepay(0, false));
    EXPECT_EQ(finance.repay(0, 102, false), kRefused);
    EXPECT_TRUE(finance.loans().slotUsed(0));
    EXPECT_EQ(finance.cash(), 500);

    // The settlement's forced repayment of a loan that fell due may leave cash negative.
    ASSERT_TRUE(finance.canRepay(0, true));
    EXPECT_EQ(finance.repay(0, 512, true), kOk);
    EXPECT_EQ(finance.cash(), -500);
    EXPECT_EQ(finance.balance(2101), 0);
    EXPECT_FALSE(finance.loans().slotUsed(0));
}

TEST_F(LoanTest, RefinanceReplacesDearerLoansOnly) {
    addCapital(10000);
    ASSERT_EQ(finance.borrow(kDifficulty, 101, 512), 0);
    ASSERT_EQ(finance.borrow(kDifficulty, 101, 512), 1);
    const std::size_t posted = finance.ledger().journal().size();

    // Every loan at (or, by truncation, below) the current rate: nothing to do.
    EXPECT_EQ(finance.refinance(kDifficulty, 201, 612), kRefused);
    EXPECT_EQ(finance.ledger().journal().size(), posted);
    EXPECT_EQ(finance.loans().monthDue(0), 512);

    // Rates fall: both loans are replaced in place, cash and debt unchanged.
    finance.priceTable().setLoanRate(0, 0.024);
    EXPECT_EQ(finance.refinance(kDifficulty, 201, 612), kOk);
    EXPECT_EQ(finance.loans().loanCount(), 2);
    EXPECT_EQ(finance.loans().loan(0)->monthlyInterest, 2);
    EXPECT_EQ(finance.loans().monthDue(1), 612);
    EXPECT_EQ(finance.cash(), 12000);
    EXPECT_EQ(finance.balance(2101), 2000);

    // Cash below one repayment: no candidates.
    finance.priceTable().setLoanRate(0, 0.012);
    spend(11500);
    EXPECT_EQ(finance.refinance(kDifficulty, 202, 613), kRefused);
    EXPECT_EQ(finance.loans().monthDue(0), 612);
}

TEST_F(LoanTest, RefinanceAtRatingTenDoesNothing) {
    addCapital(10000);
    ASSERT_EQ(finance.borrow(kDifficulty, 101, 512), 0);
    finance.priceTable().setLoanRate(0, 0.01);
    finance.priceTable().setRatingFactor(kDifficulty, 0.0);  // no credit at this difficulty
    ASSERT_EQ(finance.rating(kDifficulty), 10);

    EXPECT_EQ(finance.refinance(kDifficulty, 201, 612), kRefused);
    EXPECT_TRUE(finance.loans().slotUsed(0));
    EXPECT_EQ(finance.cash(), 11000);
    EXPECT_EQ(finance.refinance(9, 201, 612), kRefused);
}

TEST_F(LoanTest, RefinanceBorrowsForEveryCandidateEvenWhenItsRepaymentFails) {
    // A repayment takes 1000 while a new loan brings only 500, so the cash no longer covers the
    // second repayment half-way through.
    finance.priceTable().setRow(TemplateGroup::Borrowing, 0,
                                templateRow({{1101, 500}, {2101, -500}}));
    addCapital(10000);
    ASSERT_EQ(finance.borrow(kDifficulty, 101, 512), 0);
    ASSERT_EQ(finance.borrow(kDifficulty, 101, 512), 1);
    // Cash 1200 after buying fixed assets; equity and rating stay as they were.
    ASSERT_TRUE(finance.postTemplate(templateRow({{1151, 9800}, {1101, -9800}}), 101, 1.0));
    finance.priceTable().setLoanRate(0, 0.01);

    EXPECT_EQ(finance.refinance(kDifficulty, 201, 612), kOk);
    // Slot 0 is repaid and borrowed anew in place (cash 1200 - 1000 + 500 = 700). Slot 1 can no
    // longer be repaid, yet its new loan is still taken: three loans.
    EXPECT_EQ(finance.loans().loanCount(), 3);
    EXPECT_EQ(finance.loans().monthDue(0), 612);
    EXPECT_EQ(finance.loans().monthDue(1), 512);
    EXPECT_EQ(finance.loans().monthDue(2), 612);
    EXPECT_EQ(finance.loans().monthBorrowed(2), 201);
    EXPECT_EQ(finance.cash(), 1200);
}

}  // namespace
}  // namespace vellmora
