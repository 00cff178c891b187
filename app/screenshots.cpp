#include "app/screenshots.h"
#include "dialogs/statements_dialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>

#include "app/command_ids.h"
#include "app/command_table.h"
#include "app/framework/dialog.h"
#include "app/framework/message_box.h"
#include "app/game_file_dialog.h"
#include "app/main_window.h"
#include "data/clock.h"
#include "dialogs/new_game_dialog.h"
#include "game/calendar.h"
#include "game/game.h"

namespace vellmora {
namespace {

bool parseNumber(const std::string& text, std::int64_t& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0') {
        return false;
    }
    value = parsed;
    return true;
}

void print(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

std::optional<ScreenshotOptions> parseScreenshotArguments(const std::vector<std::string>& args,
                                                          QString& error) {
    ScreenshotOptions options;
    bool wanted = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg != "--screenshots" && arg != "--map" && arg != "--seed" && arg != "--months") {
            error = QStringLiteral("unknown argument: %1").arg(QString::fromStdString(arg));
            return std::nullopt;
        }
        if (!hasValue) {
            error = QStringLiteral("%1 needs a value").arg(QString::fromStdString(arg));
            return std::nullopt;
        }
        const std::string& value = args[++i];
        std::int64_t number = 0;
        if (arg == "--screenshots") {
            wanted = true;
            options.folder = QString::fromLocal8Bit(value.c_str());
        } else if (arg == "--map") {
            options.map = QString::fromLocal8Bit(value.c_str());
        } else if (!parseNumber(value, number) || number < 0 ||
                   (arg == "--months" && number > 100000)) {
            error =
                QStringLiteral("%1 needs a number of 0 or more").arg(QString::fromStdString(arg));
            return std::nullopt;
        } else if (arg == "--seed") {
            options.seed = number;
        } else {
            options.months = static_cast<int>(number);
        }
    }
    if (!wanted) {
        if (!args.empty()) {
            error = QStringLiteral("--map, --seed and --months go with --screenshots DIR");
        }
        return std::nullopt;
    }
    if (options.folder.isEmpty()) {
        error = QStringLiteral("--screenshots needs a folder");
        return std::nullopt;
    }
    return options;
}

ScreenshotRun::ScreenshotRun(MainWindow& window, ScreenshotOptions options)
    : window_(window), options_(std::move(options)) {
    if (options_.seed.has_value()) {
        // Every reseed of the game's generator reads this clock, so the run repeats.
        clock_ = std::make_unique<FixedClock>(*options_.seed, LocalDateTime{2026, 4, 1, 12, 0, 0});
        installClock(clock_.get());
    }
    addStandardSteps();
}

ScreenshotRun::~ScreenshotRun() {
    Dialog::setShowHook(nullptr);
    setMessageHook(nullptr);
    if (clock_ != nullptr) {
        installClock(nullptr);
    }
}

void ScreenshotRun::settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

bool ScreenshotRun::save(QWidget& widget, const QString& name) {
    const int count = ++used_[name];
    const QString file = count == 1 ? name : QStringLiteral("%1-%2").arg(name).arg(count);
    const QString path = QDir(options_.folder).filePath(file + QStringLiteral(".png"));
    const bool saved = widget.grab().save(path, "PNG");
    print(saved ? QStringLiteral("screenshot: %1").arg(path)
                : QStringLiteral("screenshot failed: %1").arg(path));
    return saved;
}

void ScreenshotRun::onDialogShown(Dialog& dialog) {
    settle(50);
    QString name = !nextDialogName_.isEmpty()      ? nextDialogName_
                   : dialog.objectName().isEmpty() ? QStringLiteral("dialog")
                                                   : dialog.objectName();
    nextDialogName_.clear();
    save(dialog, name);
    if (auto* statements = dynamic_cast<StatementsDialog*>(&dialog)) {
        statements->showPage(1);
        settle(100);
        save(dialog, name + QStringLiteral("-trend"));
    }
    if (auto* newGame = dynamic_cast<NewGameDialog*>(&dialog)) {
        QString file = options_.map;
        if (!file.isEmpty() && !file.endsWith(QStringLiteral(".zmf"), Qt::CaseInsensitive)) {
            file += QStringLiteral(".zmf");
        }
        mapFound_ = file.isEmpty() ? newGame->selectFirstMap() : newGame->selectMap(file);
        auto* button = newGame->control<QPushButton>(mapFound_ ? kIdClose : NewGameDialog::kCancel);
        if (button != nullptr) {
            button->click();
        }
        return;
    }
    dialog.endDialog(-1);  // as if cancelled: a shot changes nothing
}

bool ScreenshotRun::startGame() {
    window_.commands().trigger(command::kNewGame);
    if (!mapFound_) {
        print(QStringLiteral("no map %1 in the map folder").arg(options_.map));
        return false;
    }
    return !window_.game().mapName().empty();
}

bool ScreenshotRun::playMonths() {
    for (int month = 0; month < options_.months; ++month) {
        if (!window_.commands().isEnabled(command::kEndTurn)) {
            print(QStringLiteral("the game has ended"));
            break;
        }
        window_.commands().trigger(command::kEndTurn);
    }
    const Calendar* calendar = window_.game().calendar();
    if (calendar != nullptr) {
        print(QStringLiteral("date: %1/%2").arg(calendar->year()).arg(calendar->month()));
    }
    return true;
}

void ScreenshotRun::showTileUnderMouse() {
    // The middle of the map area, as if the mouse rested there.
    const QWidget* client = window_.clientArea();
    window_.onMouseMove(client->width() / 2, client->height() / 2, 0);
}

void ScreenshotRun::addStandardSteps() {
    addStep({QStringLiteral("title"), [this] {
                 settle(1200);  // the title picture is drawn once a second
                 return save(window_, QStringLiteral("title"));
             }});
    addStep({QStringLiteral("new game"), [this] { return startGame(); }, kBadArguments});
    addBuildSteps();
    addStep({QStringLiteral("play"), [this] { return playMonths(); }});
    addStep({QStringLiteral("game"), [this] {
                 showTileUnderMouse();
                 settle(400);
                 return save(window_, QStringLiteral("game"));
             }});
    addTownSteps();
    addStep({QStringLiteral("game file dialogs"), [this] {
                 const QString folder = QString::fromStdString(window_.saveFolder());
                 for (GameFileAction action : {GameFileAction::Save, GameFileAction::Open}) {
                     auto dialog = makeGameFileDialog(&window_, action, folder);
                     dialog->show();
                     settle(300);
                     save(*dialog, action == GameFileAction::Save ? QStringLiteral("save-game")
                                                                  : QStringLiteral("open-game"));
                     dialog->close();
                 }
                 return true;
             }});
    addStep({QStringLiteral("score table"), [this] {
                 window_.commands().trigger(command::kScoreTable);
                 return true;
             }});
    addStep({QStringLiteral("volume"), [this] {
                 window_.commands().trigger(command::kVolume);
                 return true;
             }});
    addStep({QStringLiteral("about"), [this] {
                 window_.commands().trigger(command::kAbout);
                 return true;
             }});
}

int ScreenshotRun::run() {
    if (!QDir().mkpath(options_.folder)) {
        print(QStringLiteral("cannot make the folder %1").arg(options_.folder));
        return kBadArguments;
    }
    setMessageHook([](const QString& caption, const QString& text, MessageIcon) {
        print(QStringLiteral("%1: %2").arg(caption, QString(text).replace('\n', ' ')));
        return true;
    });
    Dialog::setShowHook([this](Dialog& dialog) { onDialogShown(dialog); });
    int code = kOk;
    for (const Step& step : steps_) {
        if (!step.run()) {
            print(QStringLiteral("step failed: %1").arg(step.name));
            code = step.exitCode;
            break;
        }
    }
    window_.onClose();
    return code;
}

}  // namespace vellmora
