// A firm's reach in the map file: version, width, height, firm, then five values per tile.
#include <algorithm>

#include "data/map_chunk.h"
#include "data/result_codes.h"
#include "game/market.h"

namespace vellmora {

namespace {

constexpr std::size_t kReachHead = 16;
constexpr std::size_t kReachTileBytes = 20;

}  // namespace

int Market::loadReach(int firm, const MapChunk& chunk) {
    if (firm < 0 || firm >= slotCount()) {
        return kRefused;
    }
    if (!hasReach(firm) && createReach(firm) != kOk) {
        return kRefused;
    }
    FirmReach& r = *reachAt(firm);
    r.clear();

    std::int32_t version = 0;
    if (!chunk.readInt32(0, version)) {
        return kRefused;
    }
    if (version != kReachVersion) {
        return kOk;
    }
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (!chunk.readInt32(4, width) || !chunk.readInt32(8, height) || width != width_ ||
        height != height_) {
        return kRefused;
    }
    const std::size_t tiles = r.distance.size();
    if (chunk.data().size() < kReachHead + tiles * kReachTileBytes) {
        return kRefused;
    }
    for (std::size_t i = 0; i < tiles; ++i) {
        const std::size_t at = kReachHead + i * kReachTileBytes;
        std::int32_t values[5] = {};
        for (std::size_t v = 0; v < 5; ++v) {
            (void)chunk.readInt32(at + 4 * v, values[v]);
        }
        r.distance[i] = values[0];
        r.servingShop[i] = values[1];
        // The game never holds a preference outside this range; one from the file is brought
        // into it, so that opening and closing shops can count it up and down safely.
        r.preference[i] = std::clamp(values[2], 0, kMaxPreference);
        r.attraction[i] = values[3];
        r.draw[i] = values[4];
    }
    r.rebuildServedAreas();
    return kOk;
}

int Market::saveReach(int firm, MapChunk& out) const {
    const FirmReach* r = reach(firm);
    if (r == nullptr) {
        return kRefused;
    }
    MapChunk chunk;
    chunk.appendInt32(kReachVersion);
    chunk.appendInt32(width_);
    chunk.appendInt32(height_);
    chunk.appendInt32(firm);
    for (std::size_t i = 0; i < r->distance.size(); ++i) {
        chunk.appendInt32(r->distance[i]);
        chunk.appendInt32(r->servingShop[i]);
        chunk.appendInt32(r->preference[i]);
        chunk.appendInt32(r->attraction[i]);
        chunk.appendInt32(r->draw[i]);
    }
    out = std::move(chunk);
    return kOk;
}

}  // namespace vellmora
