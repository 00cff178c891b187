#include "tools/gen/town_plan.h"

#include <algorithm>
#include <cmath>

namespace vellmora::gen {

namespace {

// Building ids of content/buildings.csv that the planner places by name.
constexpr std::int32_t kUnassigned = 0;
constexpr std::int32_t kLot = 10000;
constexpr std::int32_t kParking = 10001;
constexpr std::int32_t kBank = 10012;
constexpr std::int32_t kRoad = 20000;  // + the directions it connects to (N 1, E 2, S 4, W 8)
constexpr std::int32_t kBridgeEastWest = 21000;
constexpr std::int32_t kBridgeNorthSouth = 21001;
constexpr std::int32_t kRiver = 30000;
constexpr std::int32_t kPond = 30001;
constexpr std::int32_t kPark = 40000;
constexpr std::int32_t kWoods = 40001;
constexpr std::int32_t kShrine = 40003;
constexpr std::int32_t kDetached = 50000;
constexpr std::int32_t kHouses = 50001;
constexpr std::int32_t kApartments = 50002;
constexpr std::int32_t kCondos = 50003;
constexpr std::int32_t kEstate = 50004;
constexpr std::int32_t kTower = 50005;
constexpr std::int32_t kCornerShops = 60000;
constexpr std::int32_t kArcade = 60001;
constexpr std::int32_t kOffice = 60002;
constexpr std::int32_t kLargeOffice = 60003;
constexpr std::int32_t kSchool = 60004;
constexpr std::int32_t kHospital = 60005;
constexpr std::int32_t kFactory = 60006;
constexpr std::int32_t kStation = 70000;
constexpr std::int32_t kRail = 70001;
constexpr std::int32_t kCrossing = 70002;
constexpr std::int32_t kPlaza = 70003;

// A small deterministic generator (64-bit linear congruential, upper bits), so that the towns do
// not depend on the standard library's distributions.
class Rng {
public:
    explicit Rng(std::uint32_t seed)
        : state_(seed * 6364136223846793005ull + 1442695040888963407ull) {}
    std::uint32_t next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state_ >> 33);
    }
    // Uniform in [lo, hi].
    int range(int lo, int hi) {
        if (hi <= lo) {
            return lo;
        }
        return lo + static_cast<int>(next() % static_cast<std::uint32_t>(hi - lo + 1));
    }
    double unit() { return (next() & 0xFFFFFF) / static_cast<double>(0x1000000); }
    bool chance(double p) { return unit() < p; }

private:
    std::uint64_t state_;
};

bool isRoadId(std::int32_t id) {
    return id >= kRoad && id < kRoad + 16;
}

// Tiles a road picture joins up with.
bool joinsRoad(std::int32_t id) {
    return isRoadId(id) || id == kBridgeEastWest || id == kBridgeNorthSouth || id == kCrossing ||
           id == kPlaza;
}

// Positions of parallel roads across a side of `size` tiles, `minGap` to `maxGap` tiles apart.
std::vector<int> placeRoadLines(int size, int minGap, int maxGap, Rng& rng) {
    std::vector<int> lines;
    int pos = rng.range(1, 2);
    while (pos < size - 1) {
        lines.push_back(pos);
        pos += 1 + rng.range(minGap, maxGap);
    }
    return lines;
}

int nearestLine(const std::vector<int>& lines, double target) {
    int best = -1;
    for (int line : lines) {
        if (best < 0 || std::abs(line - target) < std::abs(best - target)) {
            best = line;
        }
    }
    return best;
}

class Planner {
public:
    Planner(const TownParams& p, const std::map<std::int32_t, TileKind>& kinds)
        : p_(p), kinds_(kinds), rng_(p.seed) {
        plan_.width = p.width;
        plan_.height = p.height;
        plan_.ids.assign(static_cast<std::size_t>(p.width * p.height), kUnassigned);
    }

    TownPlan run() {
        layRoads();
        if (p_.river) {
            layRiver();
        }
        if (p_.railway) {
            layRailway();
        }
        layParks();
        laySchools();
        zone();
        freeLots();
        ensureBuildableBlocks();
        joinRoads();
        return plan_;
    }

private:
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < p_.width && y < p_.height; }
    std::int32_t& at(int x, int y) { return plan_.at(x, y); }

    double density(int x, int y) {
        double d = 0.0;
        for (const TownCentre& c : p_.centres) {
            const double dist = std::hypot(x - c.x, y - c.y);
            d = std::max(d, c.strength * std::max(0.0, 1.0 - dist / c.radius));
        }
        return d;
    }

    void layRoads() {
        xs_ = placeRoadLines(p_.width, p_.blockWidthMin, p_.blockWidthMax, rng_);
        ys_ = placeRoadLines(p_.height, p_.blockHeightMin, p_.blockHeightMax, rng_);
        for (int y : ys_) {
            for (int x = 0; x < p_.width; ++x) {
                at(x, y) = kRoad;
            }
        }
        for (int x : xs_) {
            for (int y = 0; y < p_.height; ++y) {
                at(x, y) = kRoad;
            }
        }
        // Main streets through the centres stay whole; elsewhere some segments are left out so
        // that the blocks differ in size.
        std::vector<int> mainRows, mainColumns;
        for (const TownCentre& c : p_.centres) {
            mainRows.push_back(nearestLine(ys_, c.y));
            mainColumns.push_back(nearestLine(xs_, c.x));
        }
        auto isMain = [](const std::vector<int>& mains, int line) {
            return std::find(mains.begin(), mains.end(), line) != mains.end();
        };
        for (int y : ys_) {
            for (std::size_t i = 0; i + 1 < xs_.size(); ++i) {
                if (isMain(mainRows, y) || !rng_.chance(p_.roadGap)) {
                    continue;
                }
                for (int x = xs_[i] + 1; x < xs_[i + 1]; ++x) {
                    at(x, y) = kUnassigned;
                }
            }
        }
        for (int x : xs_) {
            for (std::size_t i = 0; i + 1 < ys_.size(); ++i) {
                if (isMain(mainColumns, x) || !rng_.chance(p_.roadGap)) {
                    continue;
                }
                for (int y = ys_[i] + 1; y < ys_[i + 1]; ++y) {
                    at(x, y) = kUnassigned;
                }
            }
        }
    }

    void layRiver() {
        const int width = std::max(1, p_.riverWidth);
        int offset = 0;
        const int base = static_cast<int>(std::lround(p_.riverPosition * p_.width));
        for (int y = 0; y < p_.height; ++y) {
            // Meander, but never on a road row, so that every bridge is straight.
            const bool roadRow = std::find(ys_.begin(), ys_.end(), y) != ys_.end();
            const bool nextIsRoad = std::find(ys_.begin(), ys_.end(), y + 1) != ys_.end();
            if (!roadRow && !nextIsRoad && y > 0) {
                const double r = rng_.unit();
                if (r < 0.25 && offset > -3) {
                    --offset;
                } else if (r > 0.75 && offset < 3) {
                    ++offset;
                }
            }
            const int left = base + offset;
            for (int x = left; x < left + width; ++x) {
                if (!inside(x, y)) {
                    continue;
                }
                at(x, y) = roadRow ? kBridgeEastWest : kRiver;
            }
            for (int x : {left - 1, left + width}) {
                if (!inside(x, y)) {
                    continue;
                }
                if (roadRow) {
                    at(x, y) = kRoad;
                } else if (at(x, y) == kUnassigned && rng_.chance(0.5)) {
                    at(x, y) = kBank;
                }
            }
        }
    }

    void layRailway() {
        const int row = ys_.empty() ? static_cast<int>(std::lround(p_.railPosition * p_.height))
                                    : nearestLine(ys_, p_.railPosition * p_.height);
        for (int x = 0; x < p_.width; ++x) {
            const bool roadAcross = std::find(xs_.begin(), xs_.end(), x) != xs_.end();
            at(x, row) = (roadAcross && rng_.chance(0.6)) ? kCrossing : kRail;
        }
        const int station = static_cast<int>(std::lround(p_.stationPosition * p_.width));
        for (int x = station - 1; x <= station + 1; ++x) {
            for (int dy : {-1, 1}) {
                if (inside(x, row + dy)) {
                    at(x, row + dy) = kPlaza;
                }
            }
            if (inside(x, row)) {
                at(x, row) = kStation;
            }
        }
        // The street from the station is a shopping arcade on both sides.
        const int street = nearestLine(xs_, station);
        for (int y = row - 5; y <= row + 5; ++y) {
            for (int x : {street - 1, street + 1}) {
                if (street >= 0 && inside(x, y) && at(x, y) == kUnassigned) {
                    at(x, y) = kArcade;
                }
            }
        }
    }

    // The blocks between the roads, as [x0, x1) x [y0, y1).
    struct Block {
        int x0, x1, y0, y1;
    };
    std::vector<Block> blocks() const {
        auto spans = [](const std::vector<int>& lines, int size) {
            std::vector<std::pair<int, int>> out;
            int start = 0;
            for (int line : lines) {
                if (line > start) {
                    out.emplace_back(start, line);
                }
                start = line + 1;
            }
            if (start < size) {
                out.emplace_back(start, size);
            }
            return out;
        };
        std::vector<Block> out;
        for (auto [y0, y1] : spans(ys_, p_.height)) {
            for (auto [x0, x1] : spans(xs_, p_.width)) {
                out.push_back({x0, x1, y0, y1});
            }
        }
        return out;
    }

    void layParks() {
        std::vector<Block> candidates;
        for (const Block& b : blocks()) {
            bool free = true;
            for (int y = b.y0; y < b.y1 && free; ++y) {
                for (int x = b.x0; x < b.x1 && free; ++x) {
                    free = at(x, y) == kUnassigned;
                }
            }
            const double d = density((b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2);
            if (free && b.x1 - b.x0 >= 2 && b.y1 - b.y0 >= 2 && d < 0.75) {
                candidates.push_back(b);
            }
        }
        for (int n = 0; n < p_.parks && !candidates.empty(); ++n) {
            const std::size_t pick =
                static_cast<std::size_t>(rng_.range(0, static_cast<int>(candidates.size()) - 1));
            const Block b = candidates[pick];
            candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(pick));
            for (int y = b.y0; y < b.y1; ++y) {
                for (int x = b.x0; x < b.x1; ++x) {
                    at(x, y) = kPark;
                }
            }
            if (b.x1 - b.x0 >= 3 && b.y1 - b.y0 >= 3) {
                at((b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2) = kPond;
            }
            if (n == 0) {
                at(b.x0, b.y0) = kShrine;
            }
        }
    }

    void laySchools() {
        int placed = 0;
        for (int tries = 0; placed < p_.schools && tries < 1000; ++tries) {
            const int x = rng_.range(0, p_.width - 1);
            const int y = rng_.range(0, p_.height - 1);
            const double d = density(x, y);
            if (at(x, y) == kUnassigned && d > 0.15 && d < 0.6) {
                at(x, y) = kSchool;
                ++placed;
            }
        }
        if (p_.width * p_.height >= 1200 && !p_.centres.empty()) {
            const TownCentre& c = p_.centres.front();
            for (int r = 2; r < 8; ++r) {
                const int x = static_cast<int>(c.x) + r;
                const int y = static_cast<int>(c.y) + r / 2;
                if (inside(x, y) && at(x, y) == kUnassigned) {
                    at(x, y) = kHospital;
                    break;
                }
            }
        }
    }

    std::int32_t pick(std::initializer_list<std::pair<std::int32_t, int>> table) {
        int total = 0;
        for (const auto& [id, weight] : table) {
            total += weight;
        }
        int r = rng_.range(0, total - 1);
        for (const auto& [id, weight] : table) {
            if (r < weight) {
                return id;
            }
            r -= weight;
        }
        return table.begin()->first;
    }

    void zone() {
        for (int y = 0; y < p_.height; ++y) {
            for (int x = 0; x < p_.width; ++x) {
                if (at(x, y) != kUnassigned) {
                    continue;
                }
                const double d = density(x, y) + (rng_.unit() - 0.5) * 0.16;
                std::int32_t id;
                if (d >= 0.8) {
                    id = pick({{kArcade, 35}, {kLargeOffice, 25}, {kOffice, 25}, {kTower, 15}});
                } else if (d >= 0.6) {
                    id = pick({{kOffice, 25}, {kCornerShops, 25}, {kTower, 20}, {kCondos, 30}});
                } else if (d >= 0.4) {
                    id =
                        pick({{kCondos, 35}, {kEstate, 20}, {kApartments, 30}, {kCornerShops, 15}});
                } else if (d >= 0.2) {
                    id = pick({{kApartments, 35}, {kHouses, 50}, {kCornerShops, 5}, {kCondos, 10}});
                } else if (d >= 0.08) {
                    id = pick({{kHouses, 50}, {kDetached, 40}, {kLot, 10}});
                } else if (p_.countryside > 0.0 && rng_.chance(p_.countryside)) {
                    id = kWoods;
                } else {
                    id = pick({{kDetached, 45}, {kLot, 20}, {kWoods, 20}, {kFactory, 15}});
                }
                at(x, y) = id;
                zoned_.push_back(y * p_.width + x);
            }
        }
    }

    void freeLots() {
        for (int index : zoned_) {
            const int x = index % p_.width;
            const int y = index / p_.width;
            if (rng_.chance(p_.vacant)) {
                at(x, y) = density(x, y) >= 0.55 ? kParking : kLot;
            }
        }
    }

    bool buildable(std::int32_t id) const {
        auto it = kinds_.find(id);
        return it != kinds_.end() && it->second.buildable != 0;
    }

    bool besideRoad(int x, int y) const {
        const int dx[] = {0, 1, 0, -1};
        const int dy[] = {-1, 0, 1, 0};
        for (int i = 0; i < 4; ++i) {
            const int nx = x + dx[i], ny = y + dy[i];
            if (inside(nx, ny) && joinsRoad(plan_.at(nx, ny))) {
                return true;
            }
        }
        return false;
    }

    // Every block of houses gets at least one lot, on its street front where it has one.
    void ensureBuildableBlocks() {
        for (const Block& b : blocks()) {
            std::vector<std::pair<int, int>> houses, front;
            bool hasSite = false;
            for (int y = b.y0; y < b.y1; ++y) {
                for (int x = b.x0; x < b.x1; ++x) {
                    const std::int32_t id = at(x, y);
                    hasSite = hasSite || buildable(id);
                    if (id >= kDetached && id <= kTower) {
                        houses.emplace_back(x, y);
                        if (besideRoad(x, y)) {
                            front.emplace_back(x, y);
                        }
                    }
                }
            }
            const auto& from = front.empty() ? houses : front;
            if (hasSite || from.empty()) {
                continue;
            }
            const auto [x, y] =
                from[static_cast<std::size_t>(rng_.range(0, static_cast<int>(from.size()) - 1))];
            at(x, y) = kLot;
        }
    }

    void joinRoads() {
        for (int y = 0; y < p_.height; ++y) {
            for (int x = 0; x < p_.width; ++x) {
                if (!isRoadId(at(x, y))) {
                    continue;
                }
                int mask = 0;
                const int dx[] = {0, 1, 0, -1};
                const int dy[] = {-1, 0, 1, 0};
                for (int i = 0; i < 4; ++i) {
                    const int nx = x + dx[i], ny = y + dy[i];
                    if (inside(nx, ny) && joinsRoad(at(nx, ny))) {
                        mask |= 1 << i;
                    }
                }
                at(x, y) = kRoad + mask;
            }
        }
        for (int y = 0; y < p_.height; ++y) {
            for (int x = 0; x < p_.width; ++x) {
                if (at(x, y) == kBridgeEastWest && y > 0 && y + 1 < p_.height &&
                    joinsRoad(at(x, y - 1)) && joinsRoad(at(x, y + 1))) {
                    at(x, y) = kBridgeNorthSouth;
                }
            }
        }
    }

    const TownParams& p_;
    const std::map<std::int32_t, TileKind>& kinds_;
    Rng rng_;
    TownPlan plan_;
    std::vector<int> xs_, ys_;
    std::vector<int> zoned_;
};

}  // namespace

TownPlan planTown(const TownParams& params, const std::map<std::int32_t, TileKind>& kinds) {
    return Planner(params, kinds).run();
}

}  // namespace vellmora::gen
