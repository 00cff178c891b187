// A computer company's decisions: phase, management system, building, closing and budgets.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "game/ai_params.h"
#include "game/money.h"
#include "game/site_value.h"

namespace vellmora {

class ControllerTable;
class FirmController;
class FirmPolicy;
class ParamFile;
class TownMap;

// The firm operations and figures a computer player uses: the same operations as the player's.
class AiFirm {
public:
    virtual ~AiFirm() = default;
    virtual bool exists() const = 0;  // false until the controller is linked to its firm
    virtual int index() const = 0;
    virtual bool withdrawn() const = 0;
    virtual FirmPolicy& policy() = 0;
    virtual const FirmPolicy& policy() const = 0;
    virtual Money cash() const = 0;                 // balance of 1101
    virtual Money buildOutlay(int size) const = 0;  // minus the 1101 value of "[buildshop]"
    [[nodiscard]] virtual int build(int x, int y, int size) = 0;
    [[nodiscard]] virtual int close(int shop) = 0;  // an ordinary close, not forced
    [[nodiscard]] virtual int setBudgetLevel(int item, int level) = 0;
    virtual bool shopInUse(int shop) const = 0;
    virtual Money shopProfit(int shop, int monthsBack) const = 0;  // 1 = latest month
    // Value of an account in the latest monthly report (0 before the first).
    virtual Money lastReportValue(int account) const = 0;
    virtual Money projectResearch(double factor) const = 0;  // projection of 5303
    // firmScore of any firm slot, withdrawn or not; nullopt for an empty slot.
    virtual std::optional<std::int64_t> firmScoreOf(int slot) const = 0;
};

class CompetitorAi {
public:
    static constexpr int kFirmSlots = 4;
    static constexpr int kShopSlots = 256;
    static constexpr int kBuildAttempts = 3;
    static constexpr int kCloseAttempts = 3;
    static constexpr int kSystemCooldown = 21;
    static constexpr double kFreeShareForExpansion = 0.3;

    CompetitorAi();
    ~CompetitorAi();
    CompetitorAi(const CompetitorAi&) = delete;
    CompetitorAi& operator=(const CompetitorAi&) = delete;

    // Links the game's objects, resets phase and cooldown, reads the parameters and reseeds the
    // shared random generator from the clock. 0, or kRefused for a bad header or a missing cell.
    [[nodiscard]] int load(const ParamFile& file, TownMap* map, FirmController* controller,
                           ControllerTable* table);
    // The same over any market view and firm (fixtures, tools).
    [[nodiscard]] int load(const ParamFile& file, std::unique_ptr<MarketView> view,
                           std::unique_ptr<AiFirm> firm);
    // Parameters set directly, without a file; phase and cooldown reset.
    void attach(const AiParams& params, std::unique_ptr<MarketView> view,
                std::unique_ptr<AiFirm> firm);

    // One month's decisions; kRefused when the firm has withdrawn (nothing happens).
    [[nodiscard]] int decide();

    // The steps of a decision, usable one by one.
    void updatePhase();
    std::optional<Site> findSite() const;
    int chooseShopToClose() const;  // -1 when none
    int chooseResearchLevel() const;
    SiteQuery siteQuery() const;

    int phase() const { return phase_; }
    std::int32_t systemCooldown() const { return systemCooldown_; }
    // Puts back a saved phase (0-2) and cooldown (0 to kSystemCooldown); kRefused otherwise.
    [[nodiscard]] int restoreState(int phase, std::int32_t systemCooldown);
    const AiParams& params() const { return params_; }

private:
    void build();
    void closeLosers();

    AiParams params_;
    std::unique_ptr<MarketView> view_;
    std::unique_ptr<AiFirm> firm_;
    int phase_ = 0;
    std::int32_t systemCooldown_ = 0;
};

}  // namespace vellmora
