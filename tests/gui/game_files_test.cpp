#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/command_ids.h"
#include "app/command_table.h"
#include "gui/shell_fixture.h"
#include "support/game_fixture_play.h"

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

QStringList savedGames(const ShellFixture& shell) {
    return QDir(QString::fromStdString(shell.user.file("saves")))
        .entryList({QStringLiteral("*.vsav")}, QDir::Files, QDir::Name);
}

// Answers every question with `answer` and records the questions asked.
class QuestionAnswerer {
public:
    explicit QuestionAnswerer(bool answer) {
        setMessageHook([this, answer](const QString&, const QString& text, MessageIcon) {
            asked.push_back(text);
            return answer;
        });
    }
    ~QuestionAnswerer() { setMessageHook(nullptr); }
    QuestionAnswerer(const QuestionAnswerer&) = delete;
    QuestionAnswerer& operator=(const QuestionAnswerer&) = delete;

    std::vector<QString> asked;
};

TEST(GameFilesTest, OnlyAGameInProgressIsSavedOrKept) {
    {
        SCOPED_TRACE("quit on the title");
        ShellFixture shell({}, std::string(), true);
        EXPECT_FALSE(shell.window->commands().isEnabled(command::kSaveGame));
        shell.window->saveGameCommand();  // Ctrl+S on the title: no dialog, no file
        shell.close();
        EXPECT_TRUE(savedGames(shell).isEmpty()) << savedGames(shell).join(' ').toStdString();
    }
    {
        SCOPED_TRACE("quit right after a month end");
        ShellFixture shell({}, std::string(), true);
        ASSERT_EQ(shell.startGame(), 0);
        EXPECT_TRUE(shell.window->commands().isEnabled(command::kSaveGame));
        shell.window->commands().trigger(command::kEndTurn);
        shell.close();
        EXPECT_EQ(savedGames(shell), QStringList{QStringLiteral("autosave-1.vsav")});
    }
    {
        SCOPED_TRACE("quit after a change since the month end");
        ShellFixture shell({}, std::string(), true);
        ASSERT_EQ(shell.startGame(), 0);
        shell.window->commands().trigger(command::kEndTurn);
        ASSERT_GE(shell.window->game().buildShop(2, 2, 0), 0);
        shell.close();
        EXPECT_EQ(savedGames(shell), (QStringList{QStringLiteral("autosave-1.vsav"),
                                                  QStringLiteral("autosave-2.vsav")}));
    }
    {
        SCOPED_TRACE("a finished game");
        ShellFixture shell({}, std::string(), true);
        ASSERT_EQ(shell.startGame(2, 1), 0);
        shell.window->commands().trigger(command::kEndTurn);
        setCash(*shell.window->game().firm(1), -1000000);
        MessageRecorder messages;
        DialogHook scoreTable([](Dialog& dialog) { dialog.endDialog(0); });
        for (int month = 0; month < 3 && !shell.window->game().finished(); ++month) {
            shell.window->commands().trigger(command::kEndTurn);
        }
        ASSERT_TRUE(shell.window->game().finished());
        EXPECT_FALSE(shell.window->commands().isEnabled(command::kSaveGame));
        const QStringList before = savedGames(shell);
        shell.close();
        EXPECT_EQ(savedGames(shell), before);                   // the earlier months stay as files
        EXPECT_TRUE(shell.window->resumeQuestion().isEmpty());  // but are not offered
    }
}

TEST(GameFilesTest, TheResumeOfferNamesTheGameAndANoRetiresIt) {
    ShellFixture shell({}, std::string(), true);
    ASSERT_EQ(shell.startGame(), 0);
    shell.window->commands().trigger(command::kEndTurn);
    shell.window->commands().trigger(command::kEndTurn);
    EXPECT_EQ(shell.window->resumeQuestion(),
              QStringLiteral("town, 1年3月, テスト屋 — 続きを遊びますか？"));

    {
        QuestionAnswerer no(false);
        shell.window->offerResume();
        EXPECT_EQ(no.asked.size(), 1u);
    }
    EXPECT_TRUE(shell.window->resumeQuestion().isEmpty());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(shell.window->autosavePath(1))));
    {
        QuestionAnswerer no(false);
        shell.window->offerResume();
        EXPECT_TRUE(no.asked.empty());  // not asked again
    }

    // The next game kept brings the offer back.
    shell.window->commands().trigger(command::kEndTurn);
    EXPECT_EQ(shell.window->resumeQuestion(),
              QStringLiteral("town, 1年4月, テスト屋 — 続きを遊びますか？"));
}

TEST(GameFilesTest, RefusalsGiveTheirReasonInJapanese) {
    MessageRecorder messages;
    ShellFixture shell;
    ASSERT_EQ(shell.startGame(), 0);
    const std::string whole = shell.user.file("whole.vsav");
    ASSERT_EQ(shell.window->game().saveGame(whole), 0);
    const std::string bytes = TempDir::readFile(whole);
    const struct {
        const char* what;
        std::string contents;
        const char* reason;
    } cases[] = {
        {"not a game file", "hello", "Vellmora のゲームファイルではありません。"},
        {"truncated", bytes.substr(0, bytes.size() / 2),
         "ファイルが壊れているか、途中で切れています。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.messages.clear();
        const std::string path = shell.user.write("refused.vsav", c.contents);
        EXPECT_EQ(shell.window->openSavedGame(path), -1);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_TRUE(messages.messages[0].text.endsWith(QString::fromUtf8(c.reason)))
            << messages.messages[0].text.toStdString();
    }
    messages.messages.clear();
    EXPECT_EQ(shell.window->openSavedGame(shell.user.file("missing.vsav")), -1);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_TRUE(messages.messages[0].text.endsWith(QStringLiteral("ファイルを開けません。")));
}

}  // namespace
}  // namespace vellmora::test
