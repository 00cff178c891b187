// The computer player's links to the game's objects: the town map with its market, and the firm
// reached through the player's controller.
#include <optional>

#include "data/result_codes.h"
#include "game/competitor_ai.h"
#include "game/controller_table.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/firm_controller.h"
#include "game/firm_policy.h"
#include "game/price_table.h"
#include "game/projection.h"
#include "game/settlement.h"
#include "game/shop_list.h"
#include "game/town_map.h"

namespace vellmora {
namespace {

class TownMarketView final : public MarketView {
public:
    explicit TownMarketView(const TownMap& map) : map_(map) {}

    int width() const override { return map_.width(); }
    int height() const override { return map_.height(); }
    bool buildable(int x, int y) const override { return map_.buildable(x, y); }
    const DistanceField* distanceField(int x, int y, int limit) const override {
        return map_.routeGraph().field(x, y, limit);
    }
    int customers(int x, int y) const override { return map_.customers(x, y); }
    int rentAt(int x, int y) const override { return map_.rentAt(x, y); }
    int shopAt(int firm, int x, int y) const override { return map_.market().shopAt(firm, x, y); }
    int servingShop(int firm, int x, int y) const override {
        return map_.market().servingShop(firm, x, y);
    }
    int preference(int firm, int x, int y) const override {
        return map_.market().preference(firm, x, y);
    }
    int boostedAttraction(int firm, int x, int y) const override {
        return map_.market().boostedAttraction(firm, x, y);
    }
    int dominantFirm(int x, int y) const override { return map_.market().dominantFirm(x, y); }

private:
    const TownMap& map_;
};

// The firm is looked up through the controller at every use: the controller is linked to its
// firm only after the computer player has been loaded.
class ControlledFirm final : public AiFirm {
public:
    ControlledFirm(FirmController& controller, ControllerTable* table)
        : controller_(controller), table_(table) {}

    bool exists() const override { return controller_.firm() != nullptr; }
    int index() const override { return firm().index(); }
    bool withdrawn() const override { return firm().withdrawn(); }
    FirmPolicy& policy() override { return firm().policy(); }
    const FirmPolicy& policy() const override { return firm().policy(); }
    Money cash() const override { return firm().cash(); }
    Money buildOutlay(int size) const override {
        return -firm().finance().priceTable().value(TemplateGroup::BuildShop, size, account::kCash);
    }
    int build(int x, int y, int size) override { return firm().build(x, y, size); }
    int close(int shop) override { return firm().close(shop, false); }
    int setBudgetLevel(int item, int level) override { return firm().setBudgetLevel(item, level); }
    bool shopInUse(int shop) const override { return firm().shops().inUse(shop); }
    Money shopProfit(int shop, int monthsBack) const override {
        return firm().shops().profit(shop, -monthsBack);
    }
    Money lastReportValue(int code) const override {
        return firm().settlement().reportValue(code, 1);
    }
    Money projectResearch(double factor) const override {
        return project(firm().finance(), firm().shops(), account::kResearch, factor);
    }
    std::optional<std::int64_t> firmScoreOf(int slot) const override {
        const FirmController* controller = table_ != nullptr ? table_->controller(slot) : nullptr;
        const Firm* other = controller != nullptr ? controller->firm() : nullptr;
        if (other == nullptr) {
            return std::nullopt;
        }
        return other->policy().firmScore();
    }

private:
    Firm& firm() const { return *controller_.firm(); }

    FirmController& controller_;
    ControllerTable* table_;
};

}  // namespace

std::unique_ptr<MarketView> makeTownMarketView(const TownMap* map) {
    if (map == nullptr) {
        return nullptr;
    }
    return std::make_unique<TownMarketView>(*map);
}

int CompetitorAi::load(const ParamFile& file, TownMap* map, FirmController* controller,
                       ControllerTable* table) {
    std::unique_ptr<AiFirm> firm;
    if (controller != nullptr) {
        firm = std::make_unique<ControlledFirm>(*controller, table);
    }
    return load(file, makeTownMarketView(map), std::move(firm));
}

}  // namespace vellmora
