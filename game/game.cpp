#include "game/game.h"

#include <algorithm>

#include "data/base_list.h"
#include "data/clock.h"
#include "data/file_io.h"
#include "data/map_chunk.h"
#include "data/program_folder.h"
#include "data/result_codes.h"
#include "data/score_book.h"
#include "data/score_record.h"
#include "data/settings.h"
#include "game/calendar.h"
#include "game/controller_table.h"
#include "game/firm.h"
#include "game/firm_policy.h"
#include "game/firms.h"
#include "game/map_file.h"
#include "game/market.h"
#include "game/town_map.h"

namespace vellmora {

namespace {
constexpr int kStartWidth = 20;
constexpr int kStartHeight = 15;
constexpr int kComputerDifficulty = 2;

// The file name without folder and extension.
std::string baseNameOf(const std::string& path) {
    std::string name = path;
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

std::string dataFilePath(const std::string& folder, const Settings& list, std::string_view key) {
    const std::string* value = list.get("data", key);
    if (value == nullptr) {
        return std::string();  // no reader can open an empty path
    }
    return dataPath(folder, "zdt\\" + *value);
}
}  // namespace

Game::Game() : Game(programFolder()) {}

Game::Game(std::string dataFolder)
    : dataFolder_(std::move(dataFolder)),
      scoreFolder_(dataPath(dataFolder_, kScoreFolderName)),
      scoreBook_(std::make_unique<ScoreBook>()) {}

Game::~Game() {
    releaseGameObjects();
}

void Game::dropLastRecord() {
    ownedRecord_.reset();
    lastRecord_ = nullptr;
}

void Game::releaseGameObjects() {
    // The controllers and firms refer to the map and the calendar: they go first.
    controllers_.reset();
    firms_.reset();
    map_.reset();
    calendar_.reset();
    if (ownsLastRecord_) {
        dropLastRecord();
    }
}

int Game::loadData(const std::string& baseListPath, const std::string& accountDataPath,
                   const std::string& scoreFolder) {
    running_ = false;
    releaseGameObjects();
    Settings list;
    if (!pathExists(baseListPath) || list.load(baseListPath) != kOk) {
        return kRefused;
    }
    scoreBook_->configure(scoreFolder, kScoreTableCount, kScorePlaceCount);
    const std::string ratePath = dataFilePath(dataFolder_, list, "rate");
    const std::string pricePath = dataFilePath(dataFolder_, list, "price");
    const std::string buildingPath = dataFilePath(dataFolder_, list, "blddata");
    const std::string aiPath = dataFilePath(dataFolder_, list, "ai");

    dataFiles_.clear();
    for (const std::string& path :
         {baseListPath, accountDataPath, ratePath, pricePath, buildingPath, aiPath}) {
        dataFiles_.push_back(stampDataFile(path));
    }
    finished_ = false;

    calendar_ = std::make_unique<Calendar>();
    calendar_->reset();
    map_ = std::make_unique<TownMap>();
    (void)map_->init(kStartWidth, kStartHeight, buildingPath);
    firms_ = std::make_unique<Firms>();
    firms_->init(kFirmSlots, ratePath, pricePath, accountDataPath, map_.get(), calendar_.get());
    controllers_ = std::make_unique<ControllerTable>();
    controllers_->init(kFirmSlots, map_.get(), aiPath);
    mapName_.clear();
    scoreListStatus_ = ScoreListStatus();
    return kOk;
}

int Game::loadMapFile(const std::string& path) {
    MapChunk root;
    const int read = readMapFile(path, root);
    if (read != kOk) {
        loadProblem_.kind = read == kMissingFile ? LoadError::MapFile : LoadError::MapFormat;
        return kRefused;
    }
    if (TownMap::declaredSize(root, loadProblem_.width, loadProblem_.height) &&
        !TownMap::sizeAllowed(loadProblem_.width, loadProblem_.height) && loadProblem_.width > 0 &&
        loadProblem_.height > 0) {
        loadProblem_.kind = LoadError::MapTooLarge;
        return kRefused;
    }
    if (map_->loadMap(root) != kOk) {
        loadProblem_.kind = LoadError::MapFormat;
        return kRefused;
    }
    return kOk;
}

std::string Game::loadErrorText() const {
    const std::string size =
        std::to_string(loadProblem_.width) + " x " + std::to_string(loadProblem_.height);
    switch (loadProblem_.kind) {
        case LoadError::None:
            return std::string();
        case LoadError::BaseList:
            return "the base data list cannot be read";
        case LoadError::MapFile:
            return "the map file cannot be read";
        case LoadError::MapFormat:
            return "the map file is damaged or of another version";
        case LoadError::MapTooLarge:
            return "the town is " + size + " tiles; the largest town is " +
                   std::to_string(TownMap::kMaxSide) + " x " + std::to_string(TownMap::kMaxSide) +
                   " tiles";
        case LoadError::Firm:
            return "a company cannot be created from the data files";
    }
    return std::string();
}

int Game::newGame(const std::string& baseListPath, const std::string& accountDataPath,
                  const std::string* mapPath, int difficulty, std::string_view playerName,
                  std::string_view companyName, int competitorCount) {
    loadProblem_ = LoadProblem();
    if (loadData(baseListPath, accountDataPath, scoreFolder()) != kOk) {
        loadProblem_.kind = LoadError::BaseList;
        return kRefused;
    }
    competitorCount = std::clamp(competitorCount, 1, kFirmSlots - 1);
    if (ownsLastRecord_) {
        dropLastRecord();
    }
    lastRecord_ = nullptr;
    if (mapPath != nullptr && loadMapFile(*mapPath) != kOk) {
        return kRefused;
    }

    if (controllers_->createController(0, playerName, false) != 0 ||
        firms_->create(0, difficulty, companyName, false) != 0) {
        loadProblem_.kind = LoadError::Firm;
        return kRefused;
    }
    controllers_->controller(0)->setFirm(firms_->firm(0));
    for (int slot = 1; slot < kFirmSlots; ++slot) {
        if (controllers_->createController(slot, std::string_view(), true) != slot) {
            loadProblem_.kind = LoadError::Firm;
            return kRefused;
        }
        const std::string company = controllers_->companyName(slot);
        if (firms_->create(slot, kComputerDifficulty, company, slot > competitorCount) != slot) {
            loadProblem_.kind = LoadError::Firm;
            return kRefused;
        }
        controllers_->controller(slot)->setFirm(firms_->firm(slot));
    }

    if (mapPath != nullptr) {
        mapName_ = baseNameOf(*mapPath);
        // A score file that is refused or cannot be read leaves the map without a list.
        (void)scoreBook_->openList(mapName_, scoreListStatus_);
    } else {
        mapName_.clear();
    }
    overworkDeaths_ = 0;
    poisonings_ = 0;
    ownsLastRecord_ = true;
    competitorCount_ = competitorCount;
    running_ = true;
    return kOk;
}

int Game::newGame(const NewGameSetup& setup) {
    const std::string baseList = dataPath(dataFolder_, kBaseListName);
    const std::string accountData = dataPath(dataFolder_, kAccountDataName);
    return newGame(baseList, accountData, setup.mapPath.empty() ? nullptr : &setup.mapPath,
                   setup.difficulty, setup.playerName, setup.companyName, setup.competitorCount);
}

Firm* Game::firm(int index) const {
    return firms_ != nullptr ? firms_->firm(index) : nullptr;
}

Firm* Game::playerFirm() const {
    if (controllers_ == nullptr || controllers_->controller(0) == nullptr) {
        return nullptr;
    }
    return controllers_->controller(0)->firm();
}

const FirmPolicy* Game::playerPolicy() const {
    const Firm* player = playerFirm();
    return player != nullptr ? &player->policy() : nullptr;
}

int Game::mapWidth() const {
    return map_ != nullptr ? map_->width() : 0;
}
int Game::mapHeight() const {
    return map_ != nullptr ? map_->height() : 0;
}

TurnFlagSet Game::endTurn() {
    Firm* player = playerFirm();
    if (!running_ || player == nullptr) {
        return TurnFlags::None;  // a new game that failed half way leaves nothing to play
    }
    TurnFlagSet flags = calendar_->month() == 12 ? TurnFlags::YearEnd : TurnFlags::None;
    controllers_->decideAll();
    map_->market().monthlyUpdate();
    flags |= firms_->monthlyTurnAll();
    calendar_->advance();
    if ((flags & TurnFlags::FoodPoisoning) != 0) {
        ++poisonings_;
    }
    if ((flags & TurnFlags::OverworkDeath) != 0) {
        ++overworkDeaths_;
    }
    if ((flags & TurnFlags::Victory) != 0) {
        recordVictory();
    }
    if ((flags & (TurnFlags::GameOver | TurnFlags::Victory)) != 0) {
        finished_ = true;
    }
    if (autoRefinance_) {
        (void)player->rollover();
    }
    return flags;
}

void Game::recordVictory() {
    const Firm* player = playerFirm();
    ScoreResults results;
    results.competitors = competitorCount_;
    results.researchLevel = player->policy().researchLevel();
    results.poisonings = poisonings_;
    results.overworkDeaths = overworkDeaths_;
    results.difficulty = player->policy().difficulty();
    auto record = std::make_unique<ScoreRecord>(currentClock().localNow(), calendar_->year(),
                                                calendar_->month(), results);
    if (ownsLastRecord_) {
        dropLastRecord();
    }
    ScoreRecord* raw = record.get();
    ScoreList* list = scoreBook_->findList(mapName_);
    if (list != nullptr && list->insert(record, results.difficulty) == kOk) {
        ownsLastRecord_ = false;
    } else {
        ownedRecord_ = std::move(record);
        ownsLastRecord_ = true;
    }
    lastRecord_ = raw;
    if (list != nullptr) {
        // The writer makes a missing score folder and replaces the file atomically.
        (void)scoreBook_->saveList(mapName_);
    }
}

int Game::buildShop(int x, int y, int size) {
    Firm* player = playerFirm();
    return player != nullptr && player->build(x, y, size) >= 0 ? kOk : kRefused;
}

bool Game::canBuildShop(int x, int y, int size) const {
    const Firm* player = playerFirm();
    return player != nullptr && player->canBuild(x, y, size);
}

int Game::closeShop(int shop) {
    Firm* player = playerFirm();
    return player != nullptr ? player->close(shop, false) : kRefused;
}

bool Game::canCloseShop(int shop) const {
    const Firm* player = playerFirm();
    return player != nullptr && player->canClose(shop, false);
}

int Game::shopAt(int x, int y, int firmIndex) const {
    return map_ != nullptr ? map_->market().shopAt(firmIndex, x, y) : -1;
}

int Game::changeSystem(int system) {
    Firm* player = playerFirm();
    return player != nullptr ? player->changeSystem(system) : kRefused;
}

bool Game::canChangeSystem(int system) const {
    const Firm* player = playerFirm();
    return player != nullptr && player->canChangeSystem(system);
}

int Game::setBudget(int item, int level) {
    Firm* player = playerFirm();
    return player != nullptr ? player->setBudgetLevel(item, level) : kRefused;
}

int Game::borrow() {
    Firm* player = playerFirm();
    return player != nullptr ? player->borrow() : kRefused;
}

int Game::repay(int loan) {
    Firm* player = playerFirm();
    return player != nullptr ? player->repay(loan) : kRefused;
}

const BuildingDef* Game::buildingAt(int x, int y) const {
    return map_ != nullptr ? map_->buildingAt(x, y) : nullptr;
}

int Game::activeCompetitors() const {
    int active = 0;
    for (int slot = 1; slot < kFirmSlots; ++slot) {
        const Firm* competitor = firm(slot);
        if (competitor != nullptr && !competitor->withdrawn()) {
            ++active;
        }
    }
    return active;
}

}  // namespace vellmora
