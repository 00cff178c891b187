// A shop's score and the monthly refresh of a firm's shops: score, reach and customers.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace vellmora {

class Market;
class Shop;
class ShopList;

// Ratings below this floor count as the floor in a shop's score.
inline constexpr int kMinimumShopRating = 5;

// r_k = firm rating k + the shop's rating modifier k, floored at 5; the score is r_0 * r_1 * r_2
// (held within 32 bits).
std::array<int, 3> shopRatings(const std::array<int, 3>& firmRatings, const Shop& shop);
int shopScore(const std::array<int, 3>& firmRatings, const Shop& shop);

// For every shop in use, in slot order: score it, refresh its reach with the score as base and
// store its customers. firmRatings are the policy's ratings 0-2 for this month.
void refreshShops(Market& market, ShopList& shops, const std::array<int, 3>& firmRatings,
                  std::span<const std::int32_t> customerGrid);

}  // namespace vellmora
