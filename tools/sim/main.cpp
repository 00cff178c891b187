// vellmora-sim: plays Vellmora without a screen.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "data/base_list.h"
#include "data/clock.h"
#include "data/program_folder.h"
#include "data/version.h"
#include "tools/sim/bench.h"
#include "tools/sim/sim_options.h"
#include "tools/sim/sim_runner.h"

namespace {

constexpr int kUsageError = 2;

constexpr const char* kUsage =
    "usage: vellmora-sim [OPTION]...\n"
    "Plays whole games of Vellmora without a screen and prints each game's result as a JSON "
    "line.\n"
    "\n"
    "  --map NAME             a map in the data folder's map/ (by name) or a map file\n"
    "  --difficulty 0..4      the player's difficulty, 0 hardest (default 2)\n"
    "  --competitors 1..3     computer companies taking part (default 3)\n"
    "  --seed N               makes the whole game repeatable (default: the clock)\n"
    "  --months N             months to play at most (default 360)\n"
    "  --player passive|greedy  the player's strategy (default greedy)\n"
    "  --games N              games to play; game i uses seed N + i (default 1)\n"
    "  --data DIR             the data folder (default: the program folder)\n"
    "  --scores DIR           rank wins into the maps' score files in DIR (default: none)\n"
    "  --save PATH            save the game to PATH at the end of the run\n"
    "  --load PATH            resume a saved game (not with --map, --difficulty, "
    "--competitors)\n"
    "  --bench                time a fixed game on every town (or on --map only)\n"
    "  --help                 show this help and exit\n"
    "  --version              show the version and exit\n"
    "\n"
    "Exit status: 0 when every game was played, 2 for bad options, data or game files.\n";

int fail(const std::string& message) {
    std::fprintf(stderr, "vellmora-sim: %s\n", message.c_str());
    return kUsageError;
}

bool isFile(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

// Every map file (*.zmf) in the data folder's "map/", by file name.
std::vector<std::string> mapsIn(const std::string& mapFolder) {
    std::vector<std::string> maps;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(mapFolder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (it->path().extension() == ".zmf" && isFile(it->path().string())) {
            maps.push_back(it->path().string());
        }
    }
    std::sort(maps.begin(), maps.end());
    return maps;
}

// A map given as a path, or by name in the data folder's "map/" (with or without ".zmf"); with
// no name, the first map there by file name.
bool resolveMap(const std::string& folder, const std::string& name, std::string& path,
                std::string& error) {
    const std::string mapFolder = vellmora::dataPath(folder, vellmora::kMapFolderName);
    if (name.empty()) {
        const std::vector<std::string> maps = mapsIn(mapFolder);
        if (maps.empty()) {
            error = "no map file (*.zmf) in '" + mapFolder + "'";
            return false;
        }
        path = maps.front();
        return true;
    }
    for (const std::string& candidate : {name, vellmora::joinPath(mapFolder, name),
                                         vellmora::joinPath(mapFolder, name + ".zmf")}) {
        if (isFile(candidate)) {
            path = candidate;
            return true;
        }
    }
    error = "map '" + name + "' not found (neither a file nor in '" + mapFolder + "')";
    return false;
}

int run(const std::vector<std::string>& args) {
    using namespace vellmora::sim;
    SimOptions options;
    std::string error;
    if (!parseOptions(args, options, error)) {
        return fail(error + " (see vellmora-sim --help)");
    }
    if (options.help || options.version) {
        if (options.help) {
            std::fputs(kUsage, stdout);
        } else {
            std::printf("vellmora-sim %s\n", vellmora::versionString());
        }
        return 0;
    }
    const std::string folder =
        options.dataFolder.empty() ? vellmora::programFolder() : options.dataFolder;
    if (!isFile(vellmora::dataPath(folder, vellmora::kBaseListName))) {
        return fail("cannot load data folder '" + folder + "': zdt/base.zdt is missing");
    }
    std::string mapPath;
    if (options.loadPath.empty() && !resolveMap(folder, options.map, mapPath, error)) {
        return fail(error);
    }
    if (options.bench) {
        const std::vector<std::string> maps =
            options.map.empty() ? mapsIn(vellmora::dataPath(folder, vellmora::kMapFolderName))
                                : std::vector<std::string>{mapPath};
        std::vector<BenchResult> results;
        if (!runBench(folder, maps, results, error)) {
            std::cout.flush();
            return fail(error);
        }
        printBenchTable(results, std::cout);
        std::cout << benchJson(results) << "\n";
        std::cout.flush();
        return 0;
    }
    const std::int64_t firstSeed =
        options.seed ? *options.seed : vellmora::currentClock().secondsSinceEpoch();

    std::vector<GameResult> results;
    std::int64_t totalTurns = 0;
    std::int64_t totalMs = 0;
    for (int i = 0; i < options.games; ++i) {
        GameSetup setup;
        setup.dataFolder = folder;
        setup.mapPath = mapPath;
        setup.difficulty = options.difficulty;
        setup.competitors = options.competitors;
        setup.seed = firstSeed + i;
        setup.months = options.months;
        setup.player = options.player;
        setup.scoresFolder = options.scoresFolder;
        setup.loadPath = options.loadPath;
        setup.savePath = options.savePath;
        GameResult result;
        if (!runGame(setup, std::cout, result, error)) {
            std::cout.flush();
            return fail(error);
        }
        if (!result.scoreWarning.empty()) {
            std::fprintf(stderr, "vellmora-sim: %s\n", result.scoreWarning.c_str());
        }
        std::cout << gameJson(result) << "\n";
        totalTurns += result.monthsPlayed;
        totalMs += result.elapsedMs;
        results.push_back(std::move(result));
    }
    if (options.games > 1) {
        const double seconds = static_cast<double>(std::max<std::int64_t>(totalMs, 1)) / 1000.0;
        std::cout << summaryJson(results, static_cast<double>(totalTurns) / seconds) << "\n";
    }
    std::cout.flush();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        return fail(std::string("internal error: ") + e.what());
    }
}
