#include "game/site_value.h"

#include <limits>

#include "game/distance_field.h"
#include "game/market_math.h"
#include "game/random.h"

namespace vellmora {
namespace {

constexpr int kOtherFirmSlots = 4;
constexpr double kRivalMargin = 1.5;
constexpr int kSampleModulus = 100;
constexpr int kSampleBelowOrAt = 20;

// No rival has built up any liking on the tile.
bool unclaimed(const MarketView& view, int firm, int x, int y) {
    for (int other = 0; other < kOtherFirmSlots; ++other) {
        if (other != firm && view.preference(other, x, y) > 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::int64_t siteValue(const MarketView& view, const SiteQuery& query, int x, int y) {
    if (!view.buildable(x, y) || view.shopAt(query.firm, x, y) != -1) {
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
        if (nearOwnShop ||
            (d <= kOwnShopExclusionDistance && view.shopAt(query.firm, tx, ty) != -1)) {
            nearOwnShop = true;
            return;
        }
        // Tiles without customers add nothing; skip the costlier questions about them.
        const int customers = view.customers(tx, ty);
        if (customers <= 0) {
            return;
        }
        const int dominant = view.dominantFirm(tx, ty);
        if (dominant == query.firm) {
            return;
        }
        bool counts = false;
        if (dominant >= 0) {
            const double rival = view.boostedAttraction(dominant, tx, ty);
            const auto ours =
                static_cast<double>(market_math::pullAt(query.firmScore, query.range, d));
            counts = ours > kRivalMargin * rival;
        } else {
            counts = query.phase != 0 || unclaimed(view, query.firm, tx, ty);
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

std::optional<Site> bestSite(const MarketView& view, const SiteQuery& query,
                             const std::function<int()>& draw) {
    std::int64_t best = 0;
    std::optional<Site> site;
    for (int y = 0; y < view.height(); ++y) {
        for (int x = 0; x < view.width(); ++x) {
            const int r = (draw ? draw() : rng::next()) % kSampleModulus;
            if (r > kSampleBelowOrAt) {
                continue;
            }
            const std::int64_t value = siteValue(view, query, x, y);
            if (value > best) {
                best = value;
                site = Site{x, y, value};
            }
        }
    }
    return site;
}

}  // namespace vellmora
