// Deterministic town layout: roads on a jittered grid, an optional river with bridges and an
// optional railway with a station, then houses, shops and offices zoned by distance from the
// town's centres, parks, and a free lot in every block so that shops can be built everywhere.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vellmora::gen {

struct TownCentre {
    double x = 0;
    double y = 0;
    double strength = 1.0;  // density at the centre, 0-1
    double radius = 8.0;    // tiles from the centre to where its pull ends
};

struct TownParams {
    std::string name;  // UTF-8, written into the map header
    int width = 20;
    int height = 15;
    std::uint32_t seed = 1;
    int blockWidthMin = 3;  // tiles between two parallel roads
    int blockWidthMax = 5;
    int blockHeightMin = 2;
    int blockHeightMax = 4;
    double roadGap = 0.1;  // chance that a road segment between two crossings is left out
    std::vector<TownCentre> centres;
    bool river = false;          // a river running north to south
    double riverPosition = 0.5;  // its column as a share of the width
    int riverWidth = 2;
    bool railway = false;          // a railway running west to east with a station
    double railPosition = 0.5;     // its row as a share of the height
    double stationPosition = 0.5;  // the station's column as a share of the width
    int parks = 1;
    int schools = 1;
    double vacant = 0.06;  // share of lots left free or used as car parks
    // Share of the outskirts (far from every centre) left as woods, for a big town whose
    // suburbs thin out into the country.
    double countryside = 0.0;
};

// Reads "key=value" lines ("#" lines are notes). False with messages for an unknown key or a
// value that does not parse.
bool readTownParams(const std::string& path, TownParams& out);

// A planned town: one building id per tile, row by row.
struct TownPlan {
    int width = 0;
    int height = 0;
    std::vector<std::int32_t> ids;
    std::int32_t& at(int x, int y) { return ids[static_cast<std::size_t>(y * width + x)]; }
    std::int32_t at(int x, int y) const { return ids[static_cast<std::size_t>(y * width + x)]; }
};

// What the planner needs to know of each building id.
struct TileKind {
    int moveCost = 0;
    int buildable = 0;
    int customers = 0;
};

// Lays the town out; `kinds` tells which ids may take a shop. Same parameters, same plan.
TownPlan planTown(const TownParams& params, const std::map<std::int32_t, TileKind>& kinds);

// Checks the plan against the building table: every id known, every buildable tile walkable, all
// walkable tiles one connected area. Prints the town's totals. False with messages.
bool checkTown(const TownPlan& plan, const std::map<std::int32_t, TileKind>& kinds,
               const std::string& context);

}  // namespace vellmora::gen
