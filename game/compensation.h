// The compensation a firm pays after food poisoning or a death from overwork.
#pragma once

#include "game/money.h"

namespace vellmora {

class Finance;

enum class CompensationKind : int {
    Poisoning = 0,  // first "[settlement]" group
    Overwork = 1,   // second "[settlement]" group
};

// Factor for row 0 of a compensation group: ((r1 - r0) * f + r0) / r0 with r0 and r1 the cash
// values of rows 0 and 1, never below 1. A row 0 without a cash value, or a factor that is not a
// number, gives 1 (row 0 as it stands).
double compensationFactor(Money row0Cash, Money row1Cash, double f);

// Posts row 0 of the kind's group with compensationFactor(f) at `date`. An unbalanced row posts
// nothing.
void postCompensation(Finance& finance, CompensationKind kind, double f, int date);

}  // namespace vellmora
