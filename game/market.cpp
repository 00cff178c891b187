#include "game/market.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "data/map_chunk.h"
#include "data/result_codes.h"
#include "game/market_math.h"
#include "game/route_graph.h"

namespace vellmora {

Market::Market(const RouteGraph& graph, int slotCount)
    : graph_(&graph), width_(graph.width()), height_(graph.height()) {
    reaches_.resize(static_cast<std::size_t>(slotCount > 0 ? slotCount : 0));
}

Market::~Market() = default;

int Market::createReach(int firm) {
    if (firm < 0 || firm >= slotCount() || reaches_[static_cast<std::size_t>(firm)]) {
        return kRefused;
    }
    reaches_[static_cast<std::size_t>(firm)] =
        std::make_unique<FirmReach>(firm, *graph_, width_, height_);
    return kOk;
}

bool Market::hasReach(int firm) const {
    return reach(firm) != nullptr;
}

const FirmReach* Market::reach(int firm) const {
    if (firm < 0 || firm >= slotCount()) {
        return nullptr;
    }
    return reaches_[static_cast<std::size_t>(firm)].get();
}

FirmReach* Market::reachAt(int firm) {
    if (firm < 0 || firm >= slotCount()) {
        return nullptr;
    }
    return reaches_[static_cast<std::size_t>(firm)].get();
}

const FirmReach* Market::reachAt(int firm, int x, int y) const {
    const FirmReach* r = reach(firm);
    if (r == nullptr || !r->contains(x, y)) {
        return nullptr;
    }
    return r;
}

int Market::openShop(int firm, int x, int y, int base, int shopNumber, int range) {
    FirmReach* r = reachAt(firm);
    if (r == nullptr || !r->contains(x, y)) {
        return kRefused;
    }
    return placeShop(*r, shopNumber, x, y, base, range, false);
}

int Market::refreshShop(int firm, int x, int y, int base, int range) {
    FirmReach* r = reachAt(firm);
    if (r == nullptr || !r->contains(x, y)) {
        return kRefused;
    }
    const auto tile = static_cast<std::size_t>(r->index(x, y));
    if (r->distance[tile] != 0) {
        return kRefused;
    }
    return placeShop(*r, r->servingShop[tile], x, y, base, range, true);
}

int Market::placeShop(FirmReach& r, int shopNumber, int x, int y, int base, int range,
                      bool refresh) {
    if (shopNumber < 0) {
        return kRefused;
    }
    const auto home = static_cast<std::size_t>(r.index(x, y));
    if (r.distance[home] == 0 && (r.servingShop[home] != shopNumber || !refresh)) {
        return kRefused;
    }
    // Opening also reaches every tile near the shop; a refresh only reaches its range.
    const int limit = refresh ? range : std::max(range, kNearbyDistance);
    const DistanceField* field = graph_->field(x, y, limit);
    if (field == nullptr || field->width() != r.width() || field->height() != r.height()) {
        return kRefused;
    }

    field->forTilesWithin(range, [&](int tx, int ty, int walked) {
        const auto i = static_cast<std::size_t>(r.index(tx, ty));
        // Distance 0 marks the tile a shop stands on; a tile entered at no cost counts as one
        // step away, so it can neither take another shop's own tile nor pass for a shop.
        const int d = i == home ? walked : std::max(walked, 1);
        if (d > range) {
            return;
        }
        const std::int32_t current = r.distance[i];
        if (current != -1 && current < d) {
            return;
        }
        if (current == d && r.servingShop[i] < shopNumber) {
            return;
        }
        r.distance[i] = d;
        r.servingShop[i] = shopNumber;
        r.markServed(shopNumber, tx, ty);
    });

    if (!refresh) {
        field->forTilesWithin(kNearbyDistance, [&](int tx, int ty, int) {
            const auto i = static_cast<std::size_t>(r.index(tx, ty));
            ++r.nearbyShops[i];
            ++r.preference[i];
        });
    }

    // Most served tiles share a few distances: each pull is worked out once.
    std::array<int, kMaxRememberedPull + 1> pulls{};
    std::array<bool, kMaxRememberedPull + 1> known{};
    auto pullAt = [&](std::int32_t d) {
        if (d < 0 || d > kMaxRememberedPull) {
            return attractionOf(base, range, d);
        }
        const auto at = static_cast<std::size_t>(d);
        if (!known[at]) {
            pulls[at] = attractionOf(base, range, d);
            known[at] = true;
        }
        return pulls[at];
    };
    const FirmReach::Area area = r.servedArea(shopNumber);
    for (int ty = area.top; ty <= area.bottom; ++ty) {
        for (int tx = area.left; tx <= area.right; ++tx) {
            const auto i = static_cast<std::size_t>(r.index(tx, ty));
            if (r.servingShop[i] == shopNumber) {
                r.attraction[i] = pullAt(r.distance[i]);
            }
        }
    }
    return kOk;
}

int Market::closeShopAt(int firm, int x, int y) {
    FirmReach* r = reachAt(firm);
    if (r == nullptr || !r->contains(x, y)) {
        return kRefused;
    }
    const auto home = static_cast<std::size_t>(r->index(x, y));
    if (r->distance[home] != 0) {
        return kRefused;
    }
    const std::int32_t shopNumber = r->servingShop[home];
    const FirmReach::Area area = r->servedArea(shopNumber);
    for (int ty = area.top; ty <= area.bottom; ++ty) {
        for (int tx = area.left; tx <= area.right; ++tx) {
            const auto i = static_cast<std::size_t>(r->index(tx, ty));
            if (r->servingShop[i] == shopNumber) {
                r->servingShop[i] = -1;
                r->distance[i] = -1;
                r->attraction[i] = 0;
            }
        }
    }
    r->forgetServed(shopNumber);
    const DistanceField* field = graph_->field(x, y, kNearbyDistance);
    if (field != nullptr && field->width() == r->width() && field->height() == r->height()) {
        field->forTilesWithin(kNearbyDistance, [&](int tx, int ty, int) {
            const auto i = static_cast<std::size_t>(r->index(tx, ty));
            --r->nearbyShops[i];
            --r->preference[i];
        });
    }
    return kOk;
}

int Market::shopAt(int firm, int x, int y) const {
    const FirmReach* r = reachAt(firm, x, y);
    if (r == nullptr) {
        return -1;
    }
    const auto i = static_cast<std::size_t>(r->index(x, y));
    return r->distance[i] <= 0 ? r->servingShop[i] : -1;
}

int Market::gridValue(int firm, int x, int y, Grid grid) const {
    const FirmReach* r = reachAt(firm, x, y);
    if (r == nullptr) {
        return -1;
    }
    return (r->*grid)[static_cast<std::size_t>(r->index(x, y))];
}

int Market::servingShop(int firm, int x, int y) const {
    return gridValue(firm, x, y, &FirmReach::servingShop);
}

int Market::distance(int firm, int x, int y) const {
    return gridValue(firm, x, y, &FirmReach::distance);
}

int Market::preference(int firm, int x, int y) const {
    return gridValue(firm, x, y, &FirmReach::preference);
}

int Market::nearbyShops(int firm, int x, int y) const {
    return gridValue(firm, x, y, &FirmReach::nearbyShops);
}

int Market::attraction(int firm, int x, int y) const {
    return gridValue(firm, x, y, &FirmReach::attraction);
}

int Market::draw(int firm, int x, int y) const {
    return gridValue(firm, x, y, &FirmReach::draw);
}

int Market::boostedAttraction(int firm, int x, int y) const {
    const FirmReach* r = reachAt(firm, x, y);
    if (r == nullptr) {
        return -1;
    }
    const auto i = static_cast<std::size_t>(r->index(x, y));
    return market_math::boostedPull(r->preference[i], r->attraction[i]);
}

bool Market::hasShopAt(int firm, int x, int y) const {
    return distance(firm, x, y) == 0;
}

int Market::attractionOf(int base, int range, int d) {
    return market_math::clampToInt(market_math::pullAt(base, range, d));
}

}  // namespace vellmora
