// Money is whole currency units. Balances and sums are kept in 64 bits so that no
// account, cash figure or total can wrap around in a long or extreme game.
#pragma once

#include <cstdint>

namespace vellmora {

using Money = std::int64_t;

}  // namespace vellmora
