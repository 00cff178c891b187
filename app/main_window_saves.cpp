// Game files: saving and opening games, the autosaves at every month end and on quit, and the
// offer to resume at start-up.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <algorithm>
#include <cstdio>

#include "app/command_ids.h"
#include "app/framework/message_box.h"
#include "app/main_window.h"
#include "app/map_view.h"
#include "app/mode.h"
#include "data/program_folder.h"
#include "game/firm.h"
#include "game/game.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

constexpr int kAutosaveSlots = 3;
const QString kFilter = QStringLiteral("Vellmora (*.vsav)");

QString fromPath(const std::string& path) {
    return QFile::decodeName(path.c_str());
}
std::string toPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The core's reasons are short English phrases; the player reads Japanese with the reason kept
// for the details.
QString refusalText(const char* what, const QString& path, const std::string& reason) {
    QString text = QString::fromUtf8(what) + QStringLiteral("\n") + path;
    if (!reason.empty()) {
        text += QStringLiteral("\n(") + QString::fromStdString(reason) + QStringLiteral(")");
    }
    return text;
}

}  // namespace

std::string MainWindow::autosavePath(int slot) const {
    return joinPath(options_.saveFolder, "autosave-" + std::to_string(slot) + ".vsav");
}

void MainWindow::saveGameCommand() {
    if (!game_->running()) {
        return;
    }
    QDir().mkpath(fromPath(options_.saveFolder));
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("ゲームを保存"),
                                                fromPath(options_.saveFolder), kFilter);
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(QStringLiteral(".vsav"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".vsav");
    }
    if (game_->saveGame(toPath(path)) != 0) {
        showMessage(this, refusalText("ゲームを保存できませんでした。", path, game_->fileError()),
                    MessageIcon::Exclamation);
    }
}

void MainWindow::openGameCommand() {
    QDir().mkpath(fromPath(options_.saveFolder));
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("ゲームを開く"),
                                                      fromPath(options_.saveFolder), kFilter);
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
    if (game_->loadGame(path) != 0) {
        if (wasRunning) {
            mapView_->start(rate);
        }
        QApplication::restoreOverrideCursor();
        showMessage(this,
                    refusalText("ゲームを開けませんでした。", fromPath(path), game_->fileError()),
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
    QApplication::restoreOverrideCursor();
    return 0;
}

void MainWindow::autosave() {
    if (!options_.autosave || !game_->running()) {
        return;
    }
    QDir().mkpath(fromPath(options_.saveFolder));
    if (game_->finished()) {
        // Nothing left to resume.
        for (int slot = 1; slot <= kAutosaveSlots; ++slot) {
            QFile::remove(fromPath(autosavePath(slot)));
        }
        return;
    }
    QFile::remove(fromPath(autosavePath(kAutosaveSlots)));
    for (int slot = kAutosaveSlots - 1; slot >= 1; --slot) {
        QFile::rename(fromPath(autosavePath(slot)), fromPath(autosavePath(slot + 1)));
    }
    if (game_->saveGame(autosavePath(1)) != 0) {
        std::fprintf(stderr, "vellmora: cannot keep the game in %s: %s\n", autosavePath(1).c_str(),
                     game_->fileError().c_str());
    }
}

void MainWindow::offerResume() {
    if (!options_.autosave || !QFile::exists(fromPath(autosavePath(1)))) {
        return;
    }
    if (askQuestion(this, QStringLiteral("前回のゲームの続きを遊びますか？"))) {
        (void)openSavedGame(autosavePath(1));
    }
}

}  // namespace vellmora
