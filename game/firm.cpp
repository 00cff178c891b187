#include "game/firm.h"

#include <array>

#include "data/result_codes.h"
#include "data/text_encoding.h"
#include "game/account_chart.h"
#include "game/budget.h"
#include "game/calendar.h"
#include "game/customer_allocation.h"
#include "game/finance.h"
#include "game/firm_policy.h"
#include "game/loan_book.h"
#include "game/management_system.h"
#include "game/market.h"
#include "game/random.h"
#include "game/route_graph.h"
#include "game/settlement.h"
#include "game/shop_list.h"
#include "game/town_map.h"

namespace vellmora {

namespace {
// Picture of a shop: 80000 + 100 * firm + size; each firm's shops sit on display layer 6 - firm.
constexpr int kShopPictureBase = 80000;
constexpr int kShopLayerTop = 6;
constexpr int kShopOpeningLayer = 2;
}  // namespace

Firm::Firm() = default;
Firm::~Firm() = default;

void Firm::release() {
    settlement_.reset();
    finance_.reset();
    shops_.reset();
    policy_.reset();
}

int Firm::initialise(const FirmSetup& setup) {
    release();
    index_ = setup.index;
    fundsWarning_ = false;
    withdrawn_ = false;
    withdrawnDate_ = 0;
    struckShop_ = -1;
    history_.clear();
    name_ = cutCp932(setup.name, kMaxCompanyNameBytes);
    calendar_ = setup.calendar;
    map_ = setup.map;
    if (calendar_ == nullptr || map_ == nullptr || setup.chart == nullptr) {
        return kRefused;
    }

    shops_ = std::make_unique<ShopList>(index_);
    policy_ = std::make_unique<FirmPolicy>();
    if (policy_->load(std::string(setup.ratePath)) != kOk ||
        policy_->setDifficulty(setup.difficulty) != kOk ||
        policy_->setBudgetLevel(kBudgetResearch, 0) != kOk) {
        release();
        return kRefused;
    }
    ShopTables tables;
    tables.sizes = policy_->rates().shopSizes;
    tables.accidents = policy_->rates().accidents;
    shops_->setTables(tables);

    finance_ = std::make_unique<Finance>();
    if (finance_->initialise(*setup.chart) != kOk ||
        finance_->loadPriceTable(std::string(setup.pricePath)) != kOk) {
        release();
        return kRefused;
    }
    settlement_ = std::make_unique<Settlement>(*finance_, *shops_);
    if (!setup.inactive &&
        settlement_->postFoundingCapital(setup.difficulty, calendar_->dateCode()) != kOk) {
        release();
        return kRefused;
    }
    // A reach left in the slot by an earlier firm is reused; only a missing market refuses.
    Market& market = map_->market();
    if (!market.hasReach(index_) && market.createReach(index_) != kOk) {
        release();
        return kRefused;
    }
    handFinanceBudget();
    rng::reseedFromClock();
    if (setup.inactive) {
        withdrawn_ = true;
    }
    return kOk;
}

void Firm::handFinanceBudget() {
    (void)finance_->setPriceLevel(policy_->budgetLevel(kBudgetPrice));
    for (int item = 0; item < kBudgetItems; ++item) {
        finance_->setMultiplierFor(budgetItemAccount(item), policy_->itemRate(item));
    }
}

void Firm::refreshShops() {
    const std::array<int, 3> ratings = {policy_->rating(0), policy_->rating(1), policy_->rating(2)};
    vellmora::refreshShops(map_->market(), *shops_, ratings, map_->customerGrid());
}

void Firm::drawPicture(int x, int y, int buildingId) {
    if (const BuildingDef* def = map_->buildings().find(buildingId); def != nullptr) {
        map_->drawBuilding(x, y, *def);
    }
}

int Firm::checkBuild(int x, int y, int size) const {
    if (policy_ == nullptr || withdrawn_) {
        return kRefused;
    }
    if (!shops_->canCreate(x, y, size) || !settlement_->canBuild(size) || !map_->buildable(x, y)) {
        return kRefused;
    }
    // A shop on a tile nobody can walk to would cost money and serve no one.
    if (!map_->routeGraph().hasField(x, y) || !map_->market().hasReach(index_)) {
        return kRefused;
    }
    return kOk;
}

bool Firm::canBuild(int x, int y, int size) const {
    return checkBuild(x, y, size) == kOk;
}

int Firm::build(int x, int y, int size) {
    if (checkBuild(x, y, size) != kOk) {
        return kRefused;
    }
    const int rent = map_->rentAt(x, y);
    const int number = shops_->create(x, y, size, rent);
    if (number < 0) {
        return kRefused;
    }
    // The checks above leave the reach nothing to refuse; should it still refuse, the shop goes
    // again before any money moves.
    if (map_->market().openShop(index_, x, y, 0, number, shops_->range(number)) != kOk) {
        (void)shops_->remove(number);
        return kRefused;
    }
    (void)settlement_->postBuildingCost(size, calendar_->dateCode());
    (void)policy_->addShops(1);
    map_->clearChip(x, y, kShopOpeningLayer);
    drawPicture(x, y, kShopPictureBase + 100 * index_ + size);
    refreshShops();
    return number;
}

int Firm::checkClose(int shop, bool force) const {
    if (policy_ == nullptr || (withdrawn_ && !force) || !shops_->inUse(shop)) {
        return kRefused;
    }
    if (!map_->market().hasShopAt(index_, shops_->x(shop), shops_->y(shop))) {
        return kRefused;
    }
    return kOk;
}

bool Firm::canClose(int shop, bool force) const {
    return checkClose(shop, force) == kOk;
}

int Firm::close(int shop, bool force) {
    if (checkClose(shop, force) != kOk) {
        return kRefused;
    }
    const int x = shops_->x(shop);
    const int y = shops_->y(shop);
    const int size = shops_->size(shop);
    (void)policy_->addShops(-1);
    Market& market = map_->market();
    (void)market.closeShopAt(index_, x, y);
    map_->clearChip(x, y, kShopLayerTop - index_);
    bool anyShopLeft = false;
    for (int firm = 0; firm < market.slotCount(); ++firm) {
        anyShopLeft = anyShopLeft || market.hasShopAt(firm, x, y);
    }
    if (!anyShopLeft) {
        drawPicture(x, y, map_->buildingId(x, y));
    }
    (void)shops_->remove(shop);
    (void)settlement_->postClosingCost(size, calendar_->dateCode());
    return kOk;
}

bool Firm::canChangeSystem(int target) const {
    return policy_ != nullptr && vellmora::canChangeSystem(*finance_, *shops_, *policy_, target);
}

int Firm::changeSystem(int target) {
    if (policy_ == nullptr) {
        return kRefused;
    }
    return vellmora::changeSystem(*finance_, *shops_, *policy_, target, calendar_->dateCode());
}

int Firm::setBudgetLevel(int item, int level) {
    if (policy_ == nullptr) {
        return kRefused;
    }
    return policy_->setBudgetLevel(item, level);
}

int Firm::dueDate() const {
    return Calendar::dateCodeOf(calendar_->year(), calendar_->month() + kLoanTermMonths);
}

bool Firm::canBorrow() const {
    return finance_ != nullptr && finance_->canBorrow(difficulty());
}

int Firm::borrow() {
    if (finance_ == nullptr) {
        return kRefused;
    }
    return finance_->borrow(difficulty(), calendar_->dateCode(), dueDate());
}

bool Firm::canRepay(int loan) const {
    return finance_ != nullptr && finance_->canRepay(loan, false);
}

int Firm::repay(int loan) {
    if (finance_ == nullptr) {
        return kRefused;
    }
    return finance_->repay(loan, calendar_->dateCode(), false);
}

int Firm::rollover() {
    if (finance_ == nullptr) {
        return kRefused;
    }
    return finance_->refinance(difficulty(), calendar_->dateCode(), dueDate());
}

int Firm::difficulty() const {
    return policy_ != nullptr ? policy_->difficulty() : -1;
}

Money Firm::cash() const {
    return finance_ != nullptr ? finance_->cash() : 0;
}

Money Firm::balance(int accountCode) const {
    return finance_ != nullptr ? finance_->balance(accountCode) : 0;
}

std::int64_t Firm::customers() const {
    std::int64_t total = 0;
    if (shops_ != nullptr) {
        for (int number : shops_->activeNumbers()) {
            total += shops_->customers(number);
        }
    }
    return total;
}

int Firm::shopCount() const {
    return shops_ != nullptr ? shops_->activeCount() : 0;
}

}  // namespace vellmora
