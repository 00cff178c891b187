#include "game/town_map.h"

#include <algorithm>
#include <limits>

#include "data/result_codes.h"

namespace vellmora {

TownMap::Tiles::Tiles(int w, int h)
    : width(w),
      height(h),
      buildingIds(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0),
      customers(buildingIds.size(), -1),
      rents(buildingIds.size(), 0),
      layers(w, h),
      graph(std::make_unique<RouteGraph>(w, h)),
      market(std::make_unique<Market>(*graph, Market::kFirmSlots)) {}

TownMap::TownMap() : tiles_(std::make_unique<Tiles>(0, 0)) {}

TownMap::~TownMap() = default;

int TownMap::init(int width, int height, const std::string& buildingDataPath) {
    if (buildings_.load(buildingDataPath) != kOk) {
        return kMissingFile;
    }
    return create(width, height);
}

std::unique_ptr<TownMap::Tiles> TownMap::makeTiles(int width, int height) const {
    if (buildings_.definitions().empty() || !sizeAllowed(width, height)) {
        return nullptr;
    }
    auto tiles = std::make_unique<Tiles>(width, height);
    if (const BuildingDef* def = buildings_.find(kDefaultBuildingId)) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                place(*tiles, x, y, *def);
            }
        }
    }
    return tiles;
}

int TownMap::create(int width, int height) {
    std::unique_ptr<Tiles> tiles = makeTiles(width, height);
    if (!tiles) {
        return kRefused;
    }
    tiles_ = std::move(tiles);
    return kOk;
}

void TownMap::place(Tiles& tiles, int x, int y, const BuildingDef& def) const {
    const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(tiles.width) +
                          static_cast<std::size_t>(x);
    tiles.buildingIds[i] = def.id;
    tiles.customers[i] = def.customers;
    tiles.rents[i] = def.rent;
    tiles.graph->setCost(x, y, def.moveCost);
    draw(tiles, x, y, def);
}

void TownMap::draw(Tiles& tiles, int x, int y, const BuildingDef& def) const {
    if (const BuildingDef* underlay = buildings_.find(def.underlayId)) {
        tiles.layers.set(x, y, 0, chipCodeOf(*underlay), underlay->attribute);
    }
    // A layer outside 0-6 in the data draws nothing.
    tiles.layers.set(x, y, def.layer, chipCodeOf(def), def.attribute);
}

int TownMap::placeBuilding(int x, int y, std::int32_t id) {
    const BuildingDef* def = buildings_.find(id);
    if (def == nullptr || !contains(x, y)) {
        return kRefused;
    }
    place(*tiles_, x, y, *def);
    return kOk;
}

void TownMap::drawBuilding(int x, int y, const BuildingDef& def) {
    if (contains(x, y)) {
        draw(*tiles_, x, y, def);
    }
}

int TownMap::drawBuildingId(int x, int y, std::int32_t id) {
    const BuildingDef* def = buildings_.find(id);
    if (def == nullptr || !contains(x, y)) {
        return kRefused;
    }
    draw(*tiles_, x, y, *def);
    return kOk;
}

int TownMap::buildingId(int x, int y) const {
    return contains(x, y) ? tiles_->buildingIds[index(x, y)] : -1;
}

int TownMap::customers(int x, int y) const {
    return contains(x, y) ? tiles_->customers[index(x, y)] : -1;
}

int TownMap::rent(int x, int y) const {
    return contains(x, y) ? tiles_->rents[index(x, y)] : -1;
}

int TownMap::rentAt(int x, int y) const {
    if (!contains(x, y)) {
        return -1;
    }
    const int plain = tiles_->rents[index(x, y)];
    const RouteGraph& graph = *tiles_->graph;
    // cost() answers -1 outside the map, so edge tiles only look at their inside neighbours.
    const bool onStreet = graph.cost(x - 1, y) == 1 || graph.cost(x + 1, y) == 1 ||
                          graph.cost(x, y - 1) == 1 || graph.cost(x, y + 1) == 1;
    if (!onStreet) {
        return plain;
    }
    // plain * 1.5 truncated toward zero, kept in range for any rent the data may hold.
    const std::int64_t fronted = std::int64_t{plain} + plain / 2;
    return static_cast<int>(std::clamp<std::int64_t>(fronted, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

const BuildingDef* TownMap::buildingAt(int x, int y) const {
    return contains(x, y) ? buildings_.find(tiles_->buildingIds[index(x, y)]) : nullptr;
}

bool TownMap::buildable(int x, int y) const {
    const BuildingDef* def = buildingAt(x, y);
    return def != nullptr && def->buildable != 0;
}

}  // namespace vellmora
