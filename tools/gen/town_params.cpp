#include <cstdlib>
#include <sstream>

#include "game/town_map.h"
#include "tools/gen/gen_text.h"
#include "tools/gen/town_plan.h"

namespace vellmora::gen {

namespace {

bool parseReal(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size();
}

bool parseInt(const std::string& text, int& value) {
    long long v = 0;
    if (!parseInteger(text, v) || v < -1000000 || v > 1000000) {
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

// "lo..hi"
bool parseRange(const std::string& text, int& lo, int& hi) {
    const std::size_t dots = text.find("..");
    return dots != std::string::npos && parseInt(text.substr(0, dots), lo) &&
           parseInt(text.substr(dots + 2), hi) && lo >= 1 && hi >= lo;
}

// "x y strength radius; x y strength radius; ..."
bool parseCentres(const std::string& text, std::vector<TownCentre>& out) {
    std::stringstream all(text);
    std::string one;
    out.clear();
    while (std::getline(all, one, ';')) {
        std::stringstream in(one);
        TownCentre c;
        if (!(in >> c.x >> c.y >> c.strength >> c.radius) || c.radius <= 0) {
            return false;
        }
        out.push_back(c);
    }
    return !out.empty();
}

bool parseFlag(const std::string& text, bool& value) {
    if (text == "yes" || text == "no") {
        value = text == "yes";
        return true;
    }
    return false;
}

}  // namespace

bool readTownParams(const std::string& path, TownParams& out) {
    std::string text;
    if (!readSource(path, text)) {
        return false;
    }
    TownParams p;
    bool ok = true;
    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || line.starts_with("#")) {
            continue;
        }
        const std::size_t eq = line.find('=');
        const std::string key = line.substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : line.substr(eq + 1);
        bool good = eq != std::string::npos;
        if (!good) {
        } else if (key == "name") {
            p.name = value;
            good = !value.empty();
        } else if (key == "width") {
            good = parseInt(value, p.width) && p.width >= 8 && p.width <= TownMap::kMaxSide;
        } else if (key == "height") {
            good = parseInt(value, p.height) && p.height >= 8 && p.height <= TownMap::kMaxSide;
        } else if (key == "seed") {
            int seed = 0;
            good = parseInt(value, seed);
            p.seed = static_cast<std::uint32_t>(seed);
        } else if (key == "block_width") {
            good = parseRange(value, p.blockWidthMin, p.blockWidthMax);
        } else if (key == "block_height") {
            good = parseRange(value, p.blockHeightMin, p.blockHeightMax);
        } else if (key == "road_gap") {
            good = parseReal(value, p.roadGap);
        } else if (key == "centres") {
            good = parseCentres(value, p.centres);
        } else if (key == "river") {
            good = parseFlag(value, p.river);
        } else if (key == "river_position") {
            good = parseReal(value, p.riverPosition);
        } else if (key == "river_width") {
            good = parseInt(value, p.riverWidth) && p.riverWidth >= 1;
        } else if (key == "railway") {
            good = parseFlag(value, p.railway);
        } else if (key == "rail_position") {
            good = parseReal(value, p.railPosition);
        } else if (key == "station_position") {
            good = parseReal(value, p.stationPosition);
        } else if (key == "parks") {
            good = parseInt(value, p.parks);
        } else if (key == "schools") {
            good = parseInt(value, p.schools);
        } else if (key == "vacant") {
            good = parseReal(value, p.vacant);
        } else if (key == "countryside") {
            good = parseReal(value, p.countryside) && p.countryside >= 0.0 && p.countryside <= 1.0;
        } else {
            good = false;
        }
        if (!good) {
            ok = fail(path + ":" + std::to_string(i + 1), "bad or unknown setting: " + line);
        }
    }
    if (ok) {
        out = p;
    }
    return ok;
}

}  // namespace vellmora::gen
