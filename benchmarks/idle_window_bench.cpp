// Measures the CPU time an idle game window takes: the main window at 1920 x 1080 with a new game
// on each town, its map view running at 10 frames per second, nobody touching it. After three
// seconds to settle, the process's user and system time over the measuring time is printed as a
// share of one core.
// Usage: idle_window_bench [--seconds N] [PROGRAM_FOLDER] [TOWN...]
//   (default: 30 seconds, the folder of this program's build, hinode oomachi shinkawa)
// Run it under a display server (for example Xvfb) or QT_QPA_PLATFORM=offscreen, with
// SDL_AUDIODRIVER=dummy on a machine without sound.
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "data/program_folder.h"
#include "dialogs/new_game_dialog.h"
#include "support/temp_dir.h"

namespace {

using namespace vellmora;

double processSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Runs the event loop for `ms` milliseconds, sleeping between events.
void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    int seconds = 30;
    std::string programFolder = joinPath(vellmora::programFolder(), "../vellmora");
    std::vector<std::string> towns;
    bool folderGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--seconds" && i + 1 < argc) {
            seconds = std::max(1, std::atoi(argv[++i]));
        } else if (!folderGiven) {
            programFolder = argument;
            folderGiven = true;
        } else {
            towns.push_back(argument);
        }
    }
    if (towns.empty()) {
        towns = {"hinode", "oomachi", "shinkawa"};
    }
    test::TempDir scratch;
    for (const std::string& town : towns) {
        ShellOptions options;
        options.programFolder = programFolder;
        options.settingsFile = scratch.path().string() + "/vellmora.ini";
        options.scoreFolder = scratch.path().string() + "/zrf/";
        options.saveFolder = scratch.path().string() + "/saves/";
        MainWindow window(options);
        window.onCreate();
        window.showNormal();
        window.resize(1920, 1080);
        NewGameChoice choice;
        choice.mapPath = QString::fromStdString(joinPath(programFolder, "map/" + town + ".zmf"));
        choice.companyName = QStringLiteral("idle");
        choice.presidentName = QStringLiteral("idle");
        if (window.startNewGame(choice) != 0) {
            std::fprintf(stderr, "idle_window_bench: %s cannot be started\n", town.c_str());
            return 1;
        }
        runFor(3000);
        const double before = processSeconds();
        runFor(seconds * 1000);
        const double used = processSeconds() - before;
        std::printf("%-10s idle over %d s: %.2f s of CPU = %.2f %% of a core\n", town.c_str(),
                    seconds, used, used / seconds * 100.0);
        window.onClose();
    }
    return 0;
}
