// The game window: start-up and shutdown with the settings file, command enabling shared by menu
// and toolbar, and starting new games (including one that fails).
#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>

#include "app/command_ids.h"
#include "app/framework/money_text.h"
#include "app/mode.h"
#include "app/toolbar.h"
#include "data/settings.h"
#include "data/text_encoding.h"
#include "game/firm.h"
#include "game/game.h"
#include "resources/string_table.h"
#include "shell_fixture.h"

namespace vellmora {
namespace {

using test::GameFixtureOptions;
using test::kGameCommands;
using test::MessageRecorder;
using test::ShellFixture;

const int kAlwaysAvailable[] = {command::kNewGame,
                                command::kScoreTable,
                                command::kExit,
                                command::kStatements,
                                command::kCompanyInfo,
                                command::kViewNormal,
                                command::kViewCustomers,
                                command::kViewCatchment,
                                command::kViewPreferencePlayer,
                                command::kViewPreferenceBlue,
                                command::kViewPreferenceGreen,
                                command::kViewPreferenceYellow,
                                command::kSoundEffects,
                                command::kMusicOff,
                                command::kAutoRefinance,
                                command::kAbout};

// Every toolbar button shows the state of its command's action.
void expectToolbarAgrees(MainWindow& window) {
    for (const ToolbarButton& button : Toolbar::buttons()) {
        if (button.command == 0) {
            continue;
        }
        SCOPED_TRACE(button.command);
        QAction* action = window.commands().action(button.command);
        ASSERT_NE(action, nullptr);
        auto* tool = qobject_cast<QToolButton*>(window.toolbar().widget()->widgetForAction(action));
        ASSERT_NE(tool, nullptr);
        EXPECT_EQ(tool->isEnabled(), action->isEnabled());
        EXPECT_EQ(tool->isChecked(), action->isChecked());
    }
}

Settings readSettings(const std::string& path) {
    Settings settings;
    EXPECT_EQ(settings.load(path), 0);
    return settings;
}

TEST(MainWindowTest, FirstStartWritesTheDefaultsAtClose) {
    ShellFixture shell;
    const std::string file = shell.window->settingsFile();
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(shell.window->soundEffectsOn());
    EXPECT_TRUE(shell.window->commands().isChecked(command::kMusicOff));
    EXPECT_FALSE(shell.window->commands().isChecked(command::kAutoRefinance));
    EXPECT_EQ(shell.status(StatusBar::kDate), QStringLiteral("1年 1月"));
    EXPECT_EQ(shell.window->windowTitle(), loadString(103));
    shell.close();

    const Settings saved = readSettings(file);
    ASSERT_NE(saved.get("sound", "se"), nullptr);
    EXPECT_EQ(*saved.get("sound", "se"), "off");
    EXPECT_EQ(*saved.get("sound", "bgm"), "<off>");
    EXPECT_EQ(*saved.get("game", "rollover"), "off");
    EXPECT_EQ(saved.sections().front().name, "sound");
}

TEST(MainWindowTest, StoredSwitchesAreReadAsTheirRulesSay) {
    struct Case {
        const char* se;
        const char* rollover;
        bool effects;
        bool refinancing;
    };
    for (const Case c : {Case{"On", "OFF", true, true}, Case{"on", "off", true, false},
                         Case{"yes", "", false, true}, Case{"OFF", "on", false, true}}) {
        SCOPED_TRACE(std::string(c.se) + "/" + c.rollover);
        ShellFixture shell({}, std::string("[sound]\r\nse=") + c.se + "\r\nbgm=gone\r\n\r\n" +
                                   "[game]\r\nrollover=" + c.rollover + "\r\n\r\n");
        EXPECT_EQ(shell.window->soundEffectsOn(), c.effects);
        EXPECT_EQ(shell.window->commands().isChecked(command::kSoundEffects), c.effects);
        EXPECT_EQ(shell.window->game().autoRefinance(), c.refinancing);
        EXPECT_EQ(shell.window->commands().isChecked(command::kAutoRefinance), c.refinancing);
        // Music named in the file but no longer present: off, and written back so.
        EXPECT_TRUE(shell.window->commands().isChecked(command::kMusicOff));
        EXPECT_EQ(*shell.window->settings().get("sound", "bgm"), "<off>");
        EXPECT_EQ(*shell.window->settings().get("sound", "se"), c.effects ? "on" : "off");
        EXPECT_EQ(*shell.window->settings().get("game", "rollover"), c.refinancing ? "on" : "off");
    }
}

TEST(MainWindowTest, MusicMenuListsThePiecesAndPlaysAndStoresTheChoice) {
    ShellFixture shell({}, "[sound]\r\nbgm=" + utf8ToCp932("朝の商店街") + "\r\n\r\n", false,
                       {"b.mid", "R&B.MID", "朝の商店街.mid", "notes.txt"});
    const std::string folder = shell.game.folder() + "music/";
    const CommandTable& commands = shell.window->commands();
    // Sorted by the bytes of their names; "&" shown as written.
    ASSERT_NE(commands.action(command::kFirstMusic + 2), nullptr);
    EXPECT_EQ(commands.action(command::kFirstMusic)->text(), QStringLiteral("R&&B"));
    EXPECT_EQ(commands.action(command::kFirstMusic + 1)->text(), QStringLiteral("b"));
    EXPECT_EQ(commands.action(command::kFirstMusic + 2)->text(), QStringLiteral("朝の商店街"));
    EXPECT_EQ(commands.action(command::kFirstMusic + 3), nullptr);

    auto checked = [&] {
        std::vector<int> ids;
        for (int id : {command::kMusicOff, command::kFirstMusic, command::kFirstMusic + 1,
                       command::kFirstMusic + 2}) {
            if (commands.isChecked(id)) {
                ids.push_back(id);
            }
        }
        return ids;
    };
    // The stored piece, found by its CP932 name, plays at start-up.
    EXPECT_EQ(checked(), std::vector<int>{command::kFirstMusic + 2});
    EXPECT_EQ(shell.music, (std::vector<std::string>{"stop", "play " + folder + "朝の商店街.mid"}));

    shell.music.clear();
    shell.window->onCommand(command::kFirstMusic, 0);
    EXPECT_EQ(checked(), std::vector<int>{command::kFirstMusic});
    EXPECT_EQ(shell.music, (std::vector<std::string>{"stop", "play " + folder + "R&B.MID"}));
    EXPECT_EQ(*shell.window->settings().get("sound", "bgm"), "R&B");

    shell.music.clear();
    shell.window->onCommand(command::kMusicOff, 0);
    EXPECT_EQ(checked(), std::vector<int>{command::kMusicOff});
    EXPECT_EQ(shell.music, std::vector<std::string>{"stop"});
    EXPECT_EQ(*shell.window->settings().get("sound", "bgm"), "<off>");

    // An id past the last piece is no music command.
    shell.music.clear();
    shell.window->onCommand(command::kFirstMusic + 3, 0);
    EXPECT_TRUE(shell.music.empty());
    EXPECT_EQ(checked(), std::vector<int>{command::kMusicOff});
}

TEST(MainWindowTest, TogglesFlipAndWriteTheirSetting) {
    ShellFixture shell({}, "[game]\r\nrollover=maybe\r\n\r\n");
    ASSERT_TRUE(shell.window->game().autoRefinance());
    shell.window->commands().trigger(command::kAutoRefinance);
    EXPECT_FALSE(shell.window->game().autoRefinance());
    EXPECT_FALSE(shell.window->commands().isChecked(command::kAutoRefinance));
    EXPECT_EQ(*shell.window->settings().get("game", "rollover"), "off");
    shell.window->commands().trigger(command::kSoundEffects);
    EXPECT_TRUE(shell.window->soundEffectsOn());
    EXPECT_TRUE(shell.window->commands().isChecked(command::kSoundEffects));
    EXPECT_EQ(*shell.window->settings().get("sound", "se"), "on");
}

TEST(MainWindowTest, GameCommandsWaitForAGameAndMenuAndToolbarAgree) {
    ShellFixture shell;
    MainWindow& window = *shell.window;
    for (int id : kGameCommands) {
        EXPECT_FALSE(window.commands().isEnabled(id)) << id;
    }
    for (int id : kAlwaysAvailable) {
        EXPECT_TRUE(window.commands().isEnabled(id)) << id;
    }
    EXPECT_TRUE(window.commands().isChecked(command::kViewNormal));
    expectToolbarAgrees(window);
    // A disabled command chosen anyway does nothing.
    window.commands().trigger(command::kBuildSmall);
    EXPECT_EQ(window.currentMode().kind(), Mode::kNormal);

    ASSERT_EQ(shell.startGame(), 0);
    for (int id : kGameCommands) {
        EXPECT_TRUE(window.commands().isEnabled(id)) << id;
    }
    expectToolbarAgrees(window);

    window.commands().trigger(command::kViewCatchment);
    EXPECT_EQ(window.displayMode(), command::kViewCatchment);
    EXPECT_TRUE(window.commands().isChecked(command::kViewCatchment));
    EXPECT_FALSE(window.commands().isChecked(command::kViewNormal));
    // Choosing the checked display mode again keeps it checked.
    window.commands().trigger(command::kViewCatchment);
    EXPECT_TRUE(window.commands().isChecked(command::kViewCatchment));
    expectToolbarAgrees(window);

    window.commands().trigger(command::kBuildLarge);
    window.commands().trigger(command::kBuildSmall);  // another size stays in the build mode
    EXPECT_EQ(window.currentMode().kind(), Mode::kBuild);
    EXPECT_TRUE(window.commands().isChecked(command::kBuildSmall));
    EXPECT_FALSE(window.commands().isChecked(command::kBuildLarge));
    for (int id : {command::kNewGame, command::kManagementSystem, command::kBudget,
                   command::kBorrowing, command::kEndTurn}) {
        EXPECT_FALSE(window.commands().isEnabled(id)) << id;
    }
    for (int id : {command::kStatements, command::kCompanyInfo, command::kViewCustomers,
                   command::kSoundEffects, command::kScoreTable, command::kCloseShop}) {
        EXPECT_TRUE(window.commands().isEnabled(id)) << id;
    }
    expectToolbarAgrees(window);
}

TEST(MainWindowTest, NewGameShowsTitleDateAndCashAndStoresTheChoice) {
    ShellFixture shell;
    MainWindow& window = *shell.window;
    ASSERT_EQ(shell.startGame(3, 2), 0);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Vellmora [マップ:town] [難易度:本部長]"));
    EXPECT_EQ(shell.status(StatusBar::kDate), QStringLiteral("1年 1月"));
    const Money capital = shell.game.options().capital[3];
    EXPECT_EQ(window.game().player()->cash(), capital);
    EXPECT_EQ(shell.status(StatusBar::kCash), QStringLiteral("資金[%1]").arg(moneyText(capital)));
    EXPECT_EQ(window.game().mapName(), "town");
    EXPECT_EQ(window.game().activeCompetitors(), 2);
    EXPECT_FALSE(window.mapView().title());
    EXPECT_EQ(window.mapView().framesPerSecond(), 10);
    EXPECT_EQ(*window.settings().get("game", "dif"), "3");
    EXPECT_EQ(*window.settings().get("game", "ainum"), "2");
    EXPECT_EQ(*window.settings().get("game", "player"), "\x83\x65\x83\x58\x83\x67");  // テスト
}

TEST(MainWindowTest, StatusPartsCutTooLongTextsWithAnEllipsis) {
    ShellFixture shell;  // a 640-pixel window
    const QString hint = QStringLiteral(
        "顧客数[38] 支配[青葉フーズ株式会社:10%, 株式会社みどり軒:24%, "
        "黄金屋ダイニング株式会社:12%, ルート屋:54%]");
    shell.window->statusLine().setText(StatusBar::kModeHint, hint);
    shell.window->statusLine().setText(StatusBar::kTile, QStringLiteral("(12,7)"));
    QApplication::processEvents();
    const auto* last = shell.window->findChild<QLabel*>(QStringLiteral("part4"));
    ASSERT_NE(last, nullptr);
    EXPECT_LE(shell.window->width(), 640);  // the long text does not widen the window
    EXPECT_TRUE(last->text().endsWith(QChar(0x2026))) << last->text().toStdString();
    EXPECT_LE(last->fontMetrics().horizontalAdvance(last->text()), last->contentsRect().width());
    EXPECT_EQ(last->toolTip(), hint);
    EXPECT_EQ(shell.status(StatusBar::kModeHint), hint);
    // A text that fits shows whole.
    EXPECT_EQ(shell.window->findChild<QLabel*>(QStringLiteral("part1"))->text(),
              QStringLiteral("(12,7)"));
}

TEST(MainWindowTest, AStatusPartShowsTheFirstShorterFormThatFits) {
    ShellFixture shell;
    shell.window->resize(1024, 600);
    QApplication::processEvents();
    const QString whole = QStringLiteral(
        "顧客数[38] 支配[青葉フーズ株式会社:10% , 株式会社みどり軒:24% , "
        "黄金屋ダイニング株式会社:12% , ルート屋本舗株式会社:54%]");
    const QString coloured = QStringLiteral("顧客数[38] 支配[自社:54% 青:10% 緑:24% 黄:12%]");
    const QString bare = QStringLiteral("顧客数[38] 支配[54% 10% 24% 12%]");
    StatusBar& line = shell.window->statusLine();
    line.setText(StatusBar::kModeHint, whole, {coloured, bare});
    QApplication::processEvents();
    EXPECT_EQ(line.shownText(StatusBar::kModeHint), coloured);  // four companies at 1024 pixels
    EXPECT_EQ(line.text(StatusBar::kModeHint), whole);
    EXPECT_EQ(shell.window->findChild<QLabel*>(QStringLiteral("part4"))->toolTip(), whole);

    shell.window->resize(3000, 600);  // room for the whole text
    QApplication::processEvents();
    if (line.partWidth(StatusBar::kModeHint) > 1200) {
        EXPECT_EQ(line.shownText(StatusBar::kModeHint), whole);
    }
    shell.window->resize(640, 600);  // not even the shortest form fits: it is cut
    QApplication::processEvents();
    const QString cut = line.shownText(StatusBar::kModeHint);
    EXPECT_TRUE(cut.endsWith(QChar(0x2026))) << cut.toStdString();
    EXPECT_TRUE(bare.startsWith(cut.chopped(1))) << cut.toStdString();
}

TEST(MainWindowTest, TheMapHasTheKeysFromTheStart) {
    ShellFixture shell;
    ASSERT_EQ(shell.startGame(), 0);
    EXPECT_EQ(shell.window->focusWidget(), shell.window->clientArea());
    MapView& view = shell.window->mapView();
    const int x = view.viewX();
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(shell.window->focusWidget(), &right);
    EXPECT_EQ(view.viewX(), x + 1);
}

TEST(MainWindowTest, AFailedNewGameKeepsTheRunningGame) {
    ShellFixture shell;
    MainWindow& window = *shell.window;
    ASSERT_EQ(shell.startGame(), 0);
    window.commands().trigger(command::kEndTurn);
    const Game* before = &window.game();
    const QString title = window.windowTitle();
    const QString date = shell.status(StatusBar::kDate);

    MessageRecorder recorder;
    for (const std::string& bad : {shell.game.dir().write("map/broken.zmf", "not a map"),
                                   shell.game.dir().file("map/missing.zmf")}) {
        SCOPED_TRACE(bad);
        recorder.messages.clear();
        NewGameChoice choice = shell.choice(0, 1);
        choice.mapPath = QString::fromStdString(bad);
        EXPECT_EQ(window.startNewGame(choice), -1);
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_TRUE(recorder.messages[0].text.contains(choice.mapPath));
        EXPECT_EQ(recorder.messages[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(&window.game(), before);
        EXPECT_EQ(window.game().mapName(), "town");
        EXPECT_NE(window.game().player(), nullptr);
        EXPECT_EQ(window.windowTitle(), title);
        EXPECT_EQ(shell.status(StatusBar::kDate), date);
        EXPECT_EQ(*window.settings().get("game", "dif"), "2");
        EXPECT_TRUE(window.commands().isEnabled(command::kEndTurn));
    }
}

TEST(MainWindowTest, AFailedFirstGameLeavesTheTitleScreen) {
    ShellFixture shell;
    MainWindow& window = *shell.window;
    MessageRecorder recorder;
    NewGameChoice choice = shell.choice();
    choice.mapPath = QString::fromStdString(shell.game.dir().write("map/broken.zmf", "x"));
    EXPECT_EQ(window.startNewGame(choice), -1);
    EXPECT_EQ(recorder.messages.size(), 1u);
    EXPECT_TRUE(window.mapView().title());
    EXPECT_FALSE(window.commands().isEnabled(command::kEndTurn));
    EXPECT_EQ(window.settings().get("game", "dif"), nullptr);
}

TEST(MainWindowTest, AnUnreadableScoreFileIsReportedOnceAndKept) {
    ShellFixture shell;
    shell.user.write("zrf/town.zrf", "not a score file");
    MessageRecorder recorder;
    ASSERT_EQ(shell.startGame(), 0);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_TRUE(recorder.messages[0].text.contains(QStringLiteral("town.zrf")));
    ASSERT_EQ(shell.startGame(), 0);
    EXPECT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(shell.user.read("zrf/town.zrf"), "not a score file");
}

TEST(MainWindowTest, ScoreTableNeedsAMap) {
    ShellFixture shell;
    int opened = 0;
    test::DialogHook hook([&opened](Dialog& dialog) {
        ++opened;
        dialog.endDialog(0);
    });
    shell.window->commands().trigger(command::kScoreTable);
    EXPECT_EQ(opened, 0);
    ASSERT_EQ(shell.startGame(), 0);
    shell.window->commands().trigger(command::kScoreTable);
    EXPECT_EQ(opened, 1);
    shell.window->commands().trigger(command::kAbout);
    EXPECT_EQ(opened, 2);
}

TEST(MainWindowTest, NewGameCommandRunsTheDialogWithTheStoredChoices) {
    ShellFixture shell({}, "[game]\r\ndif=7\r\nainum=0\r\nplayer=Boss\r\n\r\n");
    bool cancel = true;
    QString company;
    test::DialogHook hook([&](Dialog& dialog) {
        auto& newGame = dynamic_cast<NewGameDialog&>(dialog);
        company = newGame.choice().companyName;
        if (cancel) {
            newGame.control<QAbstractButton>(NewGameDialog::kCancel)->click();
            return;
        }
        ASSERT_TRUE(newGame.selectMap(QStringLiteral("town.zmf")));
        newGame.control<QAbstractButton>(kIdClose)->click();
    });
    shell.window->commands().trigger(command::kNewGame);
    EXPECT_EQ(company, QStringLiteral("Boss屋"));
    EXPECT_TRUE(shell.window->game().mapName().empty());
    EXPECT_EQ(*shell.window->settings().get("game", "dif"), "7");

    cancel = false;
    shell.window->commands().trigger(command::kNewGame);
    EXPECT_EQ(shell.window->game().mapName(), "town");
    EXPECT_EQ(*shell.window->settings().get("game", "dif"), "2");
    EXPECT_EQ(*shell.window->settings().get("game", "ainum"), "1");
    EXPECT_EQ(shell.window->game().activeCompetitors(), 1);
}

}  // namespace
}  // namespace vellmora
