// Game files: saving and opening games, the autosaves at every month end and on quit, and the
// offer to resume at start-up.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "app/command_ids.h"
#include "app/command_table.h"
#include "app/framework/message_box.h"
#include "app/game_file_dialog.h"
#include "app/main_window.h"
#include "app/map_view.h"
#include "app/mode.h"
#include "data/program_folder.h"
#include "data/result_codes.h"
#include "data/settings.h"
#include "data/text_encoding.h"
#include "game/calendar.h"
#include "game/firm.h"
#include "game/game.h"
#include "game/random.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

constexpr int kAutosaveSlots = 3;
// "off" once the player has declined to resume the newest autosave; any other value, or none,
// offers it at the next start.
constexpr const char* kResumeKey = "resume";

QString fromPath(const std::string& path) {
    return QFile::decodeName(path.c_str());
}
std::string toPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The core's reason for a refused file, for the player. The English detail names a data file
// that changed; that name is kept.
QString refusalReason(int code, const std::string& detail) {
    switch (code) {
        case kRefused:
            return QStringLiteral("保存できるゲームがありません。");
        case kMissingFile:
            return QStringLiteral("ファイルを開けません。");
        case kGameFileForeign:
            return QStringLiteral("Vellmora のゲームファイルではありません。");
        case kGameFileVersionUnknown:
            return QStringLiteral("このバージョンでは読めない形式のゲームファイルです。");
        case kGameFileDamaged:
            return QStringLiteral("ファイルが壊れているか、途中で切れています。");
        case kGameFileDataChanged: {
            QString text = QStringLiteral("ゲームを保存したときとデータファイルが変わっています。");
            const std::size_t colon = detail.find(": ");
            if (colon != std::string::npos) {
                text += QStringLiteral("（%1）").arg(fromPath(detail.substr(colon + 2)));
            }
            return text;
        }
        case kGameFileWriteFailed:
            return QStringLiteral("ファイルに書き込めません。");
        default:
            return QString();
    }
}

QString refusalText(const char* what, const QString& path, int code, const std::string& detail) {
    QString text = QString::fromUtf8(what) + QStringLiteral("\n") + path;
    const QString reason = refusalReason(code, detail);
    if (!reason.isEmpty()) {
        text += QStringLiteral("\n") + reason;
    }
    return text;
}

bool sameContents(const QString& a, const QString& b) {
    QFile first(a);
    QFile second(b);
    if (!first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly) ||
        first.size() != second.size()) {
        return false;
    }
    return first.readAll() == second.readAll();
}

}  // namespace

std::string MainWindow::autosavePath(int slot) const {
    return joinPath(options_.saveFolder, "autosave-" + std::to_string(slot) + ".vsav");
}

bool MainWindow::gameInProgress() const {
    return game_ != nullptr && game_->inProgress();
}

void MainWindow::saveGameCommand() {
    if (!gameInProgress()) {
        return;
    }
    QDir().mkpath(fromPath(options_.saveFolder));
    const QString path = chooseGameFile(this, GameFileAction::Save, fromPath(options_.saveFolder));
    if (path.isEmpty()) {
        return;
    }
    const int result = game_->saveGame(toPath(path));
    if (result != 0) {
        showMessage(this,
                    refusalText("ゲームを保存できませんでした。", path, result, game_->fileError()),
                    MessageIcon::Exclamation);
    }
}

void MainWindow::openGameCommand() {
    QDir().mkpath(fromPath(options_.saveFolder));
    const QString path = chooseGameFile(this, GameFileAction::Open, fromPath(options_.saveFolder));
    if (!path.isEmpty()) {
        (void)openSavedGame(toPath(path));
    }
}

int MainWindow::openSavedGame(const std::string& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool wasRunning = mapView_->running();
    const int rate = mapView_->framesPerSecond();
    mapView_->stop();
    // A refused file leaves the running game exactly as it was.
    const int result = game_->loadGame(path);
    if (result != 0) {
        if (wasRunning) {
            mapView_->start(rate);
        }
        QApplication::restoreOverrideCursor();
        showMessage(
            this,
            refusalText("ゲームを開けませんでした。", fromPath(path), result, game_->fileError()),
            MessageIcon::Exclamation);
        return -1;
    }
    const Firm* player = game_->player();
    const int difficulty = std::clamp(player != nullptr ? player->difficulty() : 2, 0, 4);
    setWindowTitle(formatString(163, loadString(103).toUtf8().constData(),
                                fromPath(game_->mapName()).toUtf8().constData(),
                                loadString(158 + difficulty).toUtf8().constData()));
    mapView_->setMapSize(game_->mapWidth(), game_->mapHeight());
    mapView_->redrawLayers();
    mapView_->setTitle(false);
    mapView_->start(MapView::kGameFramesPerSecond);
    if (currentMode_ != &modes_->normal()) {
        currentMode_->onLeave();
    }
    setMode(&modes_->normal());
    setToolCheck(0);
    modes_->normal().onEnter();
    setDisplayMode(command::kViewNormal);
    refreshDisplay();
    showCash();
    showDate();
    // A finished game can be looked at; its commands stay over, as after its last month.
    if (game_->finished()) {
        disableGameCommands();
    } else {
        enableGameCommands();
    }
    refreshPointer();
    QApplication::restoreOverrideCursor();
    return 0;
}

void MainWindow::autosave() {
    if (!options_.autosave || !gameInProgress()) {
        return;
    }
    QDir().mkpath(fromPath(options_.saveFolder));
    const QString fresh = fromPath(joinPath(options_.saveFolder, "autosave-new.vsav"));
    if (game_->saveGame(toPath(fresh)) != 0) {
        std::fprintf(stderr, "vellmora: cannot keep the game in %s: %s\n", toPath(fresh).c_str(),
                     game_->fileError().c_str());
        QFile::remove(fresh);
        return;
    }
    settings_->set("game", kResumeKey, "on");
    // Nothing has changed since the last one (a quit right after a month end): the slots stay.
    const QString newest = fromPath(autosavePath(1));
    if (sameContents(fresh, newest)) {
        QFile::remove(fresh);
        return;
    }
    QFile::remove(fromPath(autosavePath(kAutosaveSlots)));
    for (int slot = kAutosaveSlots - 1; slot >= 1; --slot) {
        QFile::rename(fromPath(autosavePath(slot)), fromPath(autosavePath(slot + 1)));
    }
    if (!QFile::rename(fresh, newest)) {
        std::fprintf(stderr, "vellmora: cannot keep the game in %s\n", autosavePath(1).c_str());
    }
}

void MainWindow::retireResumeOffer() {
    if (options_.autosave) {  // a run that keeps no games leaves the player's offer alone
        settings_->set("game", kResumeKey, "off");
    }
}

QString MainWindow::resumeQuestion() const {
    const std::string path = autosavePath(1);
    if (!options_.autosave || !QFile::exists(fromPath(path))) {
        return QString();
    }
    const std::string* resume = settings_->get("game", kResumeKey);
    if (resume != nullptr && *resume == "off") {
        return QString();
    }
    // Read aside, so that a file that cannot be resumed is not offered at all; the process-wide
    // generator that a load sets is put back.
    Game saved(options_.programFolder);
    saved.setScoreFolder(std::string());
    const std::uint32_t random = rng::state();
    const int result = saved.loadGame(path);
    rng::setState(random);
    if (result != 0) {
        std::fprintf(stderr, "vellmora: the kept game %s cannot be resumed: %s\n", path.c_str(),
                     saved.fileError().c_str());
        return QString();
    }
    if (!saved.inProgress() || saved.calendar() == nullptr || saved.player() == nullptr) {
        return QString();
    }
    return QStringLiteral("%1, %2年%3月, %4 — 続きを遊びますか？")
        .arg(fromPath(saved.mapName()))
        .arg(saved.calendar()->year())
        .arg(saved.calendar()->month())
        .arg(QString::fromStdString(cp932ToUtf8(saved.player()->name())));
}

void MainWindow::offerResume() {
    const QString question = resumeQuestion();
    if (question.isEmpty()) {
        return;
    }
    if (askQuestion(this, question)) {
        (void)openSavedGame(autosavePath(1));
    } else {
        // Asked again only once another game has been kept.
        retireResumeOffer();
    }
}

}  // namespace vellmora
