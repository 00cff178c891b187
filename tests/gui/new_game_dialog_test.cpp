// The new-game dialog: stored choices held in range, default names, the map list with its
// folders, and OK without a map.
#include "dialogs/new_game_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>

#include "app/framework/message_box.h"
#include "resources/string_table.h"
#include "shell_fixture.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

using test::MessageRecorder;
using test::TempDir;

bool checked(NewGameDialog& dialog, int id) {
    auto* button = dialog.control<QAbstractButton>(id);
    return button != nullptr && button->isChecked();
}

TEST(NewGameDialogTest, StoredChoicesAreHeldInRange) {
    struct Case {
        int difficulty, competitors;
        int difficultyButton, competitorButton;
        int givenDifficulty, givenCompetitors;
    };
    for (const Case c : {Case{7, 5, 1016, 1089, 2, 3}, Case{-1, 0, 1016, 1087, 2, 1},
                         Case{0, 2, 1014, 1088, 0, 2}, Case{4, 1, 1018, 1087, 4, 1}}) {
        SCOPED_TRACE(c.difficulty);
        TempDir maps;
        maps.write("a.zmf", "x");
        NewGameDialog dialog;
        dialog.setup(QString::fromStdString(maps.path().string()), QStringLiteral("Co"),
                     QStringLiteral("Boss"), c.difficulty, c.competitors);
        ASSERT_TRUE(dialog.prepare());
        EXPECT_TRUE(checked(dialog, c.difficultyButton));
        EXPECT_TRUE(checked(dialog, c.competitorButton));
        ASSERT_TRUE(dialog.selectMap(QStringLiteral("a.zmf")));
        dialog.control<QAbstractButton>(kIdClose)->click();
        EXPECT_EQ(dialog.choice().difficulty, c.givenDifficulty);
        EXPECT_EQ(dialog.choice().competitors, c.givenCompetitors);
        EXPECT_EQ(dialog.choice().mapPath,
                  QString::fromStdString(maps.path().string()) + QStringLiteral("/a.zmf"));
        EXPECT_EQ(dialog.choice().companyName, QStringLiteral("Co"));
        EXPECT_EQ(dialog.choice().presidentName, QStringLiteral("Boss"));
    }
}

TEST(NewGameDialogTest, NamesDefaultToTheLoginName) {
    const QString saved = qEnvironmentVariable("USER");
    qputenv("USER", "hanako");
    NewGameDialog dialog;
    dialog.setup(QStringLiteral("/nonexistent"), std::nullopt, std::nullopt, 2, 3);
    ASSERT_TRUE(dialog.prepare());
    EXPECT_EQ(dialog.control<QLineEdit>(NewGameDialog::kPresidentEdit)->text(),
              QStringLiteral("hanako"));
    EXPECT_EQ(dialog.control<QLineEdit>(NewGameDialog::kCompanyEdit)->text(),
              QStringLiteral("hanako屋"));
    qputenv("USER", saved.toUtf8());
}

TEST(NewGameDialogTest, OkWithoutAMapWarnsAndStaysOpen) {
    TempDir maps;
    maps.write("town.zmf", "x");
    maps.write("more/far.zmf", "x");
    maps.write("notes.txt", "x");
    NewGameDialog dialog;
    dialog.setup(QString::fromStdString(maps.path().string()), std::nullopt, std::nullopt, 2, 3);
    ASSERT_TRUE(dialog.prepare());
    auto* list = dialog.control<QListWidget>(NewGameDialog::kMapList);
    ASSERT_NE(list, nullptr);
    QStringList entries;
    for (int row = 0; row < list->count(); ++row) {
        entries << list->item(row)->text();
    }
    // The map folder is the top: no way up from it. Its first map is chosen already.
    EXPECT_EQ(entries, (QStringList{"[more]", "town.zmf"}));
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("town.zmf"));

    MessageRecorder recorder;
    list->setCurrentRow(-1);
    dialog.control<QAbstractButton>(kIdClose)->click();  // nothing selected
    list->setCurrentRow(0);                              // a folder
    dialog.control<QAbstractButton>(kIdClose)->click();
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[0].text, loadString(108));
    EXPECT_EQ(recorder.messages[0].caption, loadString(110));
    EXPECT_TRUE(dialog.choice().mapPath.isEmpty());

    // A double click on a folder lists its maps, with the way back up.
    emit list->itemDoubleClicked(list->item(0));
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("[..]"));
    list->setCurrentRow(0);
    dialog.openSelectedFolder();
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("[more]"));
    list->setCurrentRow(0);
    dialog.openSelectedFolder();
    ASSERT_TRUE(dialog.selectMap(QStringLiteral("far.zmf")));
    dialog.control<QAbstractButton>(kIdClose)->click();
    EXPECT_TRUE(dialog.choice().mapPath.endsWith(QStringLiteral("/more/far.zmf")));
}

TEST(NewGameDialogTest, TheMapOfTheLastGameIsChosenWhenTheDialogOpens) {
    TempDir maps;
    maps.write("a.zmf", "x");
    maps.write("b.zmf", "x");
    for (const auto& [preferred, chosen] :
         {std::pair{QStringLiteral("b.zmf"), QStringLiteral("b.zmf")},
          std::pair{QStringLiteral("gone.zmf"), QStringLiteral("a.zmf")},
          std::pair{QString(), QStringLiteral("a.zmf")}}) {
        SCOPED_TRACE(preferred.toStdString());
        NewGameDialog dialog;
        dialog.setup(QString::fromStdString(maps.path().string()), std::nullopt, std::nullopt, 2,
                     3);
        dialog.setPreferredMap(preferred);
        ASSERT_TRUE(dialog.prepare());
        const auto* list = dialog.control<QListWidget>(NewGameDialog::kMapList);
        ASSERT_NE(list->currentItem(), nullptr);
        EXPECT_EQ(list->currentItem()->text(), chosen);
    }
}

TEST(NewGameDialogTest, CancelAndClosingAnswerMinusOne) {
    for (const bool byButton : {true, false}) {
        NewGameDialog dialog;
        dialog.setup(QStringLiteral("/nonexistent"), std::nullopt, std::nullopt, 2, 3);
        test::DialogHook hook([byButton](Dialog& shown) {
            if (byButton) {
                shown.control<QAbstractButton>(NewGameDialog::kCancel)->click();
            } else {
                shown.close();
            }
        });
        EXPECT_EQ(dialog.doModal(nullptr), -1);
    }
}

}  // namespace
}  // namespace vellmora
