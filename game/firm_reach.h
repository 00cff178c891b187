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

    // A rectangle of tiles; empty when right < left.
    struct Area {
        int left = 0;
        int top = 0;
        int right = -1;
        int bottom = -1;
        bool empty() const { return right < left; }
        void add(int x, int y);
    };
    // Shop numbers below this have their served area kept; any other shop's tiles are found by
    // looking at the whole map.
    static constexpr int kTrackedShops = 256;
    // The area holding every tile that the shop serves (no tile outside it has the shop as its
    // servingShop); the whole map for a shop number that is not tracked. servingShop is written
    // only by the Market, which keeps these in step through markServed and the two below.
    Area servedArea(int shop) const;
    void markServed(int shop, int x, int y);
    // The shop serves no tile any more.
    void forgetServed(int shop);
    // Makes every area anew from the servingShop grid (after it was loaded).
    void rebuildServedAreas();

    // Back to the start values on every tile.
    void clear();

private:
    int firm_;
    const RouteGraph* graph_;
    int width_;
    int height_;
    std::vector<Area> servedAreas_;
};

}  // namespace vellmora
