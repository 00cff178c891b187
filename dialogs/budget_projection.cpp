#include "dialogs/budget_projection.h"

#include "game/budget.h"
#include "game/finance.h"
#include "game/firm_policy.h"
#include "game/projection.h"

namespace vellmora {

Money BudgetProjection::ordinaryResult() const {
    return items[0] - items[1] - items[2] - items[3] - items[4] - interestPaid - rent -
           administration + interestReceived;
}

Money projectItem(const FirmPolicy& policy, const Finance& finance, const ShopList& shops, int item,
                  int level) {
    const int code = budgetItemAccount(item);
    if (item == kBudgetPrice) {
        return project(finance, shops, code, level);
    }
    return project(finance, shops, code, policy.itemRateAt(item, level, policy.currentSystem()));
}

void projectFixedLines(const FirmPolicy& policy, const Finance& finance, const ShopList& shops,
                       BudgetProjection& projection) {
    projection.interestPaid = project(finance, shops, account::kInterestPaid);
    projection.interestReceived = project(finance, shops, account::kInterestReceived);
    projection.rent = project(finance, shops, account::kRent, policy.itemRate(kBudgetRent));
    projection.administration =
        project(finance, shops, account::kAdministration, policy.itemRate(kBudgetAdministration));
}

}  // namespace vellmora
