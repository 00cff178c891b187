#include "game/management_system.h"

#include "data/result_codes.h"
#include "game/finance.h"
#include "game/firm_policy.h"
#include "game/money_convert.h"
#include "game/shop_list.h"

namespace vellmora {

namespace {

// A firm without shops changes for free, so even negative cash pays for it.
bool payable(const Finance& finance, const ShopList& shops) {
    return shops.activeCount() == 0 || finance.cash() >= changeCost(finance, shops, 1101);
}

}  // namespace

int systemNameString(int system) {
    if (system < 0 || system > kSystemChanging) {
        return -1;
    }
    return 116 + system;
}

int systemDescriptionString(int system) {
    if (system < 0 || system > kSystemChanging) {
        return -1;
    }
    return system == kSystemChanging ? 122 : 112 + system;
}

Money changeCost(const Finance& finance, const ShopList& shops, int code) {
    const int column = columnOf(code);
    const PostingTemplate* row = finance.priceTable().row(TemplateGroup::ChangeSystem, 0);
    if (column < 0 || row == nullptr) {
        return 0;
    }
    const Money value = clampMoney((*row)[static_cast<std::size_t>(column)]);
    return clampMoney(-(static_cast<Money>(shops.activeCount()) * value));
}

bool canPayChange(const Finance& finance, const ShopList& shops) {
    return payable(finance, shops);
}

int postChangeCost(Finance& finance, const ShopList& shops, int date) {
    if (!payable(finance, shops)) {
        return kRefused;
    }
    const int open = shops.activeCount();
    if (open == 0) {
        return kOk;  // a firm without shops changes for free
    }
    const auto posted =
        finance.postTemplate(TemplateGroup::ChangeSystem, 0, date, static_cast<double>(open));
    return posted ? kOk : kRefused;
}

bool canChangeSystem(const Finance& finance, const ShopList& shops, const FirmPolicy& policy,
                     int target) {
    return payable(finance, shops) && policy.canChangeSystem(target);
}

int changeSystem(Finance& finance, const ShopList& shops, FirmPolicy& policy, int target,
                 int date) {
    // The policy is asked before anything is paid, so a refused change costs nothing.
    if (!canChangeSystem(finance, shops, policy, target)) {
        return kRefused;
    }
    // A change row that does not balance posts nothing; the change still goes ahead.
    (void)postChangeCost(finance, shops, date);
    return policy.changeSystem(target);
}

}  // namespace vellmora
