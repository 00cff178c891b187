#include "game/shop.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "game/money_convert.h"

namespace vellmora {

namespace {

// Accident kinds come in pairs (at this shop, elsewhere in the firm); within a pair the kind at
// this shop wins while its timer runs.
template <typename Pick>
auto accidentTerms(const std::array<int, Shop::kAccidentKinds>& timers, Pick pick) {
    decltype(pick(0)) sum{};
    for (int first : {0, 2}) {
        if (timers[first] > 0) {
            sum += pick(first);
        } else if (timers[first + 1] > 0) {
            sum += pick(first + 1);
        }
    }
    return sum;
}

}  // namespace

void MonthlySeries::push(Money value) {
    values_.push_back(value);
    while (static_cast<int>(values_.size()) > kCapacity) {
        values_.pop_front();
    }
}

Money MonthlySeries::at(int index) const {
    if (index >= 0 || -index > size()) {
        return 0;
    }
    return values_[values_.size() - static_cast<std::size_t>(-index)];
}

Shop::Shop(const ShopList& owner, const ShopTables& tables, int firm, int number, int x, int y,
           int size, int rent)
    : owner_(&owner),
      tables_(&tables),
      range_(size >= 0 && size < RateTable::kSizes
                 ? tables.sizes[static_cast<std::size_t>(size)].range
                 : 0),
      size_(size),
      firm_(firm),
      number_(number),
      x_(x),
      y_(y),
      rent_(rent) {}

const ShopSizeRates* Shop::sizeRates() const {
    if (size_ < 0 || size_ >= RateTable::kSizes) {
        return nullptr;
    }
    return &tables_->sizes[static_cast<std::size_t>(size_)];
}

int Shop::ratingModifier(int k) const {
    if (k < 0 || k >= RateTable::kRatings) {
        return 0;
    }
    const auto rating = static_cast<std::size_t>(k);
    const ShopSizeRates* rates = sizeRates();
    // Summed wide and held inside int: the points come from the rate file.
    const std::int64_t sum =
        static_cast<std::int64_t>(rates ? rates->ratingPoints[rating] : 0) +
        accidentTerms(timers_, [&](int kind) {
            return static_cast<std::int64_t>(
                tables_->accidents[static_cast<std::size_t>(kind)].ratingPoints[rating]);
        });
    return static_cast<int>(std::clamp<std::int64_t>(sum, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

double Shop::costModifier(int item) const {
    if (item < 0 || item >= RateTable::kItems) {
        return 0.0;
    }
    const auto column = static_cast<std::size_t>(item);
    const ShopSizeRates* rates = sizeRates();
    return (rates ? rates->costModifier[column] : 0.0) + accidentTerms(timers_, [&](int kind) {
               return tables_->accidents[static_cast<std::size_t>(kind)].costModifier[column];
           });
}

Money Shop::rentBase() const {
    // The modifier comes from the rate file: a huge value must clamp, not overflow.
    return truncateToMoney((costModifier(5) + 1.0) * static_cast<double>(rent_));
}

int Shop::accidentTimer(int kind) const {
    if (kind < 0 || kind >= kAccidentKinds) {
        return -1;
    }
    return timers_[static_cast<std::size_t>(kind)];
}

void Shop::strike(int kind) {
    if (kind < 0 || kind >= kAccidentKinds) {
        return;
    }
    const AccidentRates& rates = tables_->accidents[static_cast<std::size_t>(kind)];
    timers_[static_cast<std::size_t>(kind)] = rates.duration;
    // Held inside int: repeated strikes with a suspension from the rate file must not wrap.
    suspension_ = static_cast<int>(
        std::clamp<std::int64_t>(static_cast<std::int64_t>(suspension_) + rates.suspension,
                                 std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void Shop::monthEnd() {
    for (int& timer : timers_) {
        if (timer > 0) {
            --timer;
        }
    }
    if (suspension_ > 0) {
        --suspension_;
    }
}

void Shop::pushHistory(ShopSeries series, Money value) {
    history_[static_cast<std::size_t>(series)].push(value);
}

Money Shop::history(ShopSeries series, int index) const {
    const auto i = static_cast<std::size_t>(series);
    if (i >= history_.size()) {
        return 0;
    }
    return history_[i].at(index);
}

int Shop::historySize(ShopSeries series) const {
    const auto i = static_cast<std::size_t>(series);
    return i < history_.size() ? history_[i].size() : 0;
}

void Shop::restoreCounters(const std::array<int, kAccidentKinds>& timers, int suspension) {
    timers_ = timers;
    suspension_ = suspension;
}

Money Shop::profit(int index) const {
    return history(ShopSeries::Sales, index) - history(ShopSeries::Ingredients, index) -
           history(ShopSeries::Training, index) -
           history(ShopSeries::GeneralAdministration, index) - history(ShopSeries::Labour, index) -
           history(ShopSeries::RentEquipment, index);
}

}  // namespace vellmora
