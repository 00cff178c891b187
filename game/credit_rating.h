// Credit rating 0 ("AAA") to 9 ("D"), or 10 when the firm may not borrow.
#pragma once

#include "game/money.h"

namespace vellmora {

inline constexpr int kNoCreditRating = 10;
inline constexpr int kRatingCount = 10;  // ratings with a loan rate: 0 to 9

// Statement groups summed by the rating.
inline constexpr int kDebtGroup = 201;
inline constexpr int kEquityGroup = 251;
inline constexpr int kRetainedGroup = 261;

// Rating from balance-sheet figures: equity E = group 261 + group 251, retained R = group 261,
// debt L = group 201 + one loan unit; ratio = L / (E * factor) in double precision.
//   E < 0: 10.  E * factor <= 0 (ratio infinite or undefined): 10.
//   ratio <= 0.5: 0;  ratio >= 1.1 or R < 0: 10;  ratio >= 0.95: 9;
//   otherwise the integer part of (ratio - 0.5) * 20 (1 from 0.55, ..., 8 from 0.9).
int rateCredit(Money equity, Money retained, Money debt, double factor);

}  // namespace vellmora
