#include "app/main_window.h"

#include <QCursor>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QStatusBar>

#include "app/command_ids.h"
#include "app/command_table.h"
#include "app/framework/money_text.h"
#include "app/game_chip_source.h"
#include "app/map_view.h"
#include "app/mode.h"
#include "app/status_bar.h"
#include "app/toolbar.h"
#include "app/user_folders.h"
#include "audio/music_player.h"
#include "audio/sound_bank.h"
#include "data/base_list.h"
#include "data/program_folder.h"
#include "data/settings.h"
#include "game/calendar.h"
#include "game/firm.h"
#include "game/game.h"
#include "game/town_map.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

constexpr int kStartMapWidth = 20;
constexpr int kStartMapHeight = 15;

constexpr int kGameCommands[] = {
    command::kBuildSmall,       command::kBuildMedium, command::kBuildLarge, command::kCloseShop,
    command::kManagementSystem, command::kBudget,      command::kBorrowing,  command::kEndTurn};
constexpr int kDisplayModes[] = {command::kViewNormal,          command::kViewCustomers,
                                 command::kViewCatchment,       command::kViewPreferencePlayer,
                                 command::kViewPreferenceBlue,  command::kViewPreferenceGreen,
                                 command::kViewPreferenceYellow};
constexpr int kToolCommands[] = {command::kBuildSmall, command::kBuildMedium, command::kBuildLarge,
                                 command::kCloseShop};

ShellOptions completeOptions(ShellOptions options) {
    if (options.programFolder.empty()) {
        options.programFolder = vellmora::programFolder();
    }
    if (options.settingsFile.empty() || options.scoreFolder.empty() || options.saveFolder.empty()) {
        const UserFolders folders = userFolders(options.programFolder);
        if (options.saveFolder.empty()) {
            options.saveFolder = folders.saveFolder;
        }
        if (options.settingsFile.empty()) {
            options.settingsFile = folders.settingsFile;
        }
        if (options.scoreFolder.empty()) {
            options.scoreFolder = folders.scoreFolder;
        }
    }
    return options;
}

// The program's icon in every size the program folder holds; empty when there is none.
QIcon programIcon(const std::string& folder) {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString file = QString::fromStdString(
            joinPath(folder, "res/icons/vellmora-" + std::to_string(size) + ".png"));
        if (QFileInfo::exists(file)) {
            icon.addFile(file, QSize(size, size));
        }
    }
    return icon;
}

}  // namespace

MainWindow::MainWindow(ShellOptions options)
    : options_(completeOptions(std::move(options))),
      modes_(std::make_unique<ModeSet>(*this)),
      settings_(std::make_unique<Settings>()),
      displayMode_(command::kViewNormal) {
    currentMode_ = &modes_->normal();
    setWindowTitle(loadString(103));
}

MainWindow::~MainWindow() {
    if (mapView_ != nullptr) {
        mapView_->stop();
    }
    detachChipSource();
    game_.reset();
}

int MainWindow::onCreate() {
    commands_ = std::make_unique<CommandTable>(this, [this](int id) { onCommand(id, 0); });
    commands_->buildMenus(menuBar());
    loadMusicList();
    (void)settings_->load(options_.settingsFile);
    setWindowIcon(programIcon(options_.programFolder));

    toolbar_ = std::make_unique<Toolbar>(clientArea(), *commands_, options_.programFolder);
    statusBar_ = std::make_unique<StatusBar>(statusBar());
    mapView_ = std::make_unique<MapView>(options_.programFolder, clientArea());
    mapView_->widget()->lower();

    game_ = std::make_unique<Game>(options_.programFolder);
    game_->setScoreFolder(options_.scoreFolder);
    (void)game_->newGame(NewGameSetup{});
    attachChipSource();

    for (int kind = Mode::kNormal; kind <= Mode::kClose; ++kind) {
        (*modes_)[kind].prepare();
    }
    setDisplayMode(command::kViewNormal);
    currentMode_->onEnter();
    showDate();
    disableGameCommands();
    // Where no window manager maximises it, the window still opens as large as the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(screen->availableGeometry());
    }
    showMaximized();
    // The map takes the keys from the start (arrows, and the menus' shortcuts), and after a click.
    clientArea()->setFocusPolicy(Qt::StrongFocus);
    clientArea()->setFocus(Qt::OtherFocusReason);

    mapView_->sortChipSources();
    mapView_->start(1);
    mapView_->setView(-2, -1, kStartMapWidth, kStartMapHeight);

    installAudio();
    applySoundEffectsSetting();
    applyMusicSetting();
    applyRefinancing(false);
    offerResume();
    return 1;
}

void MainWindow::onClose() {
    if (game_ == nullptr) {
        return;  // already closed
    }
    autosave();
    mapView_->stop();
    (void)settings_->save();
    detachChipSource();
    game_.reset();
    closeWindow();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == clientArea() && event->type() == QEvent::Resize) {
        const int statusHeight = statusBar()->isVisible() ? statusBar()->height() : 0;
        onSize(isMaximized() ? 2 : 0, clientArea()->width(), clientArea()->height() + statusHeight);
    }
    return Window::eventFilter(watched, event);
}

void MainWindow::setMode(Mode* mode) {
    if (mode != nullptr) {
        currentMode_ = mode;
    }
}

void MainWindow::onCommand(int id, int code) {
    if (game_ == nullptr) {
        return;  // closed
    }
    setMode(currentMode_->onCommand(id, code));
    // A command may change the mode, the town, the cash or the date that the texts describe.
    refreshPointer();
}

void MainWindow::onLButtonDown(bool doubleClick, int x, int y, unsigned keyFlags) {
    if (game_ == nullptr) {
        return;  // closed
    }
    lastMouse_ = QPoint(x, y);
    setMode(currentMode_->onLButtonDown(doubleClick, x, y, keyFlags));
}

void MainWindow::onLButtonUp(int x, int y, unsigned keyFlags) {
    if (game_ == nullptr) {
        return;  // closed
    }
    lastMouse_ = QPoint(x, y);
    setMode(currentMode_->onLButtonUp(x, y, keyFlags));
    // A build or a close changes the tile; a shop's dialog may have changed its figures.
    refreshPointer();
}

void MainWindow::onRButtonUp(int x, int y, unsigned keyFlags) {
    if (game_ == nullptr) {
        return;  // closed
    }
    lastMouse_ = QPoint(x, y);
    setMode(currentMode_->onRButtonUp(x, y, keyFlags));
    refreshPointer();  // leaving a tool mode: the normal mode's texts for the same tile
}

void MainWindow::onMouseMove(int x, int y, unsigned keyFlags) {
    if (game_ == nullptr) {
        return;  // closed
    }
    lastMouse_ = QPoint(x, y);
    setMode(currentMode_->onMouseMove(x, y, keyFlags));
}

void MainWindow::onTimer(int id) {
    if (game_ == nullptr) {
        return;  // closed
    }
    setMode(currentMode_->onTimer(id));
}

void MainWindow::onKeyDown(int key, bool, int, unsigned) {
    if (game_ == nullptr) {
        return;
    }
    int dx = 0;
    int dy = 0;
    switch (key) {
        case Qt::Key_Left:
            dx = -1;
            break;
        case Qt::Key_Right:
            dx = 1;
            break;
        case Qt::Key_Up:
            dy = -1;
            break;
        case Qt::Key_Down:
            dy = 1;
            break;
        default:
            break;
    }
    if (dx != 0 || dy != 0) {
        ViewLock lock(*mapView_);
        mapView_->setView(mapView_->viewX() + dx, mapView_->viewY() + dy, game_->mapWidth(),
                          game_->mapHeight());
    }
    // The status texts follow the tile that is now under the mouse.
    const QPoint at = clientArea()->mapFromGlobal(QCursor::pos());
    onMouseMove(at.x(), at.y(), 0);
}

void MainWindow::refreshPointer() {
    if (game_ == nullptr) {
        return;
    }
    if (!lastMouse_.has_value()) {
        return;  // the mouse has not been over the map yet
    }
    setMode(currentMode_->onMouseMove(lastMouse_->x(), lastMouse_->y(), 0));
}

void MainWindow::onSize(int, int width, int height) {
    if (mapView_ == nullptr || toolbar_ == nullptr) {
        return;
    }
    const int statusHeight = statusBar()->isVisible() ? statusBar()->height() : 0;
    clientWidth_ = width;
    mapAreaHeight_ = height - statusHeight;
    mapView_->setViewSize(clientWidth_, mapAreaHeight_);
    toolbar_->setWidth(clientWidth_);
}

void MainWindow::showDate() {
    const Calendar* calendar = game_ != nullptr ? game_->calendar() : nullptr;
    const int year = calendar != nullptr ? calendar->year() : 1;
    const int month = calendar != nullptr ? calendar->month() : 1;
    statusBar_->setText(StatusBar::kDate, formatString(128, year, month));
}

void MainWindow::showCash() {
    const Firm* player = game_ != nullptr ? game_->player() : nullptr;
    const QByteArray cash = moneyText(player != nullptr ? player->cash() : 0).toUtf8();
    const QByteArray format = currentMode_->cashFormat().toUtf8();
    statusBar_->setText(StatusBar::kCash, QString::asprintf(format.constData(), cash.constData()));
}

void MainWindow::disableGameCommands() {
    for (int id : kGameCommands) {
        commands_->setEnabled(id, false);
    }
    commands_->setEnabled(command::kSaveGame, gameInProgress());
}

void MainWindow::enableGameCommands() {
    for (int id : kGameCommands) {
        commands_->setEnabled(id, true);
    }
    commands_->setEnabled(command::kSaveGame, gameInProgress());
}

void MainWindow::setDisplayMode(int id) {
    for (int mode : kDisplayModes) {
        commands_->setChecked(mode, false);
    }
    commands_->setChecked(id, true);
    displayMode_ = id;
}

void MainWindow::setToolCheck(int id) {
    for (int tool : kToolCommands) {
        commands_->setChecked(tool, false);
    }
    if (id != 0) {
        commands_->setChecked(id, true);
    }
}

void MainWindow::refreshDisplay() {
    TownMap* map = game_ != nullptr ? game_->map() : nullptr;
    ViewLock lock(*mapView_);
    if (map != nullptr) {
        switch (displayMode_) {
            case command::kViewCustomers:
                map->showCustomers();
                break;
            case command::kViewCatchment:
                map->showCatchment();
                break;
            case command::kViewPreferencePlayer:
                (void)map->showPreference(0);
                break;
            case command::kViewPreferenceBlue:
                (void)map->showPreference(1);
                break;
            case command::kViewPreferenceGreen:
                (void)map->showPreference(2);
                break;
            case command::kViewPreferenceYellow:
                (void)map->showPreference(3);
                break;
            default:
                map->showNormal();
                break;
        }
    }
    mapView_->redrawLayers();
}

void MainWindow::setClientCursor(const QCursor& cursor) {
    clientArea()->setCursor(cursor);
}

void MainWindow::playEffect(int slot) {
    if (audio_.playEffect) {
        audio_.playEffect(slot);
    }
}

// The source asks the game for its current town at every call, so it stays valid across the
// town maps of new games; it is remade only when the Game object itself is replaced.
void MainWindow::attachChipSource() {
    chipSource_ = std::make_unique<GameChipSource>(*game_);
    (void)mapView_->addChipSource(chipSource_.get());
}

void MainWindow::detachChipSource() {
    if (chipSource_ != nullptr && mapView_ != nullptr) {
        (void)mapView_->removeChipSource(chipSource_.get());
    }
    chipSource_.reset();
}

}  // namespace vellmora
