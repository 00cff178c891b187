// Writes the binary fuzz seeds that no build step makes already:
//   FOLDER/score_file/list.zrf  a score file with a few wins, and plain.bin its chunk tree;
//   FOLDER/chip_bitmap/*.bmp   small chip sheets, bottom-up and top-down;
//   FOLDER/game/<n>-<name>      every shipped data file of the program folder behind the game
//                               target's selector byte (and the score file as its score input);
//   FOLDER/game_file/hinode.sav a game on the smallest shipped town saved after 14 months.
// Usage: make_seeds FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "data/clock.h"
#include "data/score_file.h"
#include "data/score_list.h"
#include "data/score_record.h"
#include "fuzz/game_driver.h"
#include "fuzz/game_file_driver.h"
#include "game/game.h"
#include "tests/support/chip_bitmap_writer.h"

namespace {

namespace fs = std::filesystem;

bool writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string scoreFileBytes() {
    using namespace vellmora;
    ScoreList list("seed", 5, 5);
    for (int i = 0; i < 4; ++i) {
        const LocalDateTime when{2026, 1 + i, 10 + i, 12, 30, 0};
        ScoreResults results{};
        results.competitors = 1 + i % 3;
        results.researchLevel = 10 * i;
        results.difficulty = i % 5;
        auto record = std::make_unique<ScoreRecord>(when, 3 + i, 1 + i, results);
        (void)list.insert(record, results.difficulty);
    }
    const std::vector<std::uint8_t> bytes = encodeScoreFile(list, 4321);
    return std::string(bytes.begin(), bytes.end());
}

// A game with a shop, a loan and a year end behind it, saved on the driver's copy of the data.
bool writeGameFileSeed(const fs::path& path) {
    using namespace vellmora;
    const fs::path shipped(VELLMORA_FUZZ_DATA_DIR);
    if (!fs::exists(shipped / fuzz::kGameMap)) {
        return true;  // the build wrote no data files: nothing to seed from
    }
    const FixedClock clock(1'700'000'000, LocalDateTime{2026, 12, 5, 21, 30, 0});
    const ScopedClock useClock(clock);
    fuzz::GameFileDriver driver(shipped);
    Game game(driver.folder());
    NewGameSetup setup;
    setup.mapPath = (shipped / fuzz::kGameMap).string();
    setup.playerName = "seed";
    setup.companyName = "seed";
    if (game.newGame(setup) != kOk) {
        return false;
    }
    (void)game.borrow();
    bool built = false;
    for (int y = 0; y < game.mapHeight() && !built; ++y) {
        for (int x = 0; x < game.mapWidth() && !built; ++x) {
            built = game.canBuildShop(x, y, 1) && game.buildShop(x, y, 1) >= 0;
        }
    }
    for (int month = 0; month < 14; ++month) {
        (void)game.endTurn();
    }
    return game.saveGame(path.string()) == kOk;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vellmora::fuzz;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 2;
    }
    const fs::path folder(argv[1]);
    const std::string scores = scoreFileBytes();
    fs::create_directories(folder / "score_file");
    bool ok = writeFile(folder / "score_file" / "list.zrf", scores);
    // The plain chunk tree of the same file, for the driver's second reading.
    std::vector<std::uint8_t> plain(scores.begin() + vellmora::kScoreFileHeaderBytes + 8,
                                    scores.end());
    vellmora::unscrambleScoreData(plain, 4321);
    ok = writeFile(folder / "score_file" / "plain.bin", std::string(plain.begin(), plain.end())) &&
         ok;

    fs::create_directories(folder / "chip_bitmap");
    ok = writeFile(folder / "chip_bitmap" / "sheet.bmp", vellmora::test::chipSheetBytes(1)) && ok;
    std::vector<std::uint8_t> pixels(8 * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<std::uint8_t>(i);
    }
    ok = writeFile(folder / "chip_bitmap" / "top_down.bmp",
                   vellmora::test::bmpBytes({.width = 8, .height = 4, .topDown = true},
                                            vellmora::test::sheetPalette(), pixels)) &&
         ok;

    fs::create_directories(folder / "game");
    const fs::path shipped(VELLMORA_FUZZ_DATA_DIR);
    for (int n = 0; n < kGameFileKinds; ++n) {
        const auto kind = static_cast<GameFile>(n);
        std::string bytes;
        if (kind == GameFile::Scores) {
            bytes = scores;
        } else {
            std::ifstream in(shipped / gameFilePath(kind), std::ios::binary);
            if (!in) {
                continue;  // the build wrote no data files: nothing to seed from
            }
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        const std::string name = fs::path(gameFilePath(kind)).filename().string();
        ok = writeFile(folder / "game" / (std::to_string(n) + "-" + name),
                       std::string(1, static_cast<char>(n)) + bytes) &&
             ok;
    }
    fs::create_directories(folder / "game_file");
    ok = writeGameFileSeed(folder / "game_file" / "hinode.sav") && ok;
    return ok ? 0 : 1;
}
