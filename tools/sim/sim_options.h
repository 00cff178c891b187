// Command-line options of vellmora-sim.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vellmora::sim {

enum class PlayerKind { Passive, Greedy };

struct SimOptions {
    std::string map;  // empty: the first map of the data folder's "map/" by name
    int difficulty = 2;
    int competitors = 3;
    std::optional<std::int64_t> seed;  // empty: from the clock
    int months = 360;
    PlayerKind player = PlayerKind::Greedy;
    int games = 1;
    std::string dataFolder;    // empty: the program folder
    std::string scoresFolder;  // empty: wins are not written to any score file
    std::string savePath;      // empty: the game is not saved at the end of the run
    std::string loadPath;      // empty: a new game; else the game file to resume
    // Times the fixed benchmark game on every town of the data folder (or only on --map).
    bool bench = false;
    // --help or --version: print that and play nothing; options after it are not read.
    bool help = false;
    bool version = false;
};

// Parses the arguments after the program name. On failure answers false and sets `error` to a
// one-line description naming the problem.
bool parseOptions(const std::vector<std::string>& args, SimOptions& out, std::string& error);

const char* playerName(PlayerKind kind);

}  // namespace vellmora::sim
