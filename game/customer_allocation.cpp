#include "game/customer_allocation.h"

#include <limits>

#include "game/market.h"
#include "game/market_math.h"
#include "game/shop_list.h"

namespace vellmora {

std::array<int, 3> shopRatings(const std::array<int, 3>& firmRatings, const Shop& shop) {
    std::array<int, 3> ratings{};
    for (int k = 0; k < 3; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const int rating = market_math::clampToInt(static_cast<std::int64_t>(firmRatings[i]) +
                                                   shop.ratingModifier(k));
        ratings[i] = rating < kMinimumShopRating ? kMinimumShopRating : rating;
    }
    return ratings;
}

int shopScore(const std::array<int, 3>& firmRatings, const Shop& shop) {
    const std::array<int, 3> r = shopRatings(firmRatings, shop);
    // Every factor is at least 5, so the product only needs holding at the top.
    std::int64_t score = r[0];
    for (std::size_t k = 1; k < 3 && score <= std::numeric_limits<int>::max(); ++k) {
        score *= r[k];
    }
    return market_math::clampToInt(score);
}

void refreshShops(Market& market, ShopList& shops, const std::array<int, 3>& firmRatings,
                  std::span<const std::int32_t> customerGrid) {
    const std::vector<int> numbers = shops.activeNumbers();
    for (int n : numbers) {
        const Shop& shop = *shops.shop(n);
        (void)market.refreshShop(shops.firm(), shop.x(), shop.y(), shopScore(firmRatings, shop),
                                 shop.range());
    }
    // Counted once every shop has its tiles: a tile freed by a closed shop can be claimed by one
    // shop and then by a nearer one in the same pass, and must count only for the last.
    const std::vector<int> counts =
        market.countCustomersByShop(shops.firm(), ShopList::kSlots, customerGrid);
    for (int n : numbers) {
        shops.shop(n)->setCustomers(counts.empty() ? 0 : counts[static_cast<std::size_t>(n)]);
    }
}

}  // namespace vellmora
