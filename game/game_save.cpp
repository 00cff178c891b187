// Saving the running game to a game file and resuming one.
#include <limits>

#include "data/base_list.h"
#include "data/byte_stream.h"
#include "data/file_io.h"
#include "data/result_codes.h"
#include "data/score_book.h"
#include "game/calendar.h"
#include "game/competitor_ai.h"
#include "game/controller_table.h"
#include "game/firm.h"
#include "game/firm_controller.h"
#include "game/firms.h"
#include "game/game.h"
#include "game/random.h"
#include "game/town_map.h"

namespace vellmora {

namespace {

constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();
// Year 100000 at the latest: every date code and every due date stays far inside 32 bits.
constexpr std::int64_t kMaxMonthsPlayed = 12 * 100000;
constexpr std::size_t kMaxPathBytes = 4096;
constexpr std::size_t kMaxMapNameBytes = 259;
constexpr std::size_t kDataFileCount = 6;

enum Section : std::size_t { kData, kGame, kTown, kMarket, kFirm0, kControllers = kFirm0 + 4 };

// The game's own counters, read before anything is built.
struct SavedCounters {
    std::int32_t monthsPlayed = 0;
    std::uint32_t randomState = 0;
    int competitorCount = 3;
    int poisonings = 0;
    int overworkDeaths = 0;
    bool autoRefinance = false;
    bool finished = false;
    std::string mapName;
};

// A path under the data folder is kept relative to it, so a game file still finds its data
// after the program folder has moved.
std::string storedPath(const std::string& dataFolder, const std::string& path) {
    if (!dataFolder.empty() && path.size() > dataFolder.size() &&
        path.compare(0, dataFolder.size(), dataFolder) == 0) {
        std::size_t rest = dataFolder.size();
        while (rest < path.size() && path[rest] == '/') {
            ++rest;
        }
        return path.substr(rest);
    }
    return path;
}

std::string resolvedPath(const std::string& dataFolder, bool relative, const std::string& stored) {
    return relative ? dataPath(dataFolder, stored) : stored;
}

// A saved game is always one on a map: its name is never empty.
bool usableMapName(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    for (const char c : name) {
        if (c == '/' || c == '\\' || c == '\0') {
            return false;
        }
    }
    return true;
}

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

std::string damaged(const GameFileSection& section) {
    return "section '" + section.tag + "' is damaged";
}

}  // namespace

int Game::saveGame(const std::string& path) const {
    fileError_.clear();
    if (!running_ || mapName_.empty() || playerFirm() == nullptr ||
        dataFiles_.size() != kDataFileCount) {
        fileError_ = "no game is running";
        return kRefused;
    }
    std::vector<std::vector<std::uint8_t>> sections(kSectionTags.size());
    ByteWriter data;
    data.varint(dataFiles_.size());
    for (const DataFileStamp& stamp : dataFiles_) {
        const std::string stored = storedPath(dataFolder_, stamp.path);
        data.boolean(stored != stamp.path);
        data.text(stored);
        data.boolean(stamp.present);
        data.u64(stamp.size);
        data.u32(stamp.crc);
    }
    sections[kData] = std::move(data.bytes());

    ByteWriter game;
    game.integer(calendar_->monthsPlayed());
    game.u32(rng::state());
    game.integer(competitorCount_);
    game.integer(poisonings_);
    game.integer(overworkDeaths_);
    game.boolean(autoRefinance_);
    game.boolean(finished_);
    game.text(mapName_);
    sections[kGame] = std::move(game.bytes());

    ByteWriter town;
    map_->saveState(town);
    sections[kTown] = std::move(town.bytes());
    ByteWriter market;
    map_->market().saveState(market);
    sections[kMarket] = std::move(market.bytes());
    for (int slot = 0; slot < kFirmSlots; ++slot) {
        ByteWriter firm;
        if (const Firm* f = firms_->firm(slot)) {
            f->saveState(firm);
        }
        sections[kFirm0 + static_cast<std::size_t>(slot)] = std::move(firm.bytes());
    }
    ByteWriter controllers;
    controllers.varint(static_cast<std::uint64_t>(controllers_->slotCount()));
    for (int slot = 0; slot < controllers_->slotCount(); ++slot) {
        const FirmController* controller = controllers_->controller(slot);
        controllers.text(controller != nullptr ? controller->name() : std::string());
        const CompetitorAi* ai = controller != nullptr ? controller->ai() : nullptr;
        controllers.boolean(ai != nullptr);
        if (ai != nullptr) {
            controllers.integer(ai->phase());
            controllers.integer(ai->systemCooldown());
        }
    }
    sections[kControllers] = std::move(controllers.bytes());

    const std::vector<std::uint8_t> file = encodeGameFile(sections);
    const std::string_view bytes(reinterpret_cast<const char*>(file.data()), file.size());
    if (writeFileAtomically(path, bytes) != kOk) {
        fileError_ = "the file cannot be written";
        return kGameFileWriteFailed;
    }
    return kOk;
}

int Game::loadGame(const std::string& path) {
    fileError_.clear();
    std::string bytes;
    const int read = readWholeFile(path, kGameFileMaxBytes, bytes);
    if (read != kOk) {
        fileError_ = read == kMissingFile ? "the file cannot be opened"
                                          : "the file is too large or cannot be read";
        return read == kMissingFile ? kMissingFile : kGameFileDamaged;
    }
    std::vector<GameFileSection> sections;
    const int framed = decodeGameFile(bytesOf(bytes), sections, fileError_);
    if (framed != kOk) {
        return framed;
    }
    // Building the game aside reseeds the shared generator: it is put back either way.
    const std::uint32_t randomBefore = rng::state();
    std::uint32_t randomSaved = 0;
    Game loaded(dataFolder_);
    const int result = loaded.readSavedGame(sections, randomSaved);
    if (result != kOk) {
        fileError_ = loaded.fileError_;
        rng::setState(randomBefore);
        return result;
    }
    adoptGame(loaded);
    rng::setState(randomSaved);
    return kOk;
}

int Game::readSavedGame(const std::vector<GameFileSection>& sections, std::uint32_t& randomState) {
    // The data files, each checked against the one the game was started with.
    ByteReader data(sections[kData].bytes);
    std::size_t fileCount = 0;
    if (!data.count(fileCount, kDataFileCount) || fileCount != kDataFileCount) {
        fileError_ = damaged(sections[kData]);
        return kGameFileDamaged;
    }
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < fileCount; ++i) {
        bool relative = false;
        std::string stored;
        DataFileStamp saved;
        if (!data.boolean(relative) || !data.text(stored, kMaxPathBytes) ||
            !data.boolean(saved.present) || !data.u64(saved.size) || !data.u32(saved.crc)) {
            fileError_ = damaged(sections[kData]);
            return kGameFileDamaged;
        }
        const DataFileStamp now = stampDataFile(resolvedPath(dataFolder_, relative, stored));
        if (!now.present && saved.present) {
            fileError_ = "data file missing: " + stored;
            return kGameFileDataChanged;
        }
        if (now.present != saved.present || now.size != saved.size || now.crc != saved.crc) {
            fileError_ = "data file changed since the save: " + stored;
            return kGameFileDataChanged;
        }
        paths.push_back(now.path);
    }
    if (!data.atEnd()) {
        fileError_ = damaged(sections[kData]);
        return kGameFileDamaged;
    }

    ByteReader game(sections[kGame].bytes);
    SavedCounters counters;
    if (!game.integerIn(0, kMaxMonthsPlayed, counters.monthsPlayed) ||
        !game.u32(counters.randomState) ||
        !game.integerIn(1, kFirmSlots - 1, counters.competitorCount) ||
        !game.integerIn(0, kIntMax, counters.poisonings) ||
        !game.integerIn(0, kIntMax, counters.overworkDeaths) ||
        !game.boolean(counters.autoRefinance) || !game.boolean(counters.finished) ||
        !game.text(counters.mapName, kMaxMapNameBytes) || !game.atEnd() ||
        !usableMapName(counters.mapName)) {
        fileError_ = damaged(sections[kGame]);
        return kGameFileDamaged;
    }

    // A game of the same data without a map; the saved town and firms then replace its state.
    if (newGame(paths[0], paths[1], nullptr, 2, std::string_view(), std::string_view(),
                counters.competitorCount) != kOk) {
        fileError_ = "the data files cannot be loaded";
        return kGameFileDataChanged;
    }
    // The firms' month-end history is checked against the saved month.
    calendar_->setMonthsPlayed(counters.monthsPlayed);
    auto readSection = [&sections](Section which, auto load) {
        ByteReader in(sections[which].bytes);
        return load(in) == kOk && in.atEnd();
    };
    std::size_t bad = sections.size();
    if (!readSection(kTown, [this](ByteReader& in) { return map_->loadState(in); })) {
        bad = kTown;
    } else if (!readSection(kMarket,
                            [this](ByteReader& in) { return map_->market().loadState(in); })) {
        bad = kMarket;
    }
    for (int slot = 0; slot < kFirmSlots && bad == sections.size(); ++slot) {
        const auto which = static_cast<Section>(kFirm0 + static_cast<std::size_t>(slot));
        if (!readSection(which, [this, slot](ByteReader& in) {
                return firms_->firm(slot)->loadState(in);
            })) {
            bad = which;
        }
    }
    if (bad == sections.size() &&
        !readSection(kControllers, [this](ByteReader& in) { return loadControllers(in); })) {
        bad = kControllers;
    }
    if (bad != sections.size()) {
        fileError_ = damaged(sections[bad]);
        return kGameFileDamaged;
    }

    competitorCount_ = counters.competitorCount;
    poisonings_ = counters.poisonings;
    overworkDeaths_ = counters.overworkDeaths;
    autoRefinance_ = counters.autoRefinance;
    finished_ = counters.finished;
    mapName_ = counters.mapName;
    randomState = counters.randomState;
    return kOk;
}

int Game::loadControllers(ByteReader& in) {
    std::size_t slots = 0;
    if (!in.count(slots, static_cast<std::size_t>(controllers_->slotCount())) ||
        slots != static_cast<std::size_t>(controllers_->slotCount())) {
        return kRefused;
    }
    for (int slot = 0; slot < controllers_->slotCount(); ++slot) {
        FirmController* controller = controllers_->controller(slot);
        std::string name;
        bool computer = false;
        if (controller == nullptr || !in.text(name, kMaxPresidentNameBytes) ||
            !in.boolean(computer) || computer != (controller->ai() != nullptr)) {
            return kRefused;
        }
        if (computer) {
            int phase = 0;
            std::int32_t cooldown = 0;
            if (!in.integerIn(0, kIntMax, phase) || !in.integerIn(0, kIntMax, cooldown) ||
                controller->ai()->restoreState(phase, cooldown) != kOk) {
                return kRefused;
            }
        }
        controller->setName(name);
    }
    return kOk;
}

void Game::adoptGame(Game& loaded) {
    releaseGameObjects();
    lastRecord_ = nullptr;
    ownsLastRecord_ = true;
    controllers_ = std::move(loaded.controllers_);
    firms_ = std::move(loaded.firms_);
    map_ = std::move(loaded.map_);
    calendar_ = std::move(loaded.calendar_);
    dataFiles_ = std::move(loaded.dataFiles_);
    mapName_ = std::move(loaded.mapName_);
    competitorCount_ = loaded.competitorCount_;
    poisonings_ = loaded.poisonings_;
    overworkDeaths_ = loaded.overworkDeaths_;
    autoRefinance_ = loaded.autoRefinance_;
    finished_ = loaded.finished_;
    running_ = true;
    loaded.running_ = false;
    scoreBook_->configure(scoreFolder(), kScoreTableCount, kScorePlaceCount);
    scoreListStatus_ = ScoreListStatus();
    if (!mapName_.empty()) {
        // A refused or unreadable score file leaves the map without a list.
        (void)scoreBook_->openList(mapName_, scoreListStatus_);
    }
}

}  // namespace vellmora
