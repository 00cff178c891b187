// Management systems: their texts, the cost of a change and the player's change command.
#pragma once

#include "game/money.h"

namespace vellmora {

class Finance;
class FirmPolicy;
class ShopList;

inline constexpr int kManagementSystems = 4;     // 0-3 can be chosen
inline constexpr int kSystemChanging = 4;        // the state while a change runs
inline constexpr int kChangeTargetString = 121;  // "(目標：%s)"

// String ids: names 116-120 for systems 0-4, descriptions 112-115 and 122; -1 out of range.
int systemNameString(int system);
int systemDescriptionString(int system);

// Cost of a change in an account's column: minus (open shops * the "[changesystem]" row's value
// there). For 1101 this is the cash a change takes, shown as the cost; 0 for a code outside the
// 18 columns.
Money changeCost(const Finance& finance, const ShopList& shops, int code = 1101);
// Cash (1101) covers the change cost. A firm without shops always can.
bool canPayChange(const Finance& finance, const ShopList& shops);
// Posts the change row with factor = open shops; kRefused, nothing posted, when it cannot pay
// or the row does not balance.
[[nodiscard]] int postChangeCost(Finance& finance, const ShopList& shops, int date);

// The cash covers the cost and the policy would start a change to `target`.
bool canChangeSystem(const Finance& finance, const ShopList& shops, const FirmPolicy& policy,
                     int target);
// The player's change: kRefused with nothing posted unless canChangeSystem; otherwise posts the
// cost at `date` and starts the change in the policy, answering its result. The computer players
// start their changes on the policy directly and pay nothing.
[[nodiscard]] int changeSystem(Finance& finance, const ShopList& shops, FirmPolicy& policy,
                               int target, int date);

}  // namespace vellmora
