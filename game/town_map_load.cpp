// Loading a town from a map file's root chunk.
#include "data/result_codes.h"
#include "game/town_map.h"

namespace vellmora {

namespace {

// Offsets in the market chunk's data.
constexpr std::size_t kMarketVersionOffset = 0;
constexpr std::size_t kMarketWidthOffset = 4;
constexpr std::size_t kMarketHeightOffset = 8;
constexpr std::size_t kMarketSlotCountOffset = 12;
constexpr std::size_t kMarketFlagsOffset = 16;

}  // namespace

bool TownMap::sizeAllowed(int width, int height) {
    return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide;
}

bool TownMap::declaredSize(const MapChunk& root, int& width, int& height) {
    std::int32_t w = 0;
    std::int32_t h = 0;
    if (!root.readInt32(kRootWidthOffset, w) || !root.readInt32(kRootHeightOffset, h)) {
        return false;
    }
    width = w;
    height = h;
    return true;
}

int TownMap::loadMap(const MapChunk& root) {
    int width = 0;
    int height = 0;
    // The declared size is checked against the tiles present before anything is made for it.
    if (!declaredSize(root, width, height) || !sizeAllowed(width, height)) {
        return kRefused;
    }
    const std::size_t tileCount =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (root.data().size() < kRootTilesOffset ||
        (root.data().size() - kRootTilesOffset) / 4 < tileCount) {
        return kRefused;
    }
    std::unique_ptr<Tiles> tiles = makeTiles(width, height);
    if (!tiles) {
        return kRefused;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::int32_t id = 0;
            const std::size_t tile = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                     static_cast<std::size_t>(x);
            if (!root.readInt32(kRootTilesOffset + 4 * tile, id)) {
                return kRefused;
            }
            // An id the table does not know keeps the default building.
            if (const BuildingDef* def = buildings_.find(id)) {
                place(*tiles, x, y, *def);
            }
        }
    }

    const MapChunk* marketChunk = root.child(0);
    if (marketChunk == nullptr || loadMarket(*marketChunk, *tiles) != kOk) {
        return kRefused;
    }
    tiles->graph->computeDistanceFields();
    tiles_ = std::move(tiles);
    return kOk;
}

// The market chunk: version, width, height, slot count, one flag byte per slot; its children are
// the route chunk and then one reach chunk per flagged slot. The route chunk alone decides the
// walking costs, so the graph and the market are made anew here.
int TownMap::loadMarket(const MapChunk& chunk, Tiles& tiles) const {
    std::int32_t version = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t slots = 0;
    if (!chunk.readInt32(kMarketVersionOffset, version) || version != kMapVersion ||
        !chunk.readInt32(kMarketWidthOffset, width) ||
        !chunk.readInt32(kMarketHeightOffset, height) ||
        !chunk.readInt32(kMarketSlotCountOffset, slots) || width != tiles.width ||
        height != tiles.height || slots < 0 || slots > Market::kFirmSlots) {
        return kRefused;
    }
    std::uint8_t flags[Market::kFirmSlots] = {};
    if (!chunk.readBytes(kMarketFlagsOffset,
                         std::span<std::uint8_t>(flags, static_cast<std::size_t>(slots)))) {
        return kRefused;
    }

    auto graph = std::make_unique<RouteGraph>(width, height);
    const MapChunk* routeChunk = chunk.child(0);
    if (routeChunk == nullptr || graph->loadChunk(*routeChunk) != kOk) {
        return kRefused;
    }
    // Every firm makes its reach in the slot of its index, so the market always has all slots,
    // even when the file declares fewer.
    auto market = std::make_unique<Market>(*graph, Market::kFirmSlots);
    std::size_t next = 1;
    for (int slot = 0; slot < slots; ++slot) {
        if (flags[slot] == 0) {
            continue;
        }
        const MapChunk* reachChunk = chunk.child(next++);
        if (reachChunk == nullptr || market->loadReach(slot, *reachChunk) != kOk) {
            return kRefused;
        }
    }
    // The old market refers to the old graph: drop it first.
    tiles.market = std::move(market);
    tiles.graph = std::move(graph);
    return kOk;
}

}  // namespace vellmora
