#include "game/compensation.h"

#include <cmath>

#include "game/finance.h"

namespace vellmora {

double compensationFactor(Money row0Cash, Money row1Cash, double f) {
    if (row0Cash == 0 || std::isnan(f)) {
        return 1.0;
    }
    const double r0 = static_cast<double>(row0Cash);
    const double r1 = static_cast<double>(row1Cash);
    const double k = ((r1 - r0) * f + r0) / r0;
    // Written so that a NaN (an infinite f times a zero difference) also ends at 1.
    return k >= 1.0 ? k : 1.0;
}

void postCompensation(Finance& finance, CompensationKind kind, double f, int date) {
    const TemplateGroup group = kind == CompensationKind::Poisoning
                                    ? TemplateGroup::PoisoningCompensation
                                    : TemplateGroup::OverworkCompensation;
    const PriceTable& prices = finance.priceTable();
    const double k =
        compensationFactor(prices.value(group, 0, 1101), prices.value(group, 1, 1101), f);
    (void)finance.postTemplate(group, 0, date, k);
}

}  // namespace vellmora
