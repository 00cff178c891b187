#include <gtest/gtest.h>

#include <QFile>

#include "app/command_ids.h"
#include "app/command_table.h"
#include "gui/shell_fixture.h"

namespace vellmora::test {
namespace {

TEST(GameFilesTest, AutosavesRotateARefusedFileKeepsTheGameAndASavedOneResumes) {
    MessageRecorder messages;
    ShellFixture shell({}, std::string(), true);
    ASSERT_EQ(shell.startGame(), 0);
    for (int month = 0; month < 4; ++month) {
        shell.window->commands().trigger(command::kEndTurn);
    }
    ASSERT_EQ(shell.status(0), QStringLiteral("1年 5月"));
    for (int slot = 1; slot <= 3; ++slot) {
        EXPECT_TRUE(QFile::exists(QString::fromStdString(shell.window->autosavePath(slot))))
            << slot;
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(shell.window->autosavePath(4))));

    // A damaged file is refused with a message; the game plays on as it was.
    const std::string damaged =
        shell.user.write("damaged.vsav", "quillmarch_save and nothing more");
    messages.messages.clear();
    EXPECT_EQ(shell.window->openSavedGame(damaged), -1);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_TRUE(messages.messages[0].text.contains(QStringLiteral("ゲームを開けませんでした")));
    EXPECT_EQ(shell.status(0), QStringLiteral("1年 5月"));
    EXPECT_TRUE(shell.window->commands().isEnabled(command::kEndTurn));

    // The oldest slot holds the game after its second month.
    EXPECT_EQ(shell.window->openSavedGame(shell.window->autosavePath(3)), 0);
    EXPECT_EQ(shell.status(0), QStringLiteral("1年 3月"));
    EXPECT_TRUE(shell.window->commands().isEnabled(command::kEndTurn));

    // The offer at start-up asks once and resumes the newest.
    messages.messages.clear();
    shell.window->offerResume();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(shell.status(0), QStringLiteral("1年 5月"));
}

}  // namespace
}  // namespace vellmora::test
