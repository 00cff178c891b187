// The simulator's stand-in for a human player: builds on good sites while cash allows, keeps
// budgets in the middle, plans research like the computer players, borrows when short, repays
// when flush and closes shops that keep losing money.
#pragma once

#include <memory>

#include "game/ai_params.h"
#include "game/money.h"

namespace vellmora {
class CompetitorAi;
class Game;
class Firm;
class MarketView;
}  // namespace vellmora

namespace vellmora::sim {

class GreedyPlayer {
public:
    static constexpr int kShopSize = 1;  // medium
    static constexpr int kMiddleLevel = 2;
    static constexpr int kBuildsPerMonth = 3;
    static constexpr int kLosingMonthsBeforeClosing = 6;
    // The computer players' site value in phase 1 counts every tile the shop could win.
    static constexpr int kSitePhase = 1;

    explicit GreedyPlayer(Game& game);
    ~GreedyPlayer();
    GreedyPlayer(const GreedyPlayer&) = delete;
    GreedyPlayer& operator=(const GreedyPlayer&) = delete;

    // The player's commands for this month, made before the end of turn.
    void play();

private:
    Money buildOutlay() const;
    void setBudgets();
    void setResearch();
    void closeLosers();
    void build();
    void manageLoans();

    Firm& firm_;
    std::unique_ptr<MarketView> view_;
    AiParams params_;
    // A computer player's planner looking at the player's firm; it only plans research (its own
    // system changes would be free, so it never decides).
    std::unique_ptr<CompetitorAi> planner_;
};

}  // namespace vellmora::sim
