#include "game/site_value.h"

#include <array>
#include <limits>
#include <vector>

#include "game/distance_field.h"
#include "game/market_math.h"
#include "game/random.h"

namespace vellmora {
namespace {

constexpr int kOtherFirmSlots = 4;
constexpr double kRivalMargin = 1.5;
constexpr int kSampleModulus = 100;
constexpr int kSampleBelowOrAt = 20;
// Pulls at distances up to this are worked out once per search.
constexpr int kRememberedPulls = 64;

// No rival has built up any liking on the tile.
bool unclaimed(const MarketView& view, int firm, int x, int y) {
    for (int other = 0; other < kOtherFirmSlots; ++other) {
        if (other != firm && view.preference(other, x, y) > 0) {
            return false;
        }
    }
    return true;
}

// What a site's value reads of one tile, asked of the view as it is needed.
class LiveTiles {
public:
    LiveTiles(const MarketView& view, const SiteQuery& query) : view_(view), query_(query) {}
    bool ownShop(int x, int y) const { return view_.shopAt(query_.firm, x, y) != -1; }
    int customers(int x, int y) const { return view_.customers(x, y); }
    int dominant(int x, int y) const { return view_.dominantFirm(x, y); }
    int rivalPull(int dominant, int x, int y) const {
        return view_.boostedAttraction(dominant, x, y);
    }
    bool unclaimed(int x, int y) const { return vellmora::unclaimed(view_, query_.firm, x, y); }
    std::int64_t ourPull(int d) const {
        return market_math::pullAt(query_.firmScore, query_.range, d);
    }

private:
    const MarketView& view_;
    const SiteQuery& query_;
};

// The same answers read once for every tile, for a search that values many sites of an
// unchanging market: each tile is then looked at once instead of once per site near it.
class TileSnapshot {
public:
    TileSnapshot(const MarketView& view, const SiteQuery& query)
        : width_(view.width()), query_(query) {
        const auto tiles =
            static_cast<std::size_t>(view.width()) * static_cast<std::size_t>(view.height());
        ownShop_.assign(tiles, 0);
        customers_.assign(tiles, 0);
        dominant_.assign(tiles, -1);
        rivalPull_.assign(tiles, 0);
        unclaimed_.assign(tiles, 0);
        for (int y = 0; y < view.height(); ++y) {
            for (int x = 0; x < view.width(); ++x) {
                const std::size_t i = at(x, y);
                ownShop_[i] = view.shopAt(query.firm, x, y) != -1 ? 1 : 0;
                customers_[i] = view.customers(x, y);
                if (customers_[i] <= 0) {
                    continue;  // never asked further
                }
                dominant_[i] = view.dominantFirm(x, y);
                if (dominant_[i] >= 0 && dominant_[i] != query.firm) {
                    rivalPull_[i] = view.boostedAttraction(dominant_[i], x, y);
                } else if (dominant_[i] < 0 && query.phase == 0) {
                    unclaimed_[i] = vellmora::unclaimed(view, query.firm, x, y) ? 1 : 0;
                }
            }
        }
        for (int d = 0; d <= kRememberedPulls; ++d) {
            pulls_[static_cast<std::size_t>(d)] =
                market_math::pullAt(query.firmScore, query.range, d);
        }
    }
    bool ownShop(int x, int y) const { return ownShop_[at(x, y)] != 0; }
    int customers(int x, int y) const { return customers_[at(x, y)]; }
    int dominant(int x, int y) const { return dominant_[at(x, y)]; }
    int rivalPull(int, int x, int y) const { return rivalPull_[at(x, y)]; }
    bool unclaimed(int x, int y) const { return unclaimed_[at(x, y)] != 0; }
    std::int64_t ourPull(int d) const {
        if (d >= 0 && d <= kRememberedPulls) {
            return pulls_[static_cast<std::size_t>(d)];
        }
        return market_math::pullAt(query_.firmScore, query_.range, d);
    }

private:
    std::size_t at(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_;
    const SiteQuery& query_;
    std::vector<std::uint8_t> ownShop_;
    std::vector<std::int32_t> customers_;
    std::vector<std::int8_t> dominant_;
    std::vector<std::int32_t> rivalPull_;
    std::vector<std::uint8_t> unclaimed_;
    std::array<std::int64_t, kRememberedPulls + 1> pulls_{};
};

template <typename Tiles>
std::int64_t valueOf(const MarketView& view, const Tiles& tiles, const SiteQuery& query, int x,
                     int y) {
    if (!view.buildable(x, y) || tiles.ownShop(x, y)) {
        return kNoSite;
    }
    const DistanceField* field = view.distanceField(x, y, query.range);
    if (field == nullptr) {
        return kNoSite;
    }
    std::int64_t won = 0;
    bool nearOwnShop = false;
    field->forTilesWithin(query.range, [&](int tx, int ty, int d) {
        // Too close to a shop of our own: the two would only share customers.
        if (nearOwnShop || (d <= kOwnShopExclusionDistance && tiles.ownShop(tx, ty))) {
            nearOwnShop = true;
            return;
        }
        // Tiles without customers add nothing; skip the costlier questions about them.
        const int customers = tiles.customers(tx, ty);
        if (customers <= 0) {
            return;
        }
        const int dominant = tiles.dominant(tx, ty);
        if (dominant == query.firm) {
            return;
        }
        bool counts = false;
        if (dominant >= 0) {
            const double rival = tiles.rivalPull(dominant, tx, ty);
            const auto ours = static_cast<double>(tiles.ourPull(d));
            counts = ours > kRivalMargin * rival;
        } else {
            counts = query.phase != 0 || tiles.unclaimed(tx, ty);
        }
        if (counts) {
            won += customers;
        }
    });
    if (nearOwnShop) {
        return kNoSite;
    }
    // The land price coefficient comes from the AI file and may be absurd: the rent cost is
    // already held at the int64 limits, and the difference is held there too.
    const std::int64_t rentCost = market_math::truncateToInt64(
        static_cast<double>(view.rentAt(x, y)) * query.landPriceCoefficient);
    std::int64_t value = 0;
    if (__builtin_sub_overflow(won, rentCost, &value)) {
        value = rentCost < 0 ? std::numeric_limits<std::int64_t>::max()
                             : std::numeric_limits<std::int64_t>::min();
    }
    return value < kMinimumSiteValue ? kNoSite : value;
}

}  // namespace

std::int64_t siteValue(const MarketView& view, const SiteQuery& query, int x, int y) {
    return valueOf(view, LiveTiles(view, query), query, x, y);
}

std::optional<Site> bestSite(const MarketView& view, const SiteQuery& query,
                             const std::function<int()>& draw) {
    const TileSnapshot tiles(view, query);
    std::int64_t best = 0;
    std::optional<Site> site;
    for (int y = 0; y < view.height(); ++y) {
        for (int x = 0; x < view.width(); ++x) {
            const int r = (draw ? draw() : rng::next()) % kSampleModulus;
            if (r > kSampleBelowOrAt) {
                continue;
            }
            const std::int64_t value = valueOf(view, tiles, query, x, y);
            if (value > best) {
                best = value;
                site = Site{x, y, value};
            }
        }
    }
    return site;
}

}  // namespace vellmora
