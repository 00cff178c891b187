#include "tools/sim/sim_options.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace vellmora::sim {

namespace {

bool parseInteger(std::string_view text, std::int64_t low, std::int64_t high, std::int64_t& out) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
        return false;
    }
    out = value;
    return true;
}

}  // namespace

const char* playerName(PlayerKind kind) {
    return kind == PlayerKind::Passive ? "passive" : "greedy";
}

bool parseOptions(const std::vector<std::string>& args, SimOptions& out, std::string& error) {
    SimOptions options;
    std::vector<std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        given.push_back(name);
        if (name.rfind("--", 0) != 0) {
            error = "unexpected argument '" + name + "'";
            return false;
        }
        if (name == "--help" || name == "--version") {
            (name == "--help" ? options.help : options.version) = true;
            out = options;
            return true;
        }
        if (name == "--bench") {
            options.bench = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "option " + name + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        std::int64_t number = 0;
        auto integer = [&](std::int64_t low, std::int64_t high) {
            if (parseInteger(value, low, high, number)) {
                return true;
            }
            error = "option " + name + " expects an integer from " + std::to_string(low) + " to " +
                    std::to_string(high) + ", got '" + value + "'";
            return false;
        };
        if (name == "--map") {
            if (value.empty()) {
                error = "option --map needs a map name or path";
                return false;
            }
            options.map = value;
        } else if (name == "--difficulty") {
            if (!integer(0, 4)) {
                return false;
            }
            options.difficulty = static_cast<int>(number);
        } else if (name == "--competitors") {
            if (!integer(1, 3)) {
                return false;
            }
            options.competitors = static_cast<int>(number);
        } else if (name == "--seed") {
            // Seeds become the fake clock's seconds; keep them well inside 64 bits for N + i.
            if (!integer(0, std::int64_t{1} << 52)) {
                return false;
            }
            options.seed = number;
        } else if (name == "--months") {
            if (!integer(0, 1000000)) {
                return false;
            }
            options.months = static_cast<int>(number);
        } else if (name == "--player") {
            if (value == "passive") {
                options.player = PlayerKind::Passive;
            } else if (value == "greedy") {
                options.player = PlayerKind::Greedy;
            } else {
                error = "option --player expects passive or greedy, got '" + value + "'";
                return false;
            }
        } else if (name == "--games") {
            if (!integer(1, 100000)) {
                return false;
            }
            options.games = static_cast<int>(number);
        } else if (name == "--data") {
            if (value.empty()) {
                error = "option --data needs a folder";
                return false;
            }
            options.dataFolder = value;
        } else if (name == "--scores") {
            if (value.empty()) {
                error = "option --scores needs a folder";
                return false;
            }
            options.scoresFolder = value;
        } else if (name == "--save" || name == "--load") {
            if (value.empty()) {
                error = "option " + name + " needs a file path";
                return false;
            }
            (name == "--save" ? options.savePath : options.loadPath) = value;
        } else {
            error = "unknown option '" + name + "'";
            return false;
        }
    }
    // A resumed game brings its own town, difficulty and competitors.
    if (!options.loadPath.empty()) {
        for (const char* conflicting : {"--map", "--difficulty", "--competitors"}) {
            if (std::find(given.begin(), given.end(), conflicting) != given.end()) {
                error = std::string("option ") + conflicting +
                        " conflicts with --load (the game file holds it)";
                return false;
            }
        }
    }
    if (options.games > 1 && (!options.loadPath.empty() || !options.savePath.empty())) {
        error = "options --save and --load play a single game (--games 1)";
        return false;
    }
    out = options;
    return true;
}

}  // namespace vellmora::sim
