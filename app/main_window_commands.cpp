// The command dispatcher and the commands that the window runs itself.
#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "app/command_ids.h"
#include "app/command_table.h"
#include "app/framework/message_box.h"
#include "app/main_window.h"
#include "app/map_view.h"
#include "app/mode.h"
#include "audio/sound_settings.h"
#include "data/base_list.h"
#include "data/program_folder.h"
#include "data/score_book.h"
#include "data/settings.h"
#include "data/text_encoding.h"
#include "dialogs/about_dialog.h"
#include "dialogs/new_game_dialog.h"
#include "dialogs/score_table_dialog.h"
#include "game/game.h"
#include "game/town_map.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

constexpr int kMessageNewGameFailed = 192;
constexpr int kMessageScoreFileUnreadable = 193;
constexpr int kDefaultDifficulty = 2;
constexpr int kDefaultCompetitors = 3;

// A stored number: the value's leading integer (0 when it has none), or the default when absent.
int storedNumber(const Settings& settings, const char* key, int absent) {
    const std::string* value = settings.get("game", key);
    if (value == nullptr) {
        return absent;
    }
    return static_cast<int>(std::strtol(value->c_str(), nullptr, 10));
}

std::optional<QString> storedName(const Settings& settings, const char* key) {
    const std::string* value = settings.get("game", key);
    if (value == nullptr) {
        return std::nullopt;
    }
    return QString::fromStdString(cp932ToUtf8(*value));
}

// Why a map could not be started, for the player.
QString newGameFailure(const std::string& programFolder, const QString& mapPath,
                       const LoadProblem& problem) {
    if (problem.kind == LoadError::MapTooLarge) {
        return QStringLiteral(
                   "マップが大きすぎます（%1 × %2 マス。読み込めるのは %3 × %3 マスまでです）。")
            .arg(problem.width)
            .arg(problem.height)
            .arg(TownMap::kMaxSide);
    }
    const QFileInfo map(mapPath);
    if (!map.exists()) {
        return QStringLiteral("ファイルが見つかりません。");
    }
    if (!map.isFile() || !map.isReadable()) {
        return QStringLiteral("ファイルを読み込めません。");
    }
    if (!QFileInfo::exists(QString::fromStdString(dataPath(programFolder, kBaseListName)))) {
        return QStringLiteral("データファイル(zdt/base.zdt)が見つかりません。");
    }
    return QStringLiteral("マップファイルの形式が正しくないか、データファイルが壊れています。");
}

QString baseName(const QString& path) {
    return QFileInfo(path).completeBaseName();
}

}  // namespace

Mode* MainWindow::dispatchCommand(Mode& mode, int id, int code) {
    if (chooseMusic(id)) {
        return &mode;
    }
    switch (id) {
        case command::kAbout:
            aboutCommand();
            return &mode;
        case command::kNewGame:
            return mode.newGameCommand(id, code);
        case command::kScoreTable:
            scoreTableCommand();
            return &mode;
        case command::kExit:
            exitCommand();
            return &mode;
        case command::kBuildSmall:
        case command::kBuildMedium:
        case command::kBuildLarge: {
            mode.onLeave();
            setToolCheck(id);
            Mode& build = modes_->build();
            build.onEnter();
            build.setShopSize(id == command::kBuildSmall    ? 0
                              : id == command::kBuildMedium ? 1
                                                            : 2,
                              0);
            return &build;
        }
        case command::kCloseShop: {
            mode.onLeave();
            setToolCheck(id);
            Mode& close = modes_->close();
            close.onEnter();
            return &close;
        }
        case command::kManagementSystem:
            return mode.managementCommand(id, code);
        case command::kBudget:
            return mode.budgetCommand(id, code);
        case command::kBorrowing:
            return mode.borrowingCommand(id, code);
        case command::kStatements:
            statementsCommand();
            return &mode;
        case command::kCompanyInfo:
            companyInfoCommand();
            return &mode;
        case command::kViewNormal:
        case command::kViewCustomers:
        case command::kViewCatchment:
        case command::kViewPreferencePlayer:
        case command::kViewPreferenceBlue:
        case command::kViewPreferenceGreen:
        case command::kViewPreferenceYellow: {
            displayMode_ = id;
            refreshDisplay();
            setDisplayMode(id);
            return &mode;
        }
        case command::kSoundEffects:
            toggleSoundEffects();
            return &mode;
        case command::kSaveGame:
            saveGameCommand();
            return &mode;
        case command::kOpenGame:
            if (mode.kind() == Mode::kNormal) {
                openGameCommand();
            }
            return &mode;
        case command::kVolume:
            volumeCommand();
            return &mode;
        case command::kAutoRefinance:
            applyRefinancing(true);
            return &mode;
        case command::kEndTurn:
            endTurnCommand();
            return &mode;
        default:
            return &mode;
    }
}

void MainWindow::newGameCommand() {
    const QString mapFolder = QString::fromStdString(joinPath(options_.programFolder, "map/"));
    NewGameDialog dialog(this);
    dialog.setup(mapFolder, storedName(*settings_, "firm"), storedName(*settings_, "player"),
                 storedNumber(*settings_, "dif", kDefaultDifficulty),
                 storedNumber(*settings_, "ainum", kDefaultCompetitors));
    if (!game_->mapName().empty()) {
        dialog.setPreferredMap(QFile::decodeName(game_->mapName().c_str()) +
                               QStringLiteral(".zmf"));
    }
    if (dialog.doModal(this) == -1) {
        return;
    }
    (void)startNewGame(dialog.choice());
}

int MainWindow::startNewGame(const NewGameChoice& choice) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string mapPath = QFile::encodeName(choice.mapPath).toStdString();
    const std::string company = utf8ToCp932(choice.companyName.toStdString());
    const std::string president = utf8ToCp932(choice.presidentName.toStdString());

    // The new game is built beside the running one, which stays whole until it has succeeded.
    auto fresh = std::make_unique<Game>(options_.programFolder);
    fresh->setScoreFolder(options_.scoreFolder);
    fresh->setAutoRefinance(game_->autoRefinance());
    NewGameSetup setup;
    setup.mapPath = mapPath;
    setup.difficulty = choice.difficulty;
    setup.playerName = president;
    setup.companyName = company;
    setup.competitorCount = choice.competitors;
    if (fresh->newGame(setup) != 0) {
        QApplication::restoreOverrideCursor();
        showMessage(this,
                    formatString(
                        kMessageNewGameFailed, choice.mapPath.toUtf8().constData(),
                        newGameFailure(options_.programFolder, choice.mapPath, fresh->loadProblem())
                            .toUtf8()
                            .constData()),
                    MessageIcon::Exclamation);
        return -1;
    }

    settings_->set("game", "firm", company);
    settings_->set("game", "player", president);
    settings_->set("game", "dif", std::to_string(choice.difficulty));
    settings_->set("game", "ainum", std::to_string(choice.competitors));
    const int difficulty = std::clamp(choice.difficulty, 0, 4);
    setWindowTitle(formatString(163, loadString(103).toUtf8().constData(),
                                baseName(choice.mapPath).toUtf8().constData(),
                                loadString(158 + difficulty).toUtf8().constData()));

    mapView_->stop();
    detachChipSource();
    game_ = std::move(fresh);
    attachChipSource();
    mapView_->setMapSize(game_->mapWidth(), game_->mapHeight());
    mapView_->redrawLayers();
    mapView_->setTitle(false);
    mapView_->start(10);

    showCash();
    showDate();
    modes_->normal().onEnter();
    setDisplayMode(command::kViewNormal);
    enableGameCommands();
    refreshPointer();
    QApplication::restoreOverrideCursor();
    reportUnreadableScoreFile();
    return 0;
}

void MainWindow::reportUnreadableScoreFile() {
    // The game keeps a score file that it cannot read as it is and records no win in it.
    const ScoreListStatus& status = game_->scoreListStatus();
    if (status.state != ScoreListState::Refused && status.state != ScoreListState::Unreadable) {
        return;
    }
    const std::string& name = game_->mapName();
    if (reportedScoreFiles_.count(name) != 0) {
        return;
    }
    reportedScoreFiles_.insert(name);
    std::string detail = status.path.empty() ? name : status.path;
    if (!status.reason.empty()) {
        detail += "\n" + status.reason;
    }
    showMessage(this, formatString(kMessageScoreFileUnreadable, detail.c_str()),
                MessageIcon::Exclamation);
}

void MainWindow::scoreTableCommand() {
    if (game_->mapName().empty()) {
        return;
    }
    showScoreTable(nullptr);
}

void MainWindow::showScoreTable(const ScoreRecord* justWon) {
    const std::string& name = game_->mapName();
    ScoreTableDialog dialog(QString::fromStdString(cp932ToUtf8(name)),
                            game_->scoreBook().findList(name), justWon, this);
    (void)dialog.doModal(this);
}

void MainWindow::aboutCommand() {
    AboutDialog dialog(
        QString::fromStdString(joinPath(options_.programFolder, "res/icons/vellmora-256.png")),
        this);
    (void)dialog.doModal(this);
}

void MainWindow::exitCommand() {
    onClose();
}

void MainWindow::toggleSoundEffects() {
    soundEffectsOn_ = !soundEffectsOn_;
    commands_->setChecked(command::kSoundEffects, soundEffectsOn_);
    settings_->set("sound", "se", soundEffectsOn_ ? "on" : "off");
}

void MainWindow::applySoundEffectsSetting() {
    const std::string* value = settings_->get("sound", "se");
    soundEffectsOn_ = value != nullptr && QString::fromStdString(*value).compare(
                                              QLatin1String("on"), Qt::CaseInsensitive) == 0;
    commands_->setChecked(command::kSoundEffects, soundEffectsOn_);
    settings_->set("sound", "se", soundEffectsOn_ ? "on" : "off");
}

void MainWindow::applyRefinancing(bool invert) {
    const std::string* value = settings_->get("game", "rollover");
    bool on = value != nullptr && *value != "off";
    if (invert) {
        on = !on;
    }
    game_->setAutoRefinance(on);
    commands_->setChecked(command::kAutoRefinance, on);
    settings_->set("game", "rollover", on ? "on" : "off");
}

void MainWindow::loadMusicList() {
    // A folder without pieces leaves only "OFF(&O)".
    (void)musicList_.scan(joinPath(options_.programFolder, "music/"), command::kFirstMusic,
                          command::kLastMusic);
    for (int piece = 0; piece < musicList_.count(); ++piece) {
        // "&" in a file name is shown, not taken as a mnemonic.
        commands_->addMusicEntry(
            command::kFirstMusic + piece,
            QString::fromStdString(musicList_.baseName(piece)).replace('&', QStringLiteral("&&")));
    }
}

bool MainWindow::chooseMusic(int id) {
    const int piece = musicList_.indexOfCommand(id);
    if (id != command::kMusicOff && piece < 0) {
        return false;
    }
    if (audio_.stopMusic) {
        audio_.stopMusic();
    }
    commands_->setChecked(command::kMusicOff, id == command::kMusicOff);
    for (int entry = 0; entry < musicList_.count(); ++entry) {
        commands_->setChecked(command::kFirstMusic + entry, command::kFirstMusic + entry == id);
    }
    if (id == command::kMusicOff) {
        settings_->set(audio::kSoundSection, audio::kMusicKey, audio::kMusicOff);
        return true;
    }
    // A piece that cannot be played stays chosen and silent, as without a sound device.
    if (audio_.playMusic) {
        audio_.playMusic(musicList_.path(piece));
    }
    settings_->set(audio::kSoundSection, audio::kMusicKey, utf8ToCp932(musicList_.baseName(piece)));
    return true;
}

void MainWindow::applyMusicSetting() {
    const std::string* value = settings_->get(audio::kSoundSection, audio::kMusicKey);
    const int stored = value != nullptr ? musicList_.menuIndexOf(cp932ToUtf8(*value)) : -1;
    (void)chooseMusic(stored >= 0 ? stored : command::kMusicOff);
}

}  // namespace vellmora
