#include "game/firm_reach.h"

namespace vellmora {

FirmReach::FirmReach(int firm, const RouteGraph& graph, int width, int height)
    : firm_(firm), graph_(&graph), width_(width > 0 ? width : 0), height_(height > 0 ? height : 0) {
    clear();
}

void FirmReach::Area::add(int x, int y) {
    if (empty()) {
        left = right = x;
        top = bottom = y;
        return;
    }
    left = x < left ? x : left;
    right = x > right ? x : right;
    top = y < top ? y : top;
    bottom = y > bottom ? y : bottom;
}

FirmReach::Area FirmReach::servedArea(int shop) const {
    if (shop >= 0 && shop < kTrackedShops) {
        return servedAreas_[static_cast<std::size_t>(shop)];
    }
    return Area{0, 0, width_ - 1, height_ - 1};
}

void FirmReach::markServed(int shop, int x, int y) {
    if (shop >= 0 && shop < kTrackedShops) {
        servedAreas_[static_cast<std::size_t>(shop)].add(x, y);
    }
}

void FirmReach::forgetServed(int shop) {
    if (shop >= 0 && shop < kTrackedShops) {
        servedAreas_[static_cast<std::size_t>(shop)] = Area();
    }
}

void FirmReach::rebuildServedAreas() {
    servedAreas_.assign(kTrackedShops, Area());
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            markServed(servingShop[static_cast<std::size_t>(index(x, y))], x, y);
        }
    }
}

void FirmReach::clear() {
    const auto tiles = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    distance.assign(tiles, -1);
    servingShop.assign(tiles, -1);
    preference.assign(tiles, 0);
    nearbyShops.assign(tiles, -1);
    attraction.assign(tiles, 0);
    draw.assign(tiles, 0);
    servedAreas_.assign(kTrackedShops, Area());
}

}  // namespace vellmora
