// The game fuzz target's driver: a whole game started from a data folder in which one file is
// replaced by the input, then played over a year end. The readers' output has to survive the
// simulation, not only the reading. Input: the first byte picks the file (GameFile), the rest is
// its content. Shared with tests/regression_test.cpp.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <span>
#include <string>
#include <system_error>

#include "data/clock.h"
#include "data/result_codes.h"
#include "game/calendar.h"
#include "game/game.h"
#include "game/town_map.h"
#include "game/turn_flags.h"

namespace vellmora::fuzz {

enum class GameFile : std::uint8_t { Rate, Price, Ai, Buildings, Accounts, BaseList, Map, Scores };
inline constexpr int kGameFileKinds = 8;

// The town every game is played on (the smallest shipped map); its score file is
// "zrf/hinode.zrf".
inline constexpr const char* kGameMap = "map/hinode.zmf";

// Path of a file inside the data folder.
inline const char* gameFilePath(GameFile kind) {
    switch (kind) {
        case GameFile::Rate:
            return "zdt/quillmarch_rate";
        case GameFile::Price:
            return "zdt/quillmarch_price";
        case GameFile::Ai:
            return "zdt/quillmarch_ai";
        case GameFile::Buildings:
            return "zdt/blddata";
        case GameFile::Accounts:
            return "acc.dat";
        case GameFile::BaseList:
            return "zdt/base.zdt";
        case GameFile::Map:
            return kGameMap;
        case GameFile::Scores:
            return "zrf/hinode.zrf";
    }
    return "";
}

class GameDriver {
public:
    // Played from month 11 of year 1: the year end and the month after it, at a cost a fuzzer
    // can run often.
    static constexpr int kStartMonths = 10;
    static constexpr int kMonths = 3;

    // Copies the data files of `programFolder` into a private folder; ready() is false when the
    // program folder does not hold them.
    explicit GameDriver(const std::filesystem::path& programFolder) {
        namespace fs = std::filesystem;
        folder_ = fs::temp_directory_path() /
                  ("vellmora-game-driver-" + std::to_string(static_cast<long>(::getpid())) + "-" +
                   std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::error_code error;
        fs::remove_all(folder_, error);
        for (int n = 0; n < kGameFileKinds; ++n) {
            const auto kind = static_cast<GameFile>(n);
            if (kind == GameFile::Scores) {
                continue;  // no score file to start with
            }
            const std::string name = gameFilePath(kind);
            std::ifstream in(programFolder / name, std::ios::binary);
            if (!in) {
                return;
            }
            originals_[name].assign(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
        }
        restore();
        ready_ = true;
    }
    ~GameDriver() {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    GameDriver(const GameDriver&) = delete;
    GameDriver& operator=(const GameDriver&) = delete;

    bool ready() const { return ready_; }

    // Plays one input; answers newGame's result (kRefused when the driver is not ready).
    int run(std::span<const std::uint8_t> input) {
        if (!ready_ || input.empty()) {
            return kRefused;
        }
        const auto kind = static_cast<GameFile>(input[0] % kGameFileKinds);
        if (kind == GameFile::Map && tilesOfMapFile(input.subspan(1)) > kMaxTiles) {
            return kRefused;  // see kMaxTiles
        }
        write(gameFilePath(kind), input.subspan(1));
        const int result = play();
        restore();
        return result;
    }

    // Towns above this size are not played: every month of a game looks at every tile several
    // times, which an instrumented build cannot afford for every input.
    static constexpr std::int64_t kMaxTiles = 400;

    // The width times the height in a map file's root chunk (file offsets 256 + 8 + 256 and
    // + 260), or 0 when the file is too short to hold them.
    static std::int64_t tilesOfMapFile(std::span<const std::uint8_t> file) {
        constexpr std::size_t kWidthAt = 520;
        if (file.size() < kWidthAt + 8) {
            return 0;
        }
        auto le32 = [&](std::size_t at) {
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(file[at]) |
                                             static_cast<std::uint32_t>(file[at + 1]) << 8 |
                                             static_cast<std::uint32_t>(file[at + 2]) << 16 |
                                             static_cast<std::uint32_t>(file[at + 3]) << 24);
        };
        return static_cast<std::int64_t>(le32(kWidthAt)) * le32(kWidthAt + 4);
    }

private:
    int play() {
        // The same random draws for the same input.
        const FixedClock clock(1'700'000'000, LocalDateTime{2026, 12, 5, 21, 30, 0});
        const ScopedClock useClock(clock);
        Game game(folder_.string() + "/");
        NewGameSetup setup;
        setup.mapPath = (folder_ / kGameMap).string();
        setup.playerName = "fuzz";
        setup.companyName = "fuzz";
        const int result = game.newGame(setup);
        if (result != kOk) {
            return result;
        }
        // The player takes part as well: a loan and a shop on the first tile that allows one.
        (void)game.borrow();
        bool built = false;
        for (int y = 0; y < game.mapHeight() && !built; ++y) {
            for (int x = 0; x < game.mapWidth() && !built; ++x) {
                built = game.canBuildShop(x, y, 1) && game.buildShop(x, y, 1) == kOk;
            }
        }
        game.setAutoRefinance(true);
        if (Calendar* calendar = game.calendar()) {
            calendar->setMonthsPlayed(kStartMonths);
        }
        for (int month = 0; month < kMonths; ++month) {
            if ((game.endTurn() & (TurnFlags::GameOver | TurnFlags::Victory)) != 0) {
                break;
            }
        }
        if (TownMap* map = game.map()) {
            map->showCustomers();
            map->showCatchment();
            for (int firm = 0; firm < kFirmSlots; ++firm) {
                (void)map->showPreference(firm);
            }
        }
        return result;
    }

    void write(const std::string& name, std::span<const std::uint8_t> bytes) {
        const std::filesystem::path path = folder_ / name;
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    // Puts every shipped file back and drops the score folder a game may have written.
    void restore() {
        for (const auto& [name, bytes] : originals_) {
            write(name,
                  std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        }
        std::error_code error;
        std::filesystem::remove_all(folder_ / "zrf", error);
    }

    std::filesystem::path folder_;
    std::map<std::string, std::string> originals_;
    bool ready_ = false;
};

}  // namespace vellmora::fuzz
