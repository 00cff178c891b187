// The town's part of a game file: the tiles with their pictures, and each firm's reach. The
// route graph's distance fields are made again from the walking costs.
#include <limits>

#include "data/byte_stream.h"
#include "data/result_codes.h"
#include "game/firm_reach.h"
#include "game/market.h"
#include "game/town_map.h"

namespace vellmora {

namespace {

constexpr std::int64_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();
// Walking costs are kept to what a route chunk can hold (a signed byte), so that no walking
// distance can leave the range of the distance fields.
constexpr std::int64_t kMaxMoveCost = 127;
constexpr std::int64_t kMaxShopNumber = 255;
constexpr std::int64_t kNearbyLimit = 256;

std::vector<std::int32_t> costsOf(const RouteGraph& graph) {
    std::vector<std::int32_t> costs;
    costs.reserve(static_cast<std::size_t>(graph.width()) *
                  static_cast<std::size_t>(graph.height()));
    for (int y = 0; y < graph.height(); ++y) {
        for (int x = 0; x < graph.width(); ++x) {
            costs.push_back(graph.cost(x, y));
        }
    }
    return costs;
}

}  // namespace

void TownMap::saveState(ByteWriter& out) const {
    const Tiles& t = *tiles_;
    out.integer(t.width);
    out.integer(t.height);
    writeInts(out, t.buildingIds);
    writeInts(out, t.customers);
    writeInts(out, t.rents);
    writeInts(out, costsOf(*t.graph));
    out.boolean(t.layers.normalView());
    std::vector<std::int32_t> chips;
    std::vector<std::int32_t> attributes;
    for (int layer = 0; layer < MapLayers::kLayerCount; ++layer) {
        for (int y = 0; y < t.height; ++y) {
            for (int x = 0; x < t.width; ++x) {
                chips.push_back(t.layers.storedChip(x, y, layer));
                attributes.push_back(t.layers.attribute(x, y, layer));
            }
        }
    }
    writeInts(out, chips);
    writeInts(out, attributes);
}

int TownMap::loadState(ByteReader& in) {
    int width = 0;
    int height = 0;
    if (!in.integerIn(1, kMaxSide, width) || !in.integerIn(1, kMaxSide, height)) {
        in.fail();
        return kRefused;
    }
    const auto tileCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::size_t layerCount = tileCount * MapLayers::kLayerCount;
    // Checked before the tiles are made: every value takes at least a byte.
    if (in.remaining() / (4 + 2 * MapLayers::kLayerCount) < tileCount) {
        in.fail();
        return kRefused;
    }
    auto tiles = std::make_unique<Tiles>(width, height);
    std::vector<std::int32_t> costs;
    std::vector<std::int32_t> chips;
    std::vector<std::int32_t> attributes;
    bool normal = true;
    if (!readInts(in, tileCount, kIntMin, kIntMax, tiles->buildingIds) ||
        !readInts(in, tileCount, kIntMin, kIntMax, tiles->customers) ||
        !readInts(in, tileCount, kIntMin, kIntMax, tiles->rents) ||
        !readInts(in, tileCount, -1, kMaxMoveCost, costs) || !in.boolean(normal) ||
        !readInts(in, layerCount, kIntMin, kIntMax, chips) ||
        !readInts(in, layerCount, kIntMin, kIntMax, attributes)) {
        return kRefused;
    }
    std::size_t i = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            tiles->graph->setCost(x, y, costs[i++]);
        }
    }
    i = 0;
    for (int layer = 0; layer < MapLayers::kLayerCount; ++layer) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x, ++i) {
                tiles->layers.set(x, y, layer, chips[i], attributes[i]);
            }
        }
    }
    tiles->layers.setNormalView(normal);
    tiles->graph->computeDistanceFields();
    tiles_ = std::move(tiles);
    return kOk;
}

void Market::saveState(ByteWriter& out) const {
    out.varint(reaches_.size());
    for (const auto& reach : reaches_) {
        out.boolean(reach != nullptr);
        if (reach == nullptr) {
            continue;
        }
        writeInts(out, reach->distance);
        writeInts(out, reach->servingShop);
        writeInts(out, reach->preference);
        writeInts(out, reach->nearbyShops);
        writeInts(out, reach->attraction);
        writeInts(out, reach->draw);
    }
}

int Market::loadState(ByteReader& in) {
    std::size_t slots = 0;
    if (!in.count(slots, static_cast<std::size_t>(slotCount())) ||
        slots != static_cast<std::size_t>(slotCount())) {
        in.fail();
        return kRefused;
    }
    const auto tiles = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    std::vector<std::unique_ptr<FirmReach>> loaded(slots);
    for (std::size_t slot = 0; slot < slots; ++slot) {
        bool present = false;
        if (!in.boolean(present)) {
            return kRefused;
        }
        if (!present) {
            continue;
        }
        auto r = std::make_unique<FirmReach>(static_cast<int>(slot), *graph_, width_, height_);
        if (!readInts(in, tiles, -1, kIntMax, r->distance) ||
            !readInts(in, tiles, -1, kMaxShopNumber, r->servingShop) ||
            !readInts(in, tiles, 0, kMaxPreference, r->preference) ||
            !readInts(in, tiles, -kNearbyLimit, kNearbyLimit, r->nearbyShops) ||
            !readInts(in, tiles, kIntMin, kIntMax, r->attraction) ||
            !readInts(in, tiles, kIntMin, kIntMax, r->draw)) {
            return kRefused;
        }
        // The areas the shops serve follow from the serving-shop grid; closing and placing
        // shops visit only those.
        r->rebuildServedAreas();
        loaded[slot] = std::move(r);
    }
    reaches_ = std::move(loaded);
    return kOk;
}

}  // namespace vellmora
