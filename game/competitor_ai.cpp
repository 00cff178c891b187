#include "game/competitor_ai.h"

#include <algorithm>

#include "data/result_codes.h"
#include "game/firm_policy.h"
#include "game/random.h"

namespace vellmora {
namespace {

constexpr int kResultAccount = 9101;
constexpr int kResearchAccount = 5303;
constexpr int kResearchItem = 4;
constexpr int kPlayerSlot = 0;
constexpr int kFirstRivalSlot = 1;
constexpr int kHighestLevel = 4;
constexpr int kPlannedItems = 4;  // price, ingredients, labour, training

}  // namespace

CompetitorAi::CompetitorAi() = default;
CompetitorAi::~CompetitorAi() = default;

int CompetitorAi::load(const ParamFile& file, std::unique_ptr<MarketView> view,
                       std::unique_ptr<AiFirm> firm) {
    view_ = std::move(view);
    firm_ = std::move(firm);
    phase_ = 0;
    systemCooldown_ = 0;
    const int result = readAiParams(file, params_);
    if (checkAiHeader(file) == kOk) {
        rng::reseedFromClock();
    }
    return result;
}

void CompetitorAi::attach(const AiParams& params, std::unique_ptr<MarketView> view,
                          std::unique_ptr<AiFirm> firm) {
    params_ = params;
    view_ = std::move(view);
    firm_ = std::move(firm);
    phase_ = 0;
    systemCooldown_ = 0;
}

int CompetitorAi::restoreState(int phase, std::int32_t systemCooldown) {
    if (phase < 0 || phase >= AiParams::kPhases || systemCooldown < 0 ||
        systemCooldown > kSystemCooldown) {
        return kRefused;
    }
    phase_ = phase;
    systemCooldown_ = systemCooldown;
    return kOk;
}

SiteQuery CompetitorAi::siteQuery() const {
    const FirmPolicy& policy = firm_->policy();
    SiteQuery query;
    query.firm = firm_->index();
    query.firmScore = policy.firmScore();
    query.range = policy.shopRange(params_.shopSize[phase_]);
    query.phase = phase_;
    query.landPriceCoefficient = params_.landPriceCoefficient[phase_];
    return query;
}

std::optional<Site> CompetitorAi::findSite() const {
    if (view_ == nullptr) {
        return std::nullopt;
    }
    return bestSite(*view_, siteQuery());
}

void CompetitorAi::updatePhase() {
    if (findSite().has_value()) {
        std::int64_t total = 0;
        std::int64_t unserved = 0;
        for (int y = 0; y < view_->height(); ++y) {
            for (int x = 0; x < view_->width(); ++x) {
                const int customers = std::max(0, view_->customers(x, y));
                total += customers;
                if (view_->servingShop(kPlayerSlot, x, y) == -1 &&
                    view_->servingShop(kFirstRivalSlot, x, y) == -1) {
                    unserved += customers;
                }
            }
        }
        // A town without customers has nothing free to expand into.
        if (total > 0 &&
            static_cast<double>(unserved) / static_cast<double>(total) > kFreeShareForExpansion) {
            phase_ = 0;
            return;
        }
    }

    phase_ = 2;
    FirmPolicy& policy = firm_->policy();
    const std::int64_t own = policy.firmScore();
    for (int slot = 0; slot < kFirmSlots; ++slot) {
        if (slot == firm_->index()) {
            continue;
        }
        const std::optional<std::int64_t> score = firm_->firmScoreOf(slot);
        if (score.has_value() && *score < own) {
            phase_ = 1;
        }
    }

    const int wanted = params_.system[phase_];
    if (systemCooldown_ == 0 && policy.currentSystem() != wanted &&
        policy.currentSystem() != FirmPolicy::kChangingSystem) {
        // The computer players change without the cost the player pays.
        (void)policy.changeSystem(wanted);
        systemCooldown_ = kSystemCooldown;
    }
}

void CompetitorAi::build() {
    const int size = params_.shopSize[phase_];
    for (int attempt = 0; attempt < kBuildAttempts; ++attempt) {
        const Money need = 2 * firm_->buildOutlay(size);
        if (firm_->cash() < need) {
            return;
        }
        if (const std::optional<Site> site = findSite()) {
            (void)firm_->build(site->x, site->y, size);  // a refused build is simply skipped
        }
    }
}

int CompetitorAi::chooseShopToClose() const {
    const int term = params_.closeTerm[phase_];
    if (term <= 0) {
        return -1;
    }
    int chosen = -1;
    Money lowest = 0;
    for (int shop = 0; shop < kShopSlots; ++shop) {
        if (!firm_->shopInUse(shop)) {
            continue;
        }
        Money total = 0;
        bool losing = true;
        for (int month = 1; month <= term && losing; ++month) {
            const Money profit = firm_->shopProfit(shop, month);
            losing = profit < 0;
            total += profit;
        }
        if (losing && (chosen == -1 || total < lowest)) {
            chosen = shop;
            lowest = total;
        }
    }
    return chosen;
}

void CompetitorAi::closeLosers() {
    for (int attempt = 0; attempt < kCloseAttempts; ++attempt) {
        const int shop = chooseShopToClose();
        if (shop >= 0) {
            (void)firm_->close(shop);
        }
    }
}

int CompetitorAi::chooseResearchLevel() const {
    const Money profit =
        firm_->lastReportValue(kResultAccount) + firm_->lastReportValue(kResearchAccount);
    if (profit <= 0 || firm_->cash() <= 0) {
        return 0;
    }
    const FirmPolicy& policy = firm_->policy();
    const double share = params_.researchProfitRate[phase_];
    int level = 0;
    Money cost = 0;
    for (; level <= kHighestLevel; ++level) {
        cost =
            firm_->projectResearch(policy.itemRateAt(kResearchItem, level, policy.currentSystem()));
        if (static_cast<double>(cost) / static_cast<double>(profit) >= share ||
            level == kHighestLevel) {
            break;
        }
    }
    return cost < profit ? level : std::max(0, level - 1);
}

int CompetitorAi::decide() {
    if (firm_ == nullptr || view_ == nullptr || !firm_->exists() || firm_->withdrawn()) {
        return kRefused;
    }
    updatePhase();
    build();
    closeLosers();
    (void)firm_->setBudgetLevel(kResearchItem, chooseResearchLevel());
    for (int item = 0; item < kPlannedItems; ++item) {
        // A level outside 0-4 from the file is refused and the old level stays.
        (void)firm_->setBudgetLevel(item, params_.budget[item][phase_]);
    }
    if (systemCooldown_ > 0) {
        --systemCooldown_;
    }
    return kOk;
}

}  // namespace vellmora
