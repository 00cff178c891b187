// The monthly turn of a firm: shop refresh, settlement, accidents and the cash test.
#include <array>

#include "data/result_codes.h"
#include "game/budget.h"
#include "game/calendar.h"
#include "game/customer_allocation.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/firm_policy.h"
#include "game/random.h"
#include "game/settlement.h"
#include "game/shop_list.h"

namespace vellmora {

namespace {
constexpr int kPoisoningHere = 0;
constexpr int kOverworkHere = 2;
}  // namespace

void Firm::recordShopScores() {
    const std::array<int, 3> ratings = {policy_->rating(0), policy_->rating(1), policy_->rating(2)};
    for (int number : shops_->activeNumbers()) {
        Shop* shop = shops_->shop(number);
        const std::array<int, 3> r = shopRatings(ratings, *shop);
        shop->pushHistory(ShopSeries::Score, shopScore(ratings, *shop));
        shop->pushHistory(ShopSeries::PriceRating, r[0]);
        shop->pushHistory(ShopSeries::TasteRating, r[1]);
        shop->pushHistory(ShopSeries::ServiceRating, r[2]);
    }
}

TurnFlagSet Firm::drawAccidents() {
    const int date = calendar_->dateCode();
    if (policy_->poisoningChance() > rng::nextUnit()) {
        struckShop_ = shops_->pickRandomActive();
        if (struckShop_ >= 0) {
            (void)shops_->applyAccident(struckShop_, kPoisoningHere);
        }
        const double f = rng::next() * (1.0 / 32767.0);
        settlement_->compensatePoisoning(f, date);
        return TurnFlags::FoodPoisoning;
    }
    if (policy_->overworkChance() > rng::nextUnit()) {
        struckShop_ = shops_->pickRandomActive();
        if (struckShop_ >= 0) {
            (void)shops_->applyAccident(struckShop_, kOverworkHere);
        }
        double f = 0.0;
        switch (policy_->budgetLevel(kBudgetLabour)) {
            case 0:
                f = rng::next() * (1.0 / 65534.0) + 0.5;
                break;
            case 1:
                f = rng::next() * (1.0 / 65534.0);
                break;
            default:
                f = rng::next() * (1.0 / 131068.0);
                break;
        }
        settlement_->compensateOverwork(f, date);
        return TurnFlags::OverworkDeath;
    }
    return TurnFlags::None;
}

void Firm::withdraw() {
    withdrawn_ = true;
    withdrawnDate_ = calendar_->dateCode();
}

TurnFlagSet Firm::checkFunds() {
    TurnFlagSet flags = TurnFlags::None;
    if (finance_->cash() < 0) {
        if (!fundsWarning_) {
            fundsWarning_ = true;
            flags |= TurnFlags::CashExhausted;
        } else if (index_ == 0) {
            flags |= TurnFlags::Bankrupt | TurnFlags::GameOver;
        } else {
            for (int number : shops_->activeNumbers()) {
                (void)close(number, true);
            }
            withdraw();
            flags |= TurnFlags::CompetitorWithdrew;
        }
    } else {
        fundsWarning_ = false;
    }
    return flags;
}

TurnFlagSet Firm::monthlyTurn() {
    if (withdrawn_ || policy_ == nullptr) {
        return TurnFlags::None;
    }
    TurnFlagSet flags = TurnFlags::None;
    struckShop_ = -1;
    handFinanceBudget();
    refreshShops();
    recordShopScores();
    policy_->monthEnd();
    if (settlement_->settle(calendar_->dateCode(), calendar_->month() == 12) != 0) {
        flags |= TurnFlags::LoanRepaid;
    }
    shops_->monthEnd();
    flags |= drawAccidents();
    flags |= checkFunds();
    if (index_ != 0 && shops_->activeCount() == 0) {
        if (!withdrawn_) {
            withdraw();
        }
        flags |= TurnFlags::CompetitorWithdrew;
    }
    recordHistory();
    return flags;
}

void Firm::recordHistory() {
    FirmHistoryEntry entry;
    entry.date = calendar_->dateCode();
    entry.shops = shops_->activeCount();
    entry.cash = finance_->cash();
    entry.sales = settlement_->reportValue(account::kSales, 1);
    entry.result = settlement_->reportValue(account::kResult, 1);
    history_.record(entry);
}

}  // namespace vellmora
