// How much a shop site is worth to a firm: the customers a new shop there could win, minus the
// weighted rent. Shared by the computer players and the simulator's greedy player.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace vellmora {

class DistanceField;
class TownMap;

// The read-only view of the town that site valuation needs. The game implements it over the
// TownMap and its Market (makeTownMarketView); tests implement it over small fixtures.
class MarketView {
public:
    virtual ~MarketView() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual bool buildable(int x, int y) const = 0;
    // Walking distances from the tile, at least up to `limit`; null when it cannot be walked.
    virtual const DistanceField* distanceField(int x, int y, int limit) const = 0;
    virtual int customers(int x, int y) const = 0;
    virtual int rentAt(int x, int y) const = 0;  // with street frontage
    virtual int shopAt(int firm, int x, int y) const = 0;
    virtual int servingShop(int firm, int x, int y) const = 0;
    virtual int preference(int firm, int x, int y) const = 0;
    virtual int boostedAttraction(int firm, int x, int y) const = 0;
    virtual int dominantFirm(int x, int y) const = 0;  // -1 when none
};

// The market view over the game's town map (null map: null view).
std::unique_ptr<MarketView> makeTownMarketView(const TownMap* map);

struct SiteQuery {
    int firm = 0;                // the firm slot that would build
    std::int64_t firmScore = 0;  // its firmScore
    int range = 0;               // catchment range of the planned shop size
    int phase = 0;               // 0: only count free tiles no rival prefers
    double landPriceCoefficient = 0.0;
};

inline constexpr std::int64_t kNoSite = -1;
inline constexpr int kMinimumSiteValue = 20;
inline constexpr int kOwnShopExclusionDistance = 6;

// The value of building at (x, y), or kNoSite when the tile is not a candidate.
std::int64_t siteValue(const MarketView& view, const SiteQuery& query, int x, int y);

struct Site {
    int x = 0;
    int y = 0;
    std::int64_t value = 0;
};

// Samples about 21 tiles in 100 (a draw in 0..32767 per tile; mod 100 <= 20 is sampled) and keeps
// the best value; equal values keep the earlier tile. `draw` defaults to the shared generator.
std::optional<Site> bestSite(const MarketView& view, const SiteQuery& query,
                             const std::function<int()>& draw = {});

}  // namespace vellmora
