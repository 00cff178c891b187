// Qt's own texts in the interface's language: the standard buttons of a question and the game
// file dialogs, which also have room for their columns.
#include "app/translations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>

#include "app/game_file_dialog.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

class TranslationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!installQtTranslations(*qApp, QString::fromLatin1(kInterfaceLanguage))) {
            GTEST_SKIP() << "Qt's Japanese translations (qt6-translations-l10n) are not installed";
        }
    }
    void TearDown() override { (void)installQtTranslations(*qApp, QStringLiteral("none")); }
};

TEST_F(TranslationsTest, TheButtonsOfAQuestionAreJapanese) {
    QMessageBox box(QMessageBox::Question, QString(), QStringLiteral("続きを遊びますか？"),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("はい")))
        << box.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("いいえ")))
        << box.button(QMessageBox::No)->text().toStdString();
}

TEST_F(TranslationsTest, GameFileDialogsAreJapaneseAndShowTheirColumnsWhole) {
    test::TempDir folder;
    folder.write("autosave-1.vsav", "x");
    for (GameFileAction action : {GameFileAction::Save, GameFileAction::Open}) {
        SCOPED_TRACE(action == GameFileAction::Save ? "save" : "open");
        auto dialog = makeGameFileDialog(nullptr, action, QString::fromStdString(folder.file("")));
        dialog->show();
        QApplication::processEvents();
        const auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        for (const QAbstractButton* button : buttons->buttons()) {
            const QString text = button->text();
            EXPECT_FALSE(text.contains(QStringLiteral("Save")) ||
                         text.contains(QStringLiteral("Open")) ||
                         text.contains(QStringLiteral("Cancel")))
                << text.toStdString();
        }
        const auto* files = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_NE(files, nullptr);
        // The folder is listed in the background.
        QElapsedTimer waited;
        waited.start();
        while (files->model()->rowCount(files->rootIndex()) == 0 && waited.elapsed() < 3000) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        ASSERT_EQ(files->model()->rowCount(files->rootIndex()), 1);
        const QHeaderView* header = files->header();
        const QFontMetrics metrics = files->fontMetrics();
        int columns = 0;
        for (int section = 0; section < header->count(); ++section) {
            if (header->isSectionHidden(section)) {
                continue;
            }
            columns += header->sectionSize(section);
            const QString title = files->model()->headerData(section, Qt::Horizontal).toString();
            EXPECT_GE(header->sectionSize(section), metrics.horizontalAdvance(title))
                << title.toStdString();
            const QString cell =
                files->model()->index(0, section, files->rootIndex()).data().toString();
            // The name column also holds the file's icon.
            const int room =
                header->sectionSize(section) - (section == 0 ? metrics.height() * 2 : 0);
            EXPECT_GE(room, metrics.horizontalAdvance(cell) + metrics.averageCharWidth())
                << cell.toStdString();
        }
        EXPECT_LE(columns, files->viewport()->width());
        dialog->close();
    }
}

TEST(TranslationsFallbackTest, AnUnknownLanguageKeepsQtsEnglish) {
    EXPECT_FALSE(installQtTranslations(*qApp, QStringLiteral("xx")));
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Yes"));
}

}  // namespace
}  // namespace vellmora
