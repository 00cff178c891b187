// A firm's shops: 256 numbered slots, the lowest free number taken first.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "game/money.h"
#include "game/shop.h"

namespace vellmora {

class ByteReader;
class ByteWriter;

class ShopList {
public:
    static constexpr int kSlots = 256;

    explicit ShopList(int firm);
    ~ShopList();
    ShopList(const ShopList&) = delete;
    ShopList& operator=(const ShopList&) = delete;

    int firm() const { return firm_; }

    // The firm's [shop] and [accident] tables; shops read them through the list.
    void setTables(const ShopTables& tables) { tables_ = tables; }
    const ShopTables& tables() const { return tables_; }

    // Size 0-2, no shop of this firm at (x, y), and a free slot.
    bool canCreate(int x, int y, int size) const;
    // Makes a shop in the lowest free slot; its number, or kRefused.
    [[nodiscard]] int create(int x, int y, int size, int rent);
    // Frees the slot; kRefused when it is not in use.
    [[nodiscard]] int remove(int number);
    // This firm's shop at (x, y), or -1.
    int findAt(int x, int y) const;

    bool inUse(int number) const;
    // The shop in slot `number`, or nullptr when the slot is out of range or free.
    Shop* shop(int number);
    const Shop* shop(int number) const;
    // Numbers of the shops in use, in slot order.
    std::vector<int> activeNumbers() const;
    int activeCount() const;

    // Per-shop getters by number: -1 (or 0.0, 0 for money) when the slot is not in use.
    int x(int number) const;
    int y(int number) const;
    int size(int number) const;
    int range(int number) const;
    int customers(int number) const;
    int ratingModifier(int number, int k) const;
    double costModifier(int number, int item) const;
    Money rentBase(int number) const;
    Money history(int number, ShopSeries series, int index) const;
    Money profit(int number, int index) const;

    // A shop in use chosen with the shared random generator (rand() mod count); -1 with none.
    int pickRandomActive() const;
    // The r-th shop in use in slot order for r = value mod count; -1 with none.
    int nthActive(int value) const;

    // Accident of kind 0 or 2 at shop `number`; the firm's other shops get kind + 1.
    [[nodiscard]] int applyAccident(int number, int kind);
    // Counts down every shop's accident timers and suspension.
    void monthEnd();

    // Every shop in use with its timers and history. loadState fills an empty list and answers
    // kRefused (the list emptied again) for a bad or repeated slot or a value out of range.
    void saveState(ByteWriter& out) const;
    [[nodiscard]] int loadState(ByteReader& in);

private:
    int firm_;
    ShopTables tables_{};
    std::array<std::unique_ptr<Shop>, kSlots> slots_{};
};

}  // namespace vellmora
