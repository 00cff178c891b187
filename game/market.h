// The firms' reach over the town: shops open, refresh and close here, and the monthly update of
// preference and draw decides which firm a tile's customers go to.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "game/firm_reach.h"

namespace vellmora {

class ByteReader;
class ByteWriter;
class MapChunk;
class RouteGraph;

class Market {
public:
    static constexpr int kFirmSlots = 4;
    static constexpr int kReachVersion = 10000;
    // Shops within this walking distance of a tile count as nearby for its preference.
    static constexpr int kNearbyDistance = 10;
    // The monthly update holds every preference inside 0 to this.
    static constexpr std::int32_t kMaxPreference = 60;
    // A shop's pull at each distance up to this is worked out once per placement.
    static constexpr int kMaxRememberedPull = 64;

    // The graph is the town map's; it must outlive the market. The size is the graph's; slots
    // start empty.
    explicit Market(const RouteGraph& graph, int slotCount = kFirmSlots);
    ~Market();
    Market(const Market&) = delete;
    Market& operator=(const Market&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    int slotCount() const { return static_cast<int>(reaches_.size()); }
    const RouteGraph& graph() const { return *graph_; }

    // An empty reach for the slot; kRefused when out of range or taken.
    [[nodiscard]] int createReach(int firm);
    bool hasReach(int firm) const;
    const FirmReach* reach(int firm) const;
    // For loaders and tests that set grids directly; nullptr for an empty slot.
    FirmReach* mutableReach(int firm) { return reachAt(firm); }

    // All of these answer kRefused for an empty slot or a tile outside the map.
    // Places shop `shopNumber` at (x, y) with pull `base` over `range`; refused when a shop of
    // the firm stands there or the tile cannot be walked.
    [[nodiscard]] int openShop(int firm, int x, int y, int base, int shopNumber, int range);
    // Re-places the firm's shop standing at (x, y) with a new base (its score).
    [[nodiscard]] int refreshShop(int firm, int x, int y, int base, int range);
    // Frees every tile of the firm's shop at (x, y) and lowers the preference around it.
    [[nodiscard]] int closeShopAt(int firm, int x, int y);

    // Queries: -1 for an empty slot or a tile outside the map.
    int shopAt(int firm, int x, int y) const;
    int servingShop(int firm, int x, int y) const;
    int distance(int firm, int x, int y) const;
    int preference(int firm, int x, int y) const;
    int nearbyShops(int firm, int x, int y) const;
    int attraction(int firm, int x, int y) const;
    int draw(int firm, int x, int y) const;
    // (preference * 0.01 + 1) * attraction, truncated.
    int boostedAttraction(int firm, int x, int y) const;
    bool hasShopAt(int firm, int x, int y) const;

    // Pull of a shop with `base` at walking distance d: base at 0, half at range, 0 at 4/3 of it,
    // negative beyond; -1 for d below 0.
    static int attractionOf(int base, int range, int d);

    // --- Customers ---
    // Once a month before the firms' turns: draw closes a quarter of the gap to its target on
    // every tile, preference moves by the nearby-shop count and is clamped to 0-60.
    void monthlyUpdate();
    // The firm with the greatest draw on the tile (ties to the lower slot); -1 when that draw is
    // not above 0, the tile is outside or no slot has a reach.
    int dominantFirm(int x, int y) const;
    // Customers of the firm's shop: the customers of the tiles it serves where the firm is
    // dominant. `customerGrid` is the town's customers per tile, row by row (negative counts add
    // nothing); kRefused when its size does not match the map or the slot is empty.
    [[nodiscard]] int countCustomers(int firm, int shopNumber,
                                     std::span<const std::int32_t> customerGrid) const;
    // The same for every shop at once: element n is shop n's count for n below `shopSlots`.
    // Empty when the grid does not match or the slot is empty.
    std::vector<int> countCustomersByShop(int firm, int shopSlots,
                                          std::span<const std::int32_t> customerGrid) const;
    // Each firm's share of the tile's total draw; all 0.0 when the total is 0 or off the map.
    std::array<double, kFirmSlots> drawShares(int x, int y) const;

    // --- Map file ---
    // Fills the slot's reach from its reach chunk (version, width, height, firm, then distance,
    // serving shop, preference, attraction and draw per tile), making the reach if the slot has
    // none. A version other than 10000 leaves the reach empty and answers kOk; a slot out of
    // range, a size other than the market's or data too short answer kRefused (reach empty).
    [[nodiscard]] int loadReach(int firm, const MapChunk& chunk);
    // The slot's reach chunk; kRefused when the slot has no reach.
    [[nodiscard]] int saveReach(int firm, MapChunk& out) const;

    // Every slot's reach, all six grids, for a game file. loadState replaces every slot;
    // kRefused, market unchanged, for a slot count other than the market's, a value out of
    // range or data too short.
    void saveState(ByteWriter& out) const;
    [[nodiscard]] int loadState(ByteReader& in);

private:
    using Grid = std::vector<std::int32_t> FirmReach::*;

    FirmReach* reachAt(int firm);
    int gridValue(int firm, int x, int y, Grid grid) const;
    const FirmReach* reachAt(int firm, int x, int y) const;
    [[nodiscard]] int placeShop(FirmReach& reach, int shopNumber, int x, int y, int base, int range,
                                bool refresh);

    const RouteGraph* graph_;
    int width_;
    int height_;
    std::vector<std::unique_ptr<FirmReach>> reaches_;
};

}  // namespace vellmora
