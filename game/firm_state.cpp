// A firm's part of a game file: its flags, policy, shops, finance, monthly reports and month-end
// history.
#include <limits>

#include "data/byte_stream.h"
#include "data/result_codes.h"
#include "data/text_encoding.h"
#include "game/calendar.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/firm_history.h"
#include "game/firm_policy.h"
#include "game/market.h"
#include "game/money_convert.h"
#include "game/monthly_report.h"
#include "game/settlement.h"
#include "game/shop_list.h"
#include "game/town_map.h"

namespace vellmora {

namespace {

constexpr std::int64_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();
// Slot, position, size, rent, four timers, suspension, customers and the series counts.
constexpr std::size_t kShopBytes = 10 + kShopSeriesCount;
// Date, shops, cash, sales and result.
constexpr std::size_t kHistoryEntryBytes = 5;
// One entry a month up to year 100000, the latest a game file can reach.
constexpr std::size_t kMaxHistoryMonths = 12 * 100000;

}  // namespace

void FirmPolicy::saveState(ByteWriter& out) const {
    out.integer(difficulty_);
    out.integer(currentSystem_);
    out.integer(targetSystem_);
    out.integer(monthsLeft_);
    for (const int level : levels_) {
        out.integer(level);
    }
    out.integer(shopCount_);
    out.integer(lastShopCount_);
    out.integer(researchPoints_);
    out.real(factor_);
}

int FirmPolicy::loadState(ByteReader& in) {
    int difficulty = 0;
    int current = 0;
    int target = 0;
    int monthsLeft = 0;
    std::array<int, RateTable::kItems> levels{};
    int shops = 0;
    int lastShops = 0;
    int research = 0;
    double factor = 0.0;
    if (!in.integerIn(0, RateTable::kDifficulties - 1, difficulty) ||
        !in.integerIn(0, kChangingSystem, current) || !in.integerIn(0, kChangingSystem, target) ||
        !in.integerIn(0, kIntMax, monthsLeft)) {
        return kRefused;
    }
    for (int& level : levels) {
        if (!in.integerIn(0, RateTable::kLevels - 1, level)) {
            return kRefused;
        }
    }
    if (!in.integerIn(0, kFirmShopSlots, shops) || !in.integerIn(0, kFirmShopSlots, lastShops) ||
        !in.integerIn(0, kIntMax, research) || !in.real(factor)) {
        return kRefused;
    }
    // While a change runs the current system reads 4 and the target is a real system; otherwise
    // no target is set.
    const bool changing = monthsLeft > 0;
    if (changing != (current == kChangingSystem) || changing != (target != kChangingSystem)) {
        in.fail();
        return kRefused;
    }
    difficulty_ = difficulty;
    currentSystem_ = current;
    targetSystem_ = target;
    monthsLeft_ = monthsLeft;
    levels_ = levels;
    shopCount_ = shops;
    lastShopCount_ = lastShops;
    researchPoints_ = research;
    factor_ = factor;
    return kOk;
}

void ShopList::saveState(ByteWriter& out) const {
    out.varint(static_cast<std::uint64_t>(activeCount()));
    for (const auto& shop : slots_) {
        if (!shop) {
            continue;
        }
        out.integer(shop->number());
        out.integer(shop->x());
        out.integer(shop->y());
        out.integer(shop->size());
        out.integer(shop->rent());
        for (int kind = 0; kind < Shop::kAccidentKinds; ++kind) {
            out.integer(shop->accidentTimer(kind));
        }
        out.integer(shop->suspension());
        out.integer(shop->storedCustomers());
        for (int series = 0; series < kShopSeriesCount; ++series) {
            const auto which = static_cast<ShopSeries>(series);
            const int size = shop->historySize(which);
            out.varint(static_cast<std::uint64_t>(size));
            for (int back = size; back >= 1; --back) {
                out.integer(shop->history(which, -back));
            }
        }
    }
}

int ShopList::loadState(ByteReader& in) {
    std::size_t count = 0;
    if (activeCount() != 0 || !in.count(count, kSlots, kShopBytes)) {
        return kRefused;
    }
    auto refuse = [this, &in] {
        in.fail();
        for (auto& slot : slots_) {
            slot.reset();
        }
        return kRefused;
    };
    for (std::size_t i = 0; i < count; ++i) {
        int number = 0;
        int x = 0;
        int y = 0;
        int size = 0;
        int rent = 0;
        std::array<int, Shop::kAccidentKinds> timers{};
        int suspension = 0;
        int customers = 0;
        if (!in.integerIn(0, kSlots - 1, number) || !in.integerIn(0, kIntMax, x) ||
            !in.integerIn(0, kIntMax, y) || !in.integerIn(0, RateTable::kSizes - 1, size) ||
            !in.integerIn(kIntMin, kIntMax, rent)) {
            return refuse();
        }
        for (int& timer : timers) {
            if (!in.integerIn(0, kIntMax, timer)) {
                return refuse();
            }
        }
        if (!in.integerIn(0, kIntMax, suspension) || !in.integerIn(0, kIntMax, customers) ||
            inUse(number) || findAt(x, y) >= 0) {
            return refuse();
        }
        auto shop = std::make_unique<Shop>(*this, tables_, firm_, number, x, y, size, rent);
        shop->restoreCounters(timers, suspension);
        shop->setCustomers(customers);
        for (int series = 0; series < kShopSeriesCount; ++series) {
            std::size_t values = 0;
            if (!in.count(values, MonthlySeries::kCapacity)) {
                return refuse();
            }
            for (std::size_t v = 0; v < values; ++v) {
                Money value = 0;
                if (!in.integerIn(-kMoneyLimit, kMoneyLimit, value)) {
                    return refuse();
                }
                shop->pushHistory(static_cast<ShopSeries>(series), value);
            }
        }
        slots_[static_cast<std::size_t>(number)] = std::move(shop);
    }
    return kOk;
}

void FirmHistory::saveState(ByteWriter& out) const {
    out.varint(entries_.size());
    for (const FirmHistoryEntry& entry : entries_) {
        out.integer(entry.date);
        out.integer(entry.shops);
        out.integer(entry.cash);
        out.integer(entry.sales);
        out.integer(entry.result);
    }
}

int FirmHistory::loadState(ByteReader& in, std::int32_t nextDate) {
    std::size_t count = 0;
    if (!in.count(count, kMaxHistoryMonths, kHistoryEntryBytes)) {
        return kRefused;
    }
    std::vector<FirmHistoryEntry> entries(count);
    std::int32_t previous = Calendar::dateCodeOf(1, 1) - 1;  // before the first month
    for (FirmHistoryEntry& entry : entries) {
        if (!in.integerIn(previous + 1, std::int64_t{nextDate} - 1, entry.date) ||
            !in.integerIn(0, kFirmShopSlots, entry.shops) ||
            !in.integerIn(-kMoneyLimit, kMoneyLimit, entry.cash) ||
            !in.integerIn(-kReportLimit, kReportLimit, entry.sales) ||
            !in.integerIn(-kReportLimit, kReportLimit, entry.result)) {
            return kRefused;
        }
        const std::int32_t month = Calendar::monthOf(entry.date);
        if (month < 1 || month > 12) {
            in.fail();
            return kRefused;
        }
        previous = entry.date;
    }
    entries_ = std::move(entries);
    return kOk;
}

void Firm::saveState(ByteWriter& out) const {
    out.integer(index_);
    out.text(name_);
    out.boolean(fundsWarning_);
    out.boolean(withdrawn_);
    out.integer(withdrawnDate_);
    out.integer(struckShop_);
    policy_->saveState(out);
    shops_->saveState(out);
    finance_->saveState(out);
    settlement_->saveState(out);
    history_.saveState(out);
}

int Firm::loadState(ByteReader& in) {
    int index = 0;
    std::string name;
    bool warning = false;
    bool withdrawn = false;
    int withdrawnDate = 0;
    int struck = 0;
    if (policy_ == nullptr || !in.integerIn(index_, index_, index) ||
        !in.text(name, kMaxCompanyNameBytes) || !in.boolean(warning) || !in.boolean(withdrawn) ||
        !in.integerIn(kIntMin, kIntMax, withdrawnDate) ||
        !in.integerIn(-1, kFirmShopSlots - 1, struck)) {
        return kRefused;
    }
    if (policy_->loadState(in) != kOk || shops_->loadState(in) != kOk ||
        policy_->shopCount() != shops_->activeCount() || !shopsStandOnTheMap() ||
        finance_->loadState(in) != kOk || settlement_->loadState(in) != kOk ||
        history_.loadState(in, calendar_->dateCode()) != kOk) {
        in.fail();
        return kRefused;
    }
    name_ = cutCp932(name, kMaxCompanyNameBytes);
    fundsWarning_ = warning;
    withdrawn_ = withdrawn;
    withdrawnDate_ = withdrawnDate;
    struckShop_ = struck;
    return kOk;
}

bool Firm::shopsStandOnTheMap() const {
    const Market& market = map_->market();
    for (const int number : shops_->activeNumbers()) {
        const int x = shops_->x(number);
        const int y = shops_->y(number);
        if (!map_->contains(x, y) || market.distance(index_, x, y) != 0 ||
            market.servingShop(index_, x, y) != number) {
            return false;
        }
    }
    return true;
}

}  // namespace vellmora
