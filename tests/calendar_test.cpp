#include "game/calendar.h"

#include <gtest/gtest.h>

#include <climits>

#include "game/turn_flags.h"

namespace vellmora {
namespace {

TEST(CalendarTest, MonthYearAndDateCode) {
    struct Case {
        int count, year, month, code;
    };
    for (const Case& c : {Case{0, 1, 1, 101}, Case{11, 1, 12, 112}, Case{12, 2, 1, 201},
                          Case{35, 3, 12, 312}, Case{1199, 100, 12, 10012}}) {
        Calendar calendar;
        calendar.setMonthsPlayed(c.count);
        EXPECT_EQ(calendar.year(), c.year) << c.count;
        EXPECT_EQ(calendar.month(), c.month) << c.count;
        EXPECT_EQ(calendar.dateCode(), c.code) << c.count;
        EXPECT_EQ(Calendar::dateCodeOf(c.year, c.month), c.code);
        EXPECT_EQ(Calendar::yearOf(c.code), c.year);
        EXPECT_EQ(Calendar::monthOf(c.code), c.month);
    }
    Calendar calendar;
    calendar.setMonthsPlayed(11);
    calendar.advance();
    EXPECT_EQ(calendar.dateCode(), 201);
    calendar.reset();
    EXPECT_EQ(calendar.dateCode(), 101);
}

TEST(CalendarTest, StaticDateCodeCarriesAndSaturates) {
    EXPECT_EQ(Calendar::dateCodeOf(2, 61), 701);
    EXPECT_EQ(Calendar::dateCodeOf(1, 1 + 59), 512);  // loan due date 59 months ahead
    EXPECT_EQ(Calendar::dateCodeOf(2, 0), 112);
    EXPECT_EQ(Calendar::dateCodeOf(INT_MAX, INT_MAX), INT_MAX);
    Calendar calendar;
    calendar.setMonthsPlayed(INT_MAX);
    calendar.advance();
    EXPECT_EQ(calendar.monthsPlayed(), INT_MAX);
    calendar.setMonthsPlayed(-5);
    EXPECT_EQ(calendar.dateCode(), 101);
}

TEST(TurnFlagsTest, DistinctBits) {
    const TurnFlagSet all[] = {
        TurnFlags::YearEnd,    TurnFlags::Bankrupt,      TurnFlags::CompetitorWithdrew,
        TurnFlags::LoanRepaid, TurnFlags::FoodPoisoning, TurnFlags::OverworkDeath,
        TurnFlags::Victory,    TurnFlags::GameOver,      TurnFlags::CashExhausted};
    TurnFlagSet seen = 0;
    for (TurnFlagSet flag : all) {
        EXPECT_EQ(seen & flag, 0u);
        seen |= flag;
    }
    EXPECT_EQ(seen, 0x1FFu);
}

}  // namespace
}  // namespace vellmora
