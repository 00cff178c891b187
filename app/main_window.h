// The game window and application object: owns the game, the map view, the toolbar, the status
// bar, the three mouse modes and the settings from start-up to exit.
#pragma once

#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/framework/window.h"
#include "audio/music_list.h"
#include "game/turn_flags.h"

class QCursor;

namespace vellmora {

namespace audio {
class MusicPlayer;
class SoundBank;
}  // namespace audio

class CommandTable;
class GameChipSource;
class Game;
class MapView;
class Mode;
class ModeSet;
class ScoreRecord;
class Settings;
class StatusBar;
class Toolbar;
struct NewGameChoice;

struct ShellOptions {
    // The folder the data files are read from; empty: the program's own folder.
    std::string programFolder;
    // Empty: beside the program when its folder is writable, else the user's XDG folders.
    std::string settingsFile;
    std::string scoreFolder;
    // Empty: "saves/" beside the program when its folder is writable, else the XDG data folder.
    std::string saveFolder;
    // Keeps the newest games at every month end and on quit, and offers to resume at start-up.
    // Off for tests and the screenshot run, so they never touch the player's games.
    bool autosave = false;
};

// Sound and music are played through these; unset, nothing is heard.
struct AudioHooks {
    std::function<void(int slot)> playEffect;
    std::function<void(const std::string& path)> playMusic;
    std::function<void()> stopMusic;
};

class MainWindow : public Window {
public:
    static constexpr int kEffectClap = 0;
    static constexpr int kEffectBuild = 1;
    static constexpr int kEffectRemove = 2;
    static constexpr int kEffectBeep = 3;

    explicit MainWindow(ShellOptions options = {});
    ~MainWindow() override;

    // Handlers.
    int onCreate() override;
    void onCommand(int id, int code) override;
    void onLButtonDown(bool doubleClick, int x, int y, unsigned keyFlags) override;
    void onLButtonUp(int x, int y, unsigned keyFlags) override;
    void onRButtonUp(int x, int y, unsigned keyFlags) override;
    void onMouseMove(int x, int y, unsigned keyFlags) override;
    void onKeyDown(int key, bool down, int repeatCount, unsigned keyFlags) override;
    void onTimer(int id) override;
    void onClose() override;
    void onSize(int sizeType, int width, int height) override;

    Game& game() { return *game_; }
    MapView& mapView() { return *mapView_; }
    StatusBar& statusLine() { return *statusBar_; }
    CommandTable& commands() { return *commands_; }
    Toolbar& toolbar() { return *toolbar_; }
    Settings& settings() { return *settings_; }
    Mode& currentMode() { return *currentMode_; }
    ModeSet& modes() { return *modes_; }
    int displayMode() const { return displayMode_; }
    bool soundEffectsOn() const { return soundEffectsOn_; }
    const std::string& programFolder() const { return options_.programFolder; }
    const std::string& settingsFile() const { return options_.settingsFile; }
    const std::string& scoreFolder() const { return options_.scoreFolder; }
    int clientWidth() const { return clientWidth_; }
    int mapAreaHeight() const { return mapAreaHeight_; }
    void setAudioHooks(AudioHooks hooks) { audio_ = std::move(hooks); }

    // Operations shared by commands and modes.
    void showDate();
    void showCash();
    void disableGameCommands();
    void enableGameCommands();
    void setDisplayMode(int id);
    void setToolCheck(int id);
    // Rebuilds the overlay of the display mode and redraws the map, under the view's lock.
    void refreshDisplay();
    void setClientCursor(const QCursor& cursor);
    // Lets the current mode describe the tile under the mouse again (status texts and marker),
    // after something it shows has changed without the mouse moving.
    void refreshPointer();
    // Plays a sound-effect slot (0 clap, 1 build, 2 remove, 3 beep). Callers check
    // soundEffectsOn first.
    void playEffect(int slot);

    // Commands (main_window_commands.cpp).
    Mode* dispatchCommand(Mode& mode, int id, int code);
    void newGameCommand();
    // Starts a game with the dialog's choices on a game built aside: 0, or -1 after telling the
    // player why, with the previous game, title and commands left as they were.
    int startNewGame(const NewGameChoice& choice);
    void scoreTableCommand();
    void showScoreTable(const ScoreRecord* justWon);
    void aboutCommand();
    void exitCommand();
    void toggleSoundEffects();
    // The music and effect volumes (main_window_audio.cpp).
    void volumeCommand();
    // Reads "rollover" (on unless missing or exactly "off"), inverts it when asked, and applies
    // and writes it back.
    void applyRefinancing(bool invert);
    // The music commands: true when `id` was one of them.
    bool chooseMusic(int id);

    // Game files (main_window_saves.cpp).
    void saveGameCommand();
    void openGameCommand();
    // Replaces the running game with a saved one: 0, or -1 after telling the player why, with
    // the running game left as it was.
    int openSavedGame(const std::string& path);
    // True while a game on a map is played: it may be saved, and is kept by the autosaves.
    bool gameInProgress() const;
    // Keeps the game in progress in the newest autosave slot (the oldest of three goes); a game
    // unchanged since the newest slot leaves the slots as they are.
    void autosave();
    // The question that offers to resume the newest autosave, naming its map, date and company;
    // empty when there is nothing to offer (no file, declined, or a file that cannot be resumed).
    QString resumeQuestion() const;
    // At start-up: offers to resume the newest autosave. Declining retires the offer until
    // another game is kept.
    void offerResume();
    // The newest autosave is not offered at the next start (its files stay).
    void retireResumeOffer();
    std::string autosavePath(int slot) const;
    const std::string& saveFolder() const { return options_.saveFolder; }

    // End of turn (turn_messages.cpp).
    void endTurnCommand();
    void showTurnMessages(TurnFlagSet flags);

    // Management and report dialogs (main_window_dialogs.cpp).
    void managementCommand();
    void budgetCommand();
    void borrowingCommand();
    void statementsCommand();
    void companyInfoCommand();
    void openShopInfo(int shop);

protected:
    // Client area resizes that the window's own resize does not report (menu bar changes).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setMode(Mode* mode);
    void loadMusicList();
    void applySoundEffectsSetting();
    void applyMusicSetting();
    // Plays through the sound device unless hooks were set before start-up (main_window_audio.cpp).
    void installAudio();
    // Registers the game's map with the view as its picture source; the frame thread is stopped.
    void attachChipSource();
    void detachChipSource();
    void reportUnreadableScoreFile();

    ShellOptions options_;
    std::unique_ptr<ModeSet> modes_;
    Mode* currentMode_ = nullptr;
    std::unique_ptr<MapView> mapView_;
    std::unique_ptr<GameChipSource> chipSource_;
    std::unique_ptr<StatusBar> statusBar_;
    std::unique_ptr<CommandTable> commands_;
    std::unique_ptr<Toolbar> toolbar_;
    audio::MusicList musicList_;  // command id kFirstMusic + i plays piece i
    AudioHooks audio_;
    std::unique_ptr<audio::SoundBank> sounds_;
    std::unique_ptr<audio::MusicPlayer> music_;
    std::unique_ptr<Settings> settings_;
    int displayMode_;
    bool soundEffectsOn_ = false;
    std::unique_ptr<Game> game_;
    int clientWidth_ = 0;
    int mapAreaHeight_ = 0;
    // Where the mouse last moved over the client area.
    std::optional<QPoint> lastMouse_;
    std::set<std::string> reportedScoreFiles_;
};

}  // namespace vellmora
