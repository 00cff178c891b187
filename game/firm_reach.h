// One firm's view of the town: per tile, which of its shops serves the tile and how strongly the
// firm pulls there.
#pragma once

#include <cstdint>
#include <vector>

namespace vellmora {

class RouteGraph;

class FirmReach {
public:
    FirmReach(int firm, const RouteGraph& graph, int width, int height);

    int firm() const { return firm_; }
    const RouteGraph& graph() const { return *graph_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int tileCount() const { return width_ * height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    int index(int x, int y) const { return y * width_ + x; }

    // Grids by tile index (y * width + x); no bounds checks here, the Market checks.
    // distance: walking distance to the serving shop, 0 under it, -1 when none serves.
    std::vector<std::int32_t> distance;
    std::vector<std::int32_t> servingShop;  // -1 when none
    std::vector<std::int32_t> preference;   // 0-60 after the monthly clamp
    std::vector<std::int32_t> nearbyShops;  // shops within distance 10, minus one
    std::vector<std::int32_t> attraction;
    std::vector<std::int32_t> draw;

    // Back to the start values on every tile.
    void clear();

private:
    int firm_;
    const RouteGraph* graph_;
    int width_;
    int height_;
};

}  // namespace vellmora
