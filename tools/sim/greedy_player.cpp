#include "tools/sim/greedy_player.h"

#include <optional>

#include "data/result_codes.h"
#include "game/budget.h"
#include "game/competitor_ai.h"
#include "game/controller_table.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/firm_policy.h"
#include "game/game.h"
#include "game/loan_book.h"
#include "game/shop_list.h"
#include "game/site_value.h"
#include "game/town_map.h"

namespace vellmora::sim {

namespace {
constexpr int kCash = 1101;
// Cash above this many build outlays (plus one loan) is "ample" and pays back a loan.
constexpr Money kAmpleOutlays = 4;
}  // namespace

GreedyPlayer::GreedyPlayer(Game& game)
    : firm_(*game.player()), view_(makeTownMarketView(game.map())) {
    ControllerTable& table = *game.controllers();
    (void)readAiParams(table.aiFile(), params_);  // zeros where values are missing
    planner_ = std::make_unique<CompetitorAi>();
    // Loading reseeds the generator from the clock, as every firm's creation just did.
    (void)planner_->load(table.aiFile(), game.map(), table.controller(0), &table);
}

GreedyPlayer::~GreedyPlayer() = default;

void GreedyPlayer::play() {
    if (firm_.withdrawn()) {
        return;
    }
    setBudgets();
    setResearch();
    closeLosers();
    manageLoans();
    build();
}

Money GreedyPlayer::buildOutlay() const {
    return -firm_.finance().priceTable().value(TemplateGroup::BuildShop, kShopSize, kCash);
}

void GreedyPlayer::setBudgets() {
    for (int item = 0; item < kBudgetResearch; ++item) {
        (void)firm_.setBudgetLevel(item, kMiddleLevel);
    }
}

void GreedyPlayer::setResearch() {
    (void)firm_.setBudgetLevel(kBudgetResearch, planner_->chooseResearchLevel());
}

void GreedyPlayer::closeLosers() {
    const ShopList& shops = firm_.shops();
    for (int number : shops.activeNumbers()) {
        bool losing = true;
        for (int month = 1; month <= kLosingMonthsBeforeClosing && losing; ++month) {
            losing = shopResult(shops, number, month) < 0;
        }
        if (losing) {
            (void)firm_.close(number, false);
        }
    }
}

void GreedyPlayer::manageLoans() {
    const Finance& finance = firm_.finance();
    const Money outlay = buildOutlay();
    // Short: not enough to build the next shop on the player's own rule (twice the outlay).
    if (firm_.cash() < 2 * outlay) {
        if (firm_.canBorrow()) {
            (void)firm_.borrow();
        }
        return;
    }
    const Money ample = kAmpleOutlays * outlay + finance.priceTable().repaymentAmount();
    if (firm_.cash() <= ample) {
        return;
    }
    for (int slot = 0; slot < finance.loans().slotCount(); ++slot) {
        if (firm_.canRepay(slot)) {
            (void)firm_.repay(slot);
            return;
        }
    }
}

void GreedyPlayer::build() {
    if (view_ == nullptr) {
        return;
    }
    for (int attempt = 0; attempt < kBuildsPerMonth; ++attempt) {
        if (firm_.cash() < 2 * buildOutlay()) {
            return;
        }
        SiteQuery query;
        query.firm = firm_.index();
        query.firmScore = firm_.policy().firmScore();
        query.range = firm_.policy().shopRange(kShopSize);
        query.phase = kSitePhase;
        query.landPriceCoefficient = params_.landPriceCoefficient[kSitePhase];
        const std::optional<Site> site = bestSite(*view_, query);
        if (!site || firm_.build(site->x, site->y, kShopSize) < 0) {
            return;
        }
    }
}

}  // namespace vellmora::sim
