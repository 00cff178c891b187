// The game file fuzz target's driver: the input loaded as a game file on the shipped data, as it
// is and sealed (its length and checksum rewritten, so that mutations reach the sections); a
// game that loads is played for two months and saved again.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "data/byte_stream.h"
#include "data/result_codes.h"
#include "fuzz/fuzz_support.h"
#include "game/game.h"
#include "game/game_file.h"

namespace vellmora::fuzz {

class GameFileDriver {
public:
    // Towns above this size are only framed, not loaded (see kMaxFuzzedTiles).
    static constexpr std::int64_t kMaxTiles = 400;
    static constexpr int kMonths = 2;

    // Copies the data files (without maps and score files) into a private folder, so a win
    // writes its score file there.
    explicit GameFileDriver(const std::filesystem::path& programFolder) {
        namespace fs = std::filesystem;
        folder_ = fs::temp_directory_path() /
                  ("vellmora-game-file-driver-" + std::to_string(static_cast<long>(::getpid())));
        std::error_code error;
        fs::remove_all(folder_, error);
        fs::create_directories(folder_, error);
        fs::copy(programFolder / "zdt", folder_ / "zdt", fs::copy_options::recursive, error);
        fs::copy(programFolder / "acc.dat", folder_ / "acc.dat", error);
    }
    ~GameFileDriver() {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    GameFileDriver(const GameFileDriver&) = delete;
    GameFileDriver& operator=(const GameFileDriver&) = delete;

    std::string folder() const { return folder_.string() + "/"; }

    void run(std::span<const std::uint8_t> input) {
        load(input);
        std::vector<std::uint8_t> sealed(input.begin(), input.end());
        sealGameFile(sealed);
        load(sealed);
    }

    // Width times height in the town section, 0 when the file does not frame.
    static std::int64_t tilesOf(std::span<const std::uint8_t> file) {
        std::vector<GameFileSection> sections;
        std::string reason;
        if (decodeGameFile(file, sections, reason) != kOk) {
            return 0;
        }
        ByteReader town(sections[2].bytes);
        std::int64_t width = 0;
        std::int64_t height = 0;
        if (!town.integer(width) || !town.integer(height)) {
            return 0;
        }
        return width > 0 && height > 0 && width <= kMaxTiles && height <= kMaxTiles ? width * height
                                                                                    : kMaxTiles + 1;
    }

private:
    void load(std::span<const std::uint8_t> bytes) {
        if (tilesOf(bytes) > kMaxTiles) {
            return;
        }
        const std::string path = writeScratchFile("game.sav", bytes.data(), bytes.size());
        Game game(folder());
        if (game.loadGame(path) != kOk) {
            return;
        }
        for (int month = 0; month < kMonths && !game.finished(); ++month) {
            (void)game.endTurn();
        }
        (void)game.saveGame(path);
    }

    std::filesystem::path folder_;
};

}  // namespace vellmora::fuzz
