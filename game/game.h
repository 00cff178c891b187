// The root of the simulation: owns the town, the firms, the controllers and the calendar of the
// running game, runs the end of turn and keeps the score lists of the maps played.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/score_book.h"
#include "game/game_file.h"
#include "game/turn_flags.h"

namespace vellmora {

struct BuildingDef;
class ByteReader;
class Calendar;
class ControllerTable;
class Firm;
class FirmPolicy;
class Firms;
class ScoreRecord;
class TownMap;

inline constexpr int kFirmSlots = 4;

// What a new game is started with; paths are resolved against the Game's data folder.
struct NewGameSetup {
    std::string mapPath;  // empty: a game without a map
    int difficulty = 2;
    std::string playerName;
    std::string companyName;
    int competitorCount = 3;
};

// Why the last newGame failed; the window and the simulator word it for the user.
enum class LoadError {
    None,
    BaseList,     // the base data list cannot be read
    MapFile,      // the map file cannot be opened or read
    MapFormat,    // the map file is damaged or of another version
    MapTooLarge,  // the town is larger than TownMap::kMaxSide in a direction
    Firm,         // a company cannot be created (damaged data files)
};

struct LoadProblem {
    LoadError kind = LoadError::None;
    // The town's declared size, for MapTooLarge (and MapFormat when the file held one).
    int width = 0;
    int height = 0;
};

class Game {
public:
    // Every data file is read from `dataFolder` (the program folder by default): "zdt/base.zdt",
    // "acc.dat", and the score folder "zrf/".
    Game();
    explicit Game(std::string dataFolder);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // kOk or kRefused (base list unreadable, map file missing or of another version, a firm
    // that cannot be created). `mapPath` may be null.
    [[nodiscard]] int newGame(const std::string& baseListPath, const std::string& accountDataPath,
                              const std::string* mapPath, int difficulty,
                              std::string_view playerName, std::string_view companyName,
                              int competitorCount);
    // The same with the data folder's "zdt/base.zdt" and "acc.dat".
    [[nodiscard]] int newGame(const NewGameSetup& setup);

    // Why the last newGame answered kRefused; kind None after a success.
    const LoadProblem& loadProblem() const { return loadProblem_; }
    // The same as one line of English, naming the limit and the town's size for a town too
    // large; empty after a success.
    std::string loadErrorText() const;

    // Plays one month; answers the turn flags. Does nothing (answers 0) unless the last newGame
    // succeeded.
    [[nodiscard]] TurnFlagSet endTurn();

    // Player commands: firm 0 through controller 0.
    // kOk or kRefused; the new shop's number is shopAt(x, y, 0).
    [[nodiscard]] int buildShop(int x, int y, int size);
    [[nodiscard]] bool canBuildShop(int x, int y, int size) const;
    [[nodiscard]] int closeShop(int shop);
    [[nodiscard]] bool canCloseShop(int shop) const;
    [[nodiscard]] int shopAt(int x, int y, int firmIndex) const;
    [[nodiscard]] int changeSystem(int system);
    [[nodiscard]] bool canChangeSystem(int system) const;
    [[nodiscard]] int setBudget(int item, int level);
    [[nodiscard]] int borrow();
    [[nodiscard]] int repay(int loan);
    const BuildingDef* buildingAt(int x, int y) const;
    // 3 minus the computer firms (slots 1 to 3) that have withdrawn.
    int activeCompetitors() const;

    TownMap* map() const { return map_.get(); }
    int mapWidth() const;
    int mapHeight() const;
    Firm* firm(int index) const;
    // The player's firm, reached through controller 0 (null before a game is running).
    Firm* player() const { return playerFirm(); }
    const FirmPolicy* playerPolicy() const;
    ControllerTable* controllers() const { return controllers_.get(); }
    Firms* firms() const { return firms_.get(); }
    Calendar* calendar() const { return calendar_.get(); }
    ScoreBook& scoreBook() { return *scoreBook_; }
    // What became of the running map's score list: whether wins are recorded, and when not, the
    // file and why (state None for a game without a map).
    const ScoreListStatus& scoreListStatus() const { return scoreListStatus_; }
    const std::string& mapName() const { return mapName_; }
    const ScoreRecord* lastRecord() const { return lastRecord_; }
    bool ownsLastRecord() const { return ownsLastRecord_ && lastRecord_ != nullptr; }
    int competitorCount() const { return competitorCount_; }
    int poisonings() const { return poisonings_; }
    int overworkDeaths() const { return overworkDeaths_; }
    bool autoRefinance() const { return autoRefinance_; }
    void setAutoRefinance(bool on) { autoRefinance_ = on; }
    const std::string& dataFolder() const { return dataFolder_; }
    // True after a successful newGame, until the next one starts.
    bool running() const { return running_; }
    // The folder of the score files, the data folder's "zrf/" unless set; read at each new game.
    const std::string& scoreFolder() const { return scoreFolder_; }
    // An empty folder keeps the score lists in memory only and writes no file.
    void setScoreFolder(std::string folder) { scoreFolder_ = std::move(folder); }

    // --- Game file (game_save.cpp) ---
    // Writes the running game to `path` through a temp file and a rename, so a crash while
    // saving keeps the previous file whole. kOk, kRefused when no game on a map is running, or
    // kGameFileWriteFailed.
    [[nodiscard]] int saveGame(const std::string& path) const;
    // Replaces the running game with the saved one. The saved game is built aside and swapped in
    // only once the whole file has been read: on refusal nothing changes, the random generator
    // included. kOk, kMissingFile, kGameFileForeign, kGameFileVersionUnknown, kGameFileDamaged or
    // kGameFileDataChanged.
    [[nodiscard]] int loadGame(const std::string& path);
    // Why the last saveGame or loadGame failed: a short English phrase; empty after a success.
    const std::string& fileError() const { return fileError_; }
    // True once the player has gone bankrupt or won; the game commands are over then.
    bool finished() const { return finished_; }
    // True while a game started on a map is being played: the game without a map that exists
    // before the first one, and a finished game, are not.
    bool inProgress() const { return running_ && !mapName_.empty() && !finished_; }
    // The data files the running game was started with, in the order base list, account data,
    // rate, price, building and computer-player file.
    const std::vector<DataFileStamp>& dataFiles() const { return dataFiles_; }

    // First step of every new game; kOk or kRefused when the base list cannot be read.
    [[nodiscard]] int loadData(const std::string& baseListPath, const std::string& accountDataPath,
                               const std::string& scoreFolder);

private:
    Firm* playerFirm() const;
    void releaseGameObjects();
    void dropLastRecord();
    [[nodiscard]] int loadMapFile(const std::string& path);
    void recordVictory();
    [[nodiscard]] int readSavedGame(const std::vector<GameFileSection>& sections,
                                    std::uint32_t& randomState);
    [[nodiscard]] int loadControllers(ByteReader& in);
    void adoptGame(Game& loaded);

    std::string dataFolder_;
    std::string scoreFolder_;
    std::unique_ptr<ScoreBook> scoreBook_;
    ScoreListStatus scoreListStatus_;
    std::unique_ptr<TownMap> map_;
    std::unique_ptr<Firms> firms_;
    std::unique_ptr<ControllerTable> controllers_;
    std::unique_ptr<Calendar> calendar_;
    // Owned only while ownsLastRecord_; otherwise a score list holds it.
    ScoreRecord* lastRecord_ = nullptr;
    std::unique_ptr<ScoreRecord> ownedRecord_;
    bool autoRefinance_ = false;
    int competitorCount_ = 3;
    std::string mapName_;
    int overworkDeaths_ = 0;
    int poisonings_ = 0;
    bool ownsLastRecord_ = false;
    bool running_ = false;
    bool finished_ = false;
    std::vector<DataFileStamp> dataFiles_;
    mutable std::string fileError_;
    LoadProblem loadProblem_;
};

}  // namespace vellmora
