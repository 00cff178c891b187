#include "tools/sim/bench.h"

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "data/clock.h"
#include "data/result_codes.h"
#include "game/firm.h"
#include "game/game.h"
#include "tools/sim/greedy_player.h"

namespace vellmora::sim {

namespace {

// The CPU time of this thread: the simulator has one thread, and other programs busy on the
// machine do not count, so figures from a loaded machine stay comparable.
double cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Linux keeps the peak resident size in /proc/self/status (VmHWM, in kB); writing 5 to
// /proc/self/clear_refs starts it again from the current size. Elsewhere both do nothing and the
// peak reads 0.
void resetPeakMemory() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

double peakMemoryMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return static_cast<double>(std::stoll(line.substr(6))) / 1024.0;
        }
    }
    return 0.0;
}

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

bool benchTown(const std::string& dataFolder, const std::string& mapPath, BenchResult& result,
               std::string& error) {
    const FixedClock clock(kBenchSeed, dateTimeOf(kBenchSeed, TimeZone::Utc));
    const ScopedClock useClock(clock);
    resetPeakMemory();

    Game game(dataFolder);
    NewGameSetup setup;
    setup.mapPath = mapPath;
    setup.playerName = "bench";
    setup.companyName = "bench";
    const double loadStart = cpuMilliseconds();
    if (game.newGame(setup) != kOk || game.player() == nullptr) {
        error = "cannot start a game with map '" + mapPath + "': " + game.loadErrorText();
        return false;
    }
    result.loadMs = cpuMilliseconds() - loadStart;
    result.map = game.mapName();
    result.width = game.mapWidth();
    result.height = game.mapHeight();

    GreedyPlayer greedy(game);
    std::vector<double> turns;
    for (int month = 0; month < kBenchMonths; ++month) {
        greedy.play();
        const double turnStart = cpuMilliseconds();
        (void)game.endTurn();
        turns.push_back(cpuMilliseconds() - turnStart);
    }
    double sum = 0.0;
    for (const double ms : turns) {
        sum += ms;
    }
    std::sort(turns.begin(), turns.end());
    result.meanTurnMs = sum / static_cast<double>(turns.size());
    // The nearest-rank 95th percentile.
    const std::size_t rank = (turns.size() * 95 + 99) / 100;
    result.p95TurnMs = turns[rank - 1];
    result.maxTurnMs = turns.back();
    result.shops = 0;
    for (int slot = 0; slot < kFirmSlots; ++slot) {
        if (const Firm* firm = game.firm(slot)) {
            result.shops += firm->shopCount();
        }
    }
    result.peakMb = peakMemoryMb();
    return true;
}

}  // namespace

bool runBench(const std::string& dataFolder, const std::vector<std::string>& mapPaths,
              std::vector<BenchResult>& results, std::string& error) {
    results.clear();
    for (const std::string& path : mapPaths) {
        BenchResult result;
        if (!benchTown(dataFolder, path, result, error)) {
            return false;
        }
        results.push_back(result);
    }
    return true;
}

void printBenchTable(const std::vector<BenchResult>& results, std::ostream& out) {
    char line[160];
    std::snprintf(line, sizeof line, "%-10s %9s %9s %9s %11s %10s %10s %6s\n", "town", "size",
                  "load ms", "peak MB", "turn mean", "turn p95", "turn max", "shops");
    out << line;
    for (const BenchResult& r : results) {
        const std::string size = std::to_string(r.width) + "x" + std::to_string(r.height);
        std::snprintf(line, sizeof line, "%-10s %9s %9.1f %9.1f %8.2f ms %7.2f ms %7.2f ms %6d\n",
                      r.map.c_str(), size.c_str(), r.loadMs, r.peakMb, r.meanTurnMs, r.p95TurnMs,
                      r.maxTurnMs, r.shops);
        out << line;
    }
}

std::string benchJson(const std::vector<BenchResult>& results) {
    std::ostringstream out;
    out << "{\"bench\": {\"seed\": " << kBenchSeed << ", \"months\": " << kBenchMonths
        << ", \"player\": \"greedy\"}, \"towns\": [";
    for (std::size_t i = 0; i < results.size(); ++i) {
        const BenchResult& r = results[i];
        out << (i == 0 ? "" : ", ") << "{\"map\": \"" << r.map << "\", \"width\": " << r.width
            << ", \"height\": " << r.height << ", \"load_ms\": " << fixed(r.loadMs, 1)
            << ", \"peak_mb\": " << fixed(r.peakMb, 1)
            << ", \"turn_mean_ms\": " << fixed(r.meanTurnMs, 3)
            << ", \"turn_p95_ms\": " << fixed(r.p95TurnMs, 3)
            << ", \"turn_max_ms\": " << fixed(r.maxTurnMs, 3) << ", \"shops\": " << r.shops << "}";
    }
    out << "]}";
    return out.str();
}

}  // namespace vellmora::sim
