// Plays whole games without a screen and reports them as text and JSON lines.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "game/money.h"
#include "tools/sim/sim_options.h"

namespace vellmora::sim {

struct FirmResult {
    int slot = 0;
    Money cash = 0;
    int shops = 0;
    bool withdrawn = false;
    int withdrawnDate = 0;  // 0: none (also for a firm that never took part)
};

struct GameResult {
    std::string map;
    std::int64_t seed = 0;
    int difficulty = 2;
    int competitors = 3;
    PlayerKind player = PlayerKind::Greedy;
    int monthsPlayed = 0;
    std::string outcome;  // "victory", "bankrupt" or "ongoing"
    int endDate = 101;
    std::vector<FirmResult> firms;
    Money maxAbsCash = 0;
    std::int64_t elapsedMs = 0;
    // Set when the game had a score folder but its wins could not be recorded there.
    std::string scoreWarning;
};

struct GameSetup {
    std::string dataFolder;
    std::string mapPath;
    int difficulty = 2;
    int competitors = 3;
    std::int64_t seed = 0;
    int months = 360;
    PlayerKind player = PlayerKind::Greedy;
    std::string scoresFolder;  // empty: no score file is read or written
    std::string loadPath;      // resume this game file instead of starting a new game
    std::string savePath;      // save the game here at the end of the run
};

// Plays one game with a fake clock fixed by the seed, writing one line per game year to `log`.
// False (with `error` set) when the game cannot be started from the data and map, the game file
// to resume is refused or the game cannot be saved.
bool runGame(const GameSetup& setup, std::ostream& log, GameResult& result, std::string& error);

std::string gameJson(const GameResult& result);
// Summary of several games; `turnsPerSecond` over all of them.
std::string summaryJson(const std::vector<GameResult>& results, double turnsPerSecond);

}  // namespace vellmora::sim
