// The screenshot run: starts a game on a map, plays some months through the end-of-turn command
// with every message answered and printed, saves pictures of the window and of every dialog that
// opens, and closes the window through its normal shutdown.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace vellmora {

class Dialog;
class FixedClock;
class MainWindow;

struct ScreenshotOptions {
    QString folder;
    QString map;  // a map of the program's "map/" folder; empty: the first one listed
    std::optional<std::int64_t> seed;
    int months = 12;
};

// Reads "--screenshots DIR [--map NAME] [--seed N] [--months N]" from the arguments after the
// program name. Answers nullopt without --screenshots; sets `error` for bad arguments.
std::optional<ScreenshotOptions> parseScreenshotArguments(const std::vector<std::string>& args,
                                                          QString& error);

class ScreenshotRun {
public:
    // Exit codes.
    static constexpr int kOk = 0;
    static constexpr int kFailed = 1;
    static constexpr int kBadArguments = 2;

    // One named step; false stops the run with `exitCode`.
    struct Step {
        QString name;
        std::function<bool()> run;
        int exitCode = kFailed;
    };

    ScreenshotRun(MainWindow& window, ScreenshotOptions options);
    ~ScreenshotRun();

    // Runs every step, then closes the window (settings saved). Answers the exit code.
    int run();

    // Saves a picture of a widget as DIR/name.png; a name already used gets "-2", "-3"...
    bool save(QWidget& widget, const QString& name);
    void addStep(Step step) { steps_.push_back(std::move(step)); }

private:
    void addStandardSteps();
    void onDialogShown(Dialog& dialog);
    bool startGame();
    bool playMonths();
    void settle(int milliseconds);
    void showTileUnderMouse();
    // The town's screens (screenshot_screens.cpp): the tool markers, a shop built, the display
    // modes and the management and report dialogs.
    void addBuildSteps();
    void addTownSteps();
    bool pointAtTile(int x, int y);
    bool findTile(bool buildable, int& x, int& y) const;
    // Opens a dialog through its command; the shot is saved under `name`.
    bool shootDialog(int command, const QString& name);

    MainWindow& window_;
    ScreenshotOptions options_;
    std::unique_ptr<FixedClock> clock_;
    std::vector<Step> steps_;
    std::map<QString, int> used_;
    QString nextDialogName_;
    int shopX_ = -1;
    int shopY_ = -1;
    bool mapFound_ = false;
    bool failed_ = false;
};

}  // namespace vellmora
