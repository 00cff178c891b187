#include "game/firm_reach.h"

namespace vellmora {

FirmReach::FirmReach(int firm, const RouteGraph& graph, int width, int height)
    : firm_(firm), graph_(&graph), width_(width > 0 ? width : 0), height_(height > 0 ? height : 0) {
    clear();
}

void FirmReach::clear() {
    const auto tiles = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    distance.assign(tiles, -1);
    servingShop.assign(tiles, -1);
    preference.assign(tiles, 0);
    nearbyShops.assign(tiles, -1);
    attraction.assign(tiles, 0);
    draw.assign(tiles, 0);
}

}  // namespace vellmora
