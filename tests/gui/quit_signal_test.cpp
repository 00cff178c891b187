// A quit signal, or the application's quit when the session ends, closes the game window the
// normal way: the running game is kept, the settings file written and the process ends with
// status 0.
//
// Each case starts this test program again as a child that runs the window with a game in
// progress (and real, silent SDL audio), then sends the child a signal.
#include <signal.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>

#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/signal_watch.h"
#include "shell_fixture.h"
#include "support/game_fixture.h"
#include "support/temp_dir.h"

namespace vellmora {
namespace {

constexpr char kChildFolderVariable[] = "VELLMORA_QUIT_CHILD_FOLDER";
constexpr char kChildDialogVariable[] = "VELLMORA_QUIT_CHILD_DIALOG";
// The child quits the application itself, as the session manager's "die" message makes Qt do.
constexpr char kChildQuitVariable[] = "VELLMORA_QUIT_CHILD_QUIT";
constexpr char kReadyLine[] = "quit-child-ready";

void announceReady() {
    std::printf("%s\n", kReadyLine);
    std::fflush(stdout);
}

// The child's side: the window as the program runs it, until a signal closes it.
TEST(QuitSignalChild, RunsTheWindowUntilItIsClosed) {
    const char* folder = std::getenv(kChildFolderVariable);
    if (folder == nullptr) {
        GTEST_SKIP() << "runs only as the child of QuitSignalTest";
    }
    const bool withDialog = std::getenv(kChildDialogVariable) != nullptr;
    const bool quitsItself = std::getenv(kChildQuitVariable) != nullptr;
    test::GameFixture data;
    test::MessageRecorder messages;
    ShellOptions options;
    options.programFolder = data.folder();
    options.settingsFile = std::string(folder) + "/vellmora.ini";
    options.scoreFolder = std::string(folder) + "/zrf/";
    options.saveFolder = std::string(folder) + "/saves/";
    options.autosave = true;
    MainWindow window(options);
    ASSERT_EQ(window.create(), 0);
    NewGameChoice choice;
    choice.mapPath = QString::fromStdString(data.mapPath());
    choice.difficulty = 2;
    choice.competitors = 3;
    choice.companyName = QStringLiteral("テスト屋");
    choice.presidentName = QStringLiteral("テスト");
    ASSERT_EQ(window.startNewGame(choice), 0);

    const QuitSignalWatch watch([&window] { window.onClose(); });
    ASSERT_TRUE(watch.installed());
    if (withDialog) {
        // The budget dialog runs modally inside its command when the signal arrives.
        QTimer::singleShot(0, &window, [&window] { window.onCommand(command::kBudget, 0); });
        auto* poll = new QTimer(&window);
        QObject::connect(poll, &QTimer::timeout, poll, [poll] {
            if (QApplication::activeModalWidget() != nullptr) {
                poll->stop();
                announceReady();
            }
        });
        poll->start(10);
    } else if (quitsItself) {
        QTimer::singleShot(0, &window, [] {
            announceReady();
            QCoreApplication::quit();
        });
    } else {
        QTimer::singleShot(0, &window, &announceReady);
    }
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(watch.lastSignal() != 0, !quitsItself);
    EXPECT_FALSE(window.isVisible());
}

struct QuitCase {
    const char* name;
    int signalNumber;  // 0: no signal, the application quits
    bool withDialog;
};

void PrintTo(const QuitCase& c, std::ostream* out) {
    *out << c.name;
}

class QuitSignalTest : public ::testing::TestWithParam<QuitCase> {};

TEST_P(QuitSignalTest, ClosesTheWindowKeepingTheGameAndTheSettings) {
    const QuitCase& c = GetParam();
    test::TempDir folder;
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kChildFolderVariable, QString::fromStdString(folder.path().string()));
    if (c.withDialog) {
        environment.insert(kChildDialogVariable, QStringLiteral("1"));
    }
    if (c.signalNumber == 0) {
        environment.insert(kChildQuitVariable, QStringLiteral("1"));
    }
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=QuitSignalChild.*")});
    ASSERT_TRUE(child.waitForStarted(10000));

    QByteArray output;
    while (!output.contains(kReadyLine) && child.state() == QProcess::Running) {
        child.waitForReadyRead(30000);
        output += child.readAllStandardOutput();
    }
    ASSERT_TRUE(output.contains(kReadyLine)) << output.constData();
    if (c.signalNumber != 0) {
        ASSERT_EQ(kill(static_cast<pid_t>(child.processId()), c.signalNumber), 0);
    }

    // Generous: a loaded test machine; the close itself takes a fraction of a second.
    ASSERT_TRUE(child.waitForFinished(30000)) << "still running after the signal";
    output += child.readAllStandardOutput();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.constData();
    EXPECT_EQ(child.exitCode(), 0) << output.constData();

    const std::string settings = folder.read("vellmora.ini");
    EXPECT_NE(settings.find("[sound]"), std::string::npos) << settings;
    EXPECT_NE(settings.find("bgm="), std::string::npos) << settings;
    int saves = 0;
    if (std::filesystem::exists(folder.path() / "saves")) {
        for (const auto& entry : std::filesystem::directory_iterator(folder.path() / "saves")) {
            saves += entry.file_size() > 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(saves, 1) << "the running game is kept once";
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignalTest,
                         ::testing::Values(QuitCase{"Term", SIGTERM, false},
                                           QuitCase{"Interrupt", SIGINT, false},
                                           QuitCase{"HangUp", SIGHUP, false},
                                           QuitCase{"TermUnderADialog", SIGTERM, true},
                                           QuitCase{"SessionQuit", 0, false}),
                         [](const ::testing::TestParamInfo<QuitCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace vellmora
