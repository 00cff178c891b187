// One restaurant of a firm: where it stands, its size and range, its accident timers and its
// monthly history.
#pragma once

#include <array>
#include <cstdint>
#include <deque>

#include "game/money.h"
#include "game/rate_table.h"

namespace vellmora {

class ShopList;

// The firm's per-size and per-accident tables (copied from its rate file) that its shops read.
struct ShopTables {
    std::array<ShopSizeRates, RateTable::kSizes> sizes{};          // by shop size 0-2
    std::array<AccidentRates, RateTable::kAccidents> accidents{};  // by accident kind 0-3
};

// The monthly history series of a shop, in their fixed order.
enum class ShopSeries : int {
    Score = 0,
    PriceRating,
    TasteRating,
    ServiceRating,
    Customers,
    Sales,
    Ingredients,
    Labour,
    Training,
    RentEquipment,
    GeneralAdministration,
};
inline constexpr int kShopSeriesCount = 11;

// The last values of one monthly figure, oldest dropped once full.
class MonthlySeries {
public:
    static constexpr int kCapacity = 36;

    void push(Money value);
    // index -1 is the newest value, -2 the one before; 0 or above, or past the oldest, reads 0.
    Money at(int index) const;
    int size() const { return static_cast<int>(values_.size()); }

private:
    std::deque<Money> values_;
};

class Shop {
public:
    static constexpr int kAccidentKinds = RateTable::kAccidents;

    Shop(const ShopList& owner, const ShopTables& tables, int firm, int number, int x, int y,
         int size, int rent);

    const ShopList& owner() const { return *owner_; }
    int firm() const { return firm_; }
    int number() const { return number_; }
    int x() const { return x_; }
    int y() const { return y_; }
    int size() const { return size_; }
    int range() const { return range_; }
    int rent() const { return rent_; }

    // Last month's customers; 0 while the shop is suspended.
    int customers() const { return suspension_ > 0 ? 0 : customers_; }
    int storedCustomers() const { return customers_; }
    void setCustomers(int customers) { customers_ = customers; }

    // Rating points for rating k (0 price, 1 taste, 2 service) from the size and any running
    // accident; 0 for k out of range.
    int ratingModifier(int k) const;
    // Cost modifier for budget item i (0-6) from the size and any running accident; 0.0 out of
    // range.
    double costModifier(int item) const;
    // (cost modifier of rent and equipment + 1) * rent, truncated.
    Money rentBase() const;

    int accidentTimer(int kind) const;
    int suspension() const { return suspension_; }
    bool suspended() const { return suspension_ > 0; }

    // Starts the effect of accident `kind` (0-3): timer set to its duration, suspension added.
    void strike(int kind);
    // Counts every running timer and the suspension down by one month.
    void monthEnd();

    void pushHistory(ShopSeries series, Money value);
    Money history(ShopSeries series, int index) const;
    int historySize(ShopSeries series) const;
    // Puts back saved accident timers and suspension (a restored game).
    void restoreCounters(const std::array<int, kAccidentKinds>& timers, int suspension);
    // Sales less ingredients, labour, training, rent-and-equipment and administration of a month.
    Money profit(int index) const;

private:
    // Null for a size outside 0-2 (such a shop gets no size terms).
    const ShopSizeRates* sizeRates() const;

    const ShopList* owner_;
    const ShopTables* tables_;
    int range_;
    std::array<int, kAccidentKinds> timers_{};
    int suspension_ = 0;
    int size_;
    int firm_;
    int number_;
    int x_;
    int y_;
    int customers_ = 0;
    int rent_;
    std::array<MonthlySeries, kShopSeriesCount> history_{};
};

}  // namespace vellmora
