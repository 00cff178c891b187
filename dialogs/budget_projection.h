// The monthly figures the budget dialog shows for a set of slider levels: each line's
// projection and the ordinary result they add up to.
#pragma once

#include <array>

#include "game/money.h"

namespace vellmora {

class Finance;
class FirmPolicy;
class ShopList;

inline constexpr int kBudgetSliders = 5;  // items 0 to 4

struct BudgetProjection {
    // Sales, ingredients, labour, training, research and development at the sliders' levels.
    std::array<Money, kBudgetSliders> items{};
    Money interestPaid = 0;
    Money rent = 0;
    Money administration = 0;
    Money interestReceived = 0;

    // Sales less every cost and interest paid, plus interest received.
    Money ordinaryResult() const;
};

// The projection of one slider item at `level`, under the policy's current system.
Money projectItem(const FirmPolicy& policy, const Finance& finance, const ShopList& shops, int item,
                  int level);
// Interest, rent and administration: the lines without a slider.
void projectFixedLines(const FirmPolicy& policy, const Finance& finance, const ShopList& shops,
                       BudgetProjection& projection);

}  // namespace vellmora
