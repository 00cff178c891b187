// The score table: five rows per difficulty, the marker of the record just won, and the twelfth
// line for a win outside the five.
#include "dialogs/score_table_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "data/score_list.h"
#include "data/score_record.h"

namespace vellmora {
namespace {

std::unique_ptr<ScoreRecord> win(int gameYear, int gameMonth, int difficulty, int day = 5,
                                 int hour = 9, int minute = 5) {
    ScoreResults results;
    results.competitors = 3;
    results.researchLevel = 7;
    results.poisonings = 1;
    results.overworkDeaths = 2;
    results.difficulty = difficulty;
    return std::make_unique<ScoreRecord>(LocalDateTime{2026, 12, day, hour, minute, 0}, gameYear,
                                         gameMonth, results);
}

// A list whose difficulty-2 table holds five wins of years 2 to 6.
std::unique_ptr<ScoreList> fullList() {
    auto list = std::make_unique<ScoreList>("town", kScoreTableCount, kScorePlaceCount);
    for (int year = 2; year <= 6; ++year) {
        auto record = win(year, 1, 2, year);
        EXPECT_EQ(list->insert(record, 2), 0);
    }
    return list;
}

TEST(ScoreTableDialogTest, EmptyTablesShowFiveEmptyRows) {
    ScoreList list("town", kScoreTableCount, kScorePlaceCount);
    ScoreTableDialog dialog(QStringLiteral("town"), &list, nullptr);
    ASSERT_TRUE(dialog.prepare());
    EXPECT_EQ(dialog.currentTab(), 0);
    EXPECT_EQ(dialog.columnText(ScoreTableDialog::kMarker), QString());
    EXPECT_EQ(dialog.columnText(ScoreTableDialog::kClearDate), QString(11, '\n'));
}

TEST(ScoreTableDialogTest, TheDialogKeepsItsWidthFromTabToTab) {
    auto list = fullList();  // tab 2 full, the others empty
    ScoreTableDialog dialog(QStringLiteral("town"), list.get(), list->record(0, 2));
    ASSERT_TRUE(dialog.prepare());
    dialog.show();
    QApplication::processEvents();
    const int width = dialog.sizeHint().width();
    for (int tab : {0, 2, 4, 2}) {
        dialog.selectTab(tab);
        QApplication::processEvents();
        EXPECT_EQ(dialog.sizeHint().width(), width) << "tab " << tab;
    }
}

TEST(ScoreTableDialogTest, AWinInTheFiveIsMarkedOnItsLine) {
    auto list = fullList();
    const ScoreRecord* third = list->record(2, 2);
    ASSERT_NE(third, nullptr);
    ScoreTableDialog dialog(QStringLiteral("town"), list.get(), third);
    ASSERT_TRUE(dialog.prepare());
    EXPECT_EQ(dialog.currentTab(), 2);
    EXPECT_EQ(dialog.columnText(ScoreTableDialog::kMarker), QStringLiteral("\n\n\n\n->"));
    EXPECT_EQ(dialog.columnText(ScoreTableDialog::kClearTime),
              QStringLiteral("09:05\n\n09:05\n\n09:05\n\n09:05\n\n09:05\n\n\n"));
    EXPECT_TRUE(dialog.columnText(ScoreTableDialog::kClearDate)
                    .startsWith(QStringLiteral("2026/12/02\n\n2026/12/03")));
    EXPECT_TRUE(
        dialog.columnText(ScoreTableDialog::kElapsed).startsWith(QStringLiteral("02年01月\n\n")));
    EXPECT_TRUE(dialog.columnText(ScoreTableDialog::kResearch).startsWith(QStringLiteral("7\n\n")));

    dialog.selectTab(1);  // another difficulty: no marker, empty rows
    EXPECT_EQ(dialog.columnText(ScoreTableDialog::kMarker), QString());
    EXPECT_EQ(dialog.columnText(ScoreTableDialog::kClearTime), QString(11, '\n'));
}

TEST(ScoreTableDialogTest, AWinOutsideTheFiveStandsOnTheTwelfthLine) {
    auto list = fullList();
    const auto late = win(4, 12, 2, 20, 23, 59);  // a slow win: refused by a full table
    ScoreTableDialog dialog(QStringLiteral("town"), list.get(), late.get());
    ASSERT_TRUE(dialog.prepare());
    EXPECT_EQ(dialog.columnText(ScoreTableDialog::kMarker), QString(11, '\n') + "->");
    const QString elapsed = dialog.columnText(ScoreTableDialog::kElapsed);
    EXPECT_TRUE(elapsed.endsWith(QStringLiteral("06年01月\n\n\n04年12月")))
        << elapsed.toStdString();
    EXPECT_TRUE(
        dialog.columnText(ScoreTableDialog::kClearTime).endsWith(QStringLiteral("\n23:59")));
    dialog.selectTab(0);
    EXPECT_EQ(dialog.columnText(ScoreTableDialog::kMarker), QString());
    EXPECT_EQ(dialog.columnText(ScoreTableDialog::kElapsed), QString(11, '\n'));
}

TEST(ScoreTableDialogTest, AMapWithoutAListShowsEmptyTables) {
    const auto record = win(3, 4, 0);
    ScoreTableDialog dialog(QStringLiteral("town"), nullptr, record.get());
    ASSERT_TRUE(dialog.prepare());
    EXPECT_EQ(dialog.columnText(ScoreTableDialog::kMarker), QString(11, '\n') + "->");
    EXPECT_EQ(dialog.columnText(ScoreTableDialog::kElapsed),
              QString(11, '\n') + QStringLiteral("03年04月"));
}

}  // namespace
}  // namespace vellmora
