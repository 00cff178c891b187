// The end of turn: the messages of a month's flags in their order, the victory with its score
// table, bankruptcy, and the shop named in the accident messages.
#include <gtest/gtest.h>

#include "app/command_ids.h"
#include "app/framework/money_text.h"
#include "data/score_record.h"
#include "dialogs/score_table_dialog.h"
#include "game/calendar.h"
#include "game/firm.h"
#include "game/game.h"
#include "game/settlement.h"
#include "game/turn_flags.h"
#include "resources/string_table.h"
#include "shell_fixture.h"

namespace vellmora {
namespace {

using test::GameFixtureOptions;
using test::kGameCommands;
using test::MessageRecorder;
using test::ShellFixture;

std::vector<QString> strings(std::initializer_list<int> ids) {
    std::vector<QString> texts;
    for (int id : ids) {
        texts.push_back(loadString(id));
    }
    return texts;
}

bool gameCommandsEnabled(MainWindow& window) {
    bool any = false;
    for (int id : kGameCommands) {
        any = any || window.commands().isEnabled(id);
    }
    return any;
}

TEST(TurnMessagesTest, FlagsBecomeMessagesInTheirOrder) {
    using namespace TurnFlags;
    struct Case {
        const char* what;
        TurnFlagSet flags;
        int competitors;
        std::vector<QString> expected;
        bool stillPlaying;
    };
    const Case cases[] = {
        {"quiet month", YearEnd, 3, {}, true},
        {"withdrawal, three at the start", CompetitorWithdrew, 3, strings({152}), true},
        {"withdrawal leaving one", CompetitorWithdrew, 1, strings({166}), true},
        {"withdrawal and bankruptcy",
         CompetitorWithdrew | Bankrupt | GameOver | LoanRepaid | CashExhausted, 3,
         strings({152, 151}), false},
        {"repaid and cash gone", LoanRepaid | CashExhausted, 3, strings({153, 154}), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShellFixture shell;
        ASSERT_EQ(shell.startGame(2, c.competitors), 0);
        MessageRecorder recorder;
        shell.window->showTurnMessages(c.flags);
        EXPECT_EQ(recorder.texts(), c.expected);
        for (const test::RecordedMessage& message : recorder.messages) {
            EXPECT_EQ(message.caption, QStringLiteral("message"));
        }
        EXPECT_EQ(gameCommandsEnabled(*shell.window), c.stillPlaying);
    }
}

TEST(TurnMessagesTest, AccidentsNameTheStruckShopFromOne) {
    GameFixtureOptions options;
    options.poisoning = {1, 1, 1, 1, 1};
    ShellFixture shell(options);
    ASSERT_EQ(shell.startGame(), 0);
    Game& game = shell.window->game();
    ASSERT_EQ(game.buildShop(4, 4, 0), 0);
    MessageRecorder recorder;
    shell.window->commands().trigger(command::kEndTurn);
    ASSERT_EQ(game.player()->struckShop(), 0);
    const QString amount = moneyText(game.player()->settlement().monthCompensation());
    ASSERT_FALSE(recorder.messages.empty());
    const test::RecordedMessage& message = recorder.messages.front();
    EXPECT_EQ(message.text, formatString(156, 1, 4, 4, amount.toUtf8().constData()));
    EXPECT_EQ(message.icon, MessageIcon::Exclamation);
    EXPECT_EQ(shell.status(StatusBar::kDate), QStringLiteral("1年 2月"));

    // Overwork with the same shop, and the combined order.
    recorder.messages.clear();
    shell.window->showTurnMessages(TurnFlags::LoanRepaid | TurnFlags::FoodPoisoning |
                                   TurnFlags::OverworkDeath | TurnFlags::CashExhausted);
    const std::vector<QString> expected = {
        loadString(153), formatString(156, 1, 4, 4, amount.toUtf8().constData()),
        formatString(157, 1, 4, 4, amount.toUtf8().constData()), loadString(154)};
    EXPECT_EQ(recorder.texts(), expected);
}

TEST(TurnMessagesTest, AnAccidentWithoutAShopLeavesTheShopOut) {
    ShellFixture shell;
    ASSERT_EQ(shell.startGame(), 0);
    ASSERT_EQ(shell.window->game().player()->struckShop(), -1);
    MessageRecorder recorder;
    shell.window->showTurnMessages(TurnFlags::FoodPoisoning | TurnFlags::OverworkDeath);
    const QByteArray zero = moneyText(0).toUtf8();
    EXPECT_EQ(recorder.texts(), (std::vector<QString>{formatString(190, zero.constData()),
                                                      formatString(191, zero.constData())}));
    for (const QString& text : recorder.texts()) {
        EXPECT_FALSE(text.contains(QStringLiteral("号店")));
    }
}

TEST(TurnMessagesTest, VictoryClapsShowsOneMessageAndTheMarkedScoreTable) {
    for (const bool effects : {true, false}) {
        SCOPED_TRACE(effects);
        GameFixtureOptions options;
        options.capital[2] = 0;  // the computer companies leave after one month
        ShellFixture shell(options, effects ? "[sound]\r\nse=on\r\n\r\n" : "");
        ASSERT_EQ(shell.startGame(1, 2), 0);
        MessageRecorder recorder;
        QString marker;
        int tab = -1;
        test::DialogHook hook([&](Dialog& dialog) {
            auto& table = dynamic_cast<ScoreTableDialog&>(dialog);
            marker = table.columnText(ScoreTableDialog::kMarker);
            tab = table.currentTab();
            dialog.endDialog(0);
        });
        shell.window->commands().trigger(command::kEndTurn);
        EXPECT_EQ(recorder.texts(), strings({165}));
        EXPECT_EQ(shell.effects,
                  effects ? std::vector<int>{MainWindow::kEffectClap} : std::vector<int>{});
        EXPECT_EQ(marker, QStringLiteral("->"));
        EXPECT_EQ(tab, 1);
        EXPECT_FALSE(gameCommandsEnabled(*shell.window));
        EXPECT_TRUE(shell.window->commands().isEnabled(command::kNewGame));
        EXPECT_TRUE(shell.window->commands().isEnabled(command::kStatements));
        // The score file went to the user's score folder.
        EXPECT_FALSE(shell.user.read("zrf/town.zrf").empty());
    }
}

TEST(TurnMessagesTest, BankruptcyIsSilentAndEndsTheGame) {
    ShellFixture shell({}, "[sound]\r\nse=on\r\n\r\n");
    ASSERT_EQ(shell.startGame(), 0);
    MessageRecorder recorder;
    shell.window->showTurnMessages(TurnFlags::Bankrupt | TurnFlags::GameOver);
    EXPECT_EQ(recorder.texts(), strings({151}));
    EXPECT_EQ(recorder.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(shell.effects.empty());
    EXPECT_FALSE(gameCommandsEnabled(*shell.window));
    // A new game enables them again.
    ASSERT_EQ(shell.startGame(), 0);
    EXPECT_TRUE(gameCommandsEnabled(*shell.window));
}

}  // namespace
}  // namespace vellmora
