// The market's monthly movement of preference and draw, and who gets a tile's customers.
#include "data/result_codes.h"
#include "game/market.h"
#include "game/market_math.h"

namespace vellmora {

using market_math::truncateToInt;

void Market::monthlyUpdate() {
    for (auto& owned : reaches_) {
        if (!owned) {
            continue;
        }
        FirmReach& r = *owned;
        for (std::size_t i = 0; i < r.draw.size(); ++i) {
            const int target = market_math::boostedPull(r.preference[i], r.attraction[i]);
            if (r.draw[i] < target) {
                const auto gap = static_cast<std::int64_t>(target) - r.draw[i];
                r.draw[i] = truncateToInt(target - static_cast<double>(gap) * 0.75);
            }
            const std::int64_t moved =
                static_cast<std::int64_t>(r.preference[i]) + r.nearbyShops[i];
            r.preference[i] = static_cast<std::int32_t>(
                moved < 0 ? 0 : (moved > kMaxPreference ? kMaxPreference : moved));
        }
    }
}

int Market::dominantFirm(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return -1;
    }
    const auto tile = static_cast<std::size_t>(y * width_ + x);
    int best = -1;
    std::int32_t bestDraw = 0;
    for (int firm = 0; firm < slotCount(); ++firm) {
        const FirmReach* r = reaches_[static_cast<std::size_t>(firm)].get();
        if (r == nullptr) {
            continue;
        }
        if (best < 0 || r->draw[tile] > bestDraw) {
            best = firm;
            bestDraw = r->draw[tile];
        }
    }
    return bestDraw <= 0 ? -1 : best;
}

std::vector<int> Market::countCustomersByShop(int firm, int shopSlots,
                                              std::span<const std::int32_t> customerGrid) const {
    const FirmReach* r = reach(firm);
    const auto tiles = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    if (r == nullptr || shopSlots < 0 || customerGrid.size() != tiles) {
        return {};
    }
    std::vector<std::int64_t> sums(static_cast<std::size_t>(shopSlots), 0);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const auto i = static_cast<std::size_t>(y * width_ + x);
            const std::int32_t shop = r->servingShop[i];
            if (shop < 0 || shop >= shopSlots || customerGrid[i] <= 0 ||
                dominantFirm(x, y) != firm) {
                continue;
            }
            sums[static_cast<std::size_t>(shop)] += customerGrid[i];
        }
    }
    std::vector<int> counts(sums.size());
    for (std::size_t n = 0; n < sums.size(); ++n) {
        counts[n] = market_math::clampToInt(sums[n]);
    }
    return counts;
}

int Market::countCustomers(int firm, int shopNumber,
                           std::span<const std::int32_t> customerGrid) const {
    const FirmReach* r = reach(firm);
    const auto tiles = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    if (r == nullptr || shopNumber < 0 || customerGrid.size() != tiles) {
        return kRefused;
    }
    std::int64_t sum = 0;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const auto i = static_cast<std::size_t>(y * width_ + x);
            if (r->servingShop[i] == shopNumber && customerGrid[i] > 0 &&
                dominantFirm(x, y) == firm) {
                sum += customerGrid[i];
            }
        }
    }
    return market_math::clampToInt(sum);
}

std::array<double, Market::kFirmSlots> Market::drawShares(int x, int y) const {
    std::array<double, kFirmSlots> shares{};
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return shares;
    }
    const auto tile = static_cast<std::size_t>(y * width_ + x);
    double total = 0.0;
    for (int firm = 0; firm < kFirmSlots && firm < slotCount(); ++firm) {
        if (const FirmReach* r = reaches_[static_cast<std::size_t>(firm)].get()) {
            total += r->draw[tile];
        }
    }
    if (total == 0.0) {
        return shares;
    }
    for (int firm = 0; firm < kFirmSlots && firm < slotCount(); ++firm) {
        if (const FirmReach* r = reaches_[static_cast<std::size_t>(firm)].get()) {
            shares[static_cast<std::size_t>(firm)] = r->draw[tile] / total;
        }
    }
    return shares;
}

}  // namespace vellmora
