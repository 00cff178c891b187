// The speed benchmark: one fixed game on every town, timed turn by turn.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace vellmora::sim {

// Times are CPU milliseconds of the simulator's thread.
struct BenchResult {
    std::string map;
    int width = 0;
    int height = 0;
    double loadMs = 0.0;
    double peakMb = 0.0;  // the process's peak resident memory while this town was played
    double meanTurnMs = 0.0;
    double p95TurnMs = 0.0;
    double maxTurnMs = 0.0;
    int shops = 0;  // shops of all firms after the last month
};

// The game every town is timed with: seed, months, greedy player at the middle difficulty with
// three computer companies. It plays all the months even after the game is decided, so that
// every town is timed over the same number of turns.
inline constexpr std::int64_t kBenchSeed = 1;
inline constexpr int kBenchMonths = 120;

// Plays the benchmark game on each map (paths); false with `error` when one cannot start.
bool runBench(const std::string& dataFolder, const std::vector<std::string>& mapPaths,
              std::vector<BenchResult>& results, std::string& error);

// The results as an aligned table, and as one JSON line.
void printBenchTable(const std::vector<BenchResult>& results, std::ostream& out);
std::string benchJson(const std::vector<BenchResult>& results);

}  // namespace vellmora::sim
