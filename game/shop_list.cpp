#include "game/shop_list.h"

#include "data/result_codes.h"
#include "game/random.h"

namespace vellmora {

ShopList::ShopList(int firm) : firm_(firm) {}

ShopList::~ShopList() = default;

bool ShopList::canCreate(int x, int y, int size) const {
    if (size < 0 || size >= RateTable::kSizes || findAt(x, y) >= 0) {
        return false;
    }
    for (const auto& slot : slots_) {
        if (!slot) {
            return true;
        }
    }
    return false;
}

int ShopList::create(int x, int y, int size, int rent) {
    if (!canCreate(x, y, size)) {
        return kRefused;
    }
    for (int number = 0; number < kSlots; ++number) {
        auto& slot = slots_[static_cast<std::size_t>(number)];
        if (!slot) {
            slot = std::make_unique<Shop>(*this, tables_, firm_, number, x, y, size, rent);
            return number;
        }
    }
    return kRefused;
}

int ShopList::remove(int number) {
    if (!inUse(number)) {
        return kRefused;
    }
    slots_[static_cast<std::size_t>(number)].reset();
    return kOk;
}

int ShopList::findAt(int x, int y) const {
    for (const auto& slot : slots_) {
        if (slot && slot->x() == x && slot->y() == y) {
            return slot->number();
        }
    }
    return -1;
}

bool ShopList::inUse(int number) const {
    return shop(number) != nullptr;
}

Shop* ShopList::shop(int number) {
    if (number < 0 || number >= kSlots) {
        return nullptr;
    }
    return slots_[static_cast<std::size_t>(number)].get();
}

const Shop* ShopList::shop(int number) const {
    if (number < 0 || number >= kSlots) {
        return nullptr;
    }
    return slots_[static_cast<std::size_t>(number)].get();
}

std::vector<int> ShopList::activeNumbers() const {
    std::vector<int> numbers;
    for (const auto& slot : slots_) {
        if (slot) {
            numbers.push_back(slot->number());
        }
    }
    return numbers;
}

int ShopList::activeCount() const {
    int count = 0;
    for (const auto& slot : slots_) {
        if (slot) {
            ++count;
        }
    }
    return count;
}

int ShopList::x(int number) const {
    const Shop* s = shop(number);
    return s ? s->x() : -1;
}

int ShopList::y(int number) const {
    const Shop* s = shop(number);
    return s ? s->y() : -1;
}

int ShopList::size(int number) const {
    const Shop* s = shop(number);
    return s ? s->size() : -1;
}

int ShopList::range(int number) const {
    const Shop* s = shop(number);
    return s ? s->range() : -1;
}

int ShopList::customers(int number) const {
    const Shop* s = shop(number);
    return s ? s->customers() : -1;
}

int ShopList::ratingModifier(int number, int k) const {
    const Shop* s = shop(number);
    return s ? s->ratingModifier(k) : 0;
}

double ShopList::costModifier(int number, int item) const {
    const Shop* s = shop(number);
    return s ? s->costModifier(item) : 0.0;
}

Money ShopList::rentBase(int number) const {
    const Shop* s = shop(number);
    return s ? s->rentBase() : 0;
}

Money ShopList::history(int number, ShopSeries series, int index) const {
    const Shop* s = shop(number);
    return s ? s->history(series, index) : 0;
}

Money ShopList::profit(int number, int index) const {
    const Shop* s = shop(number);
    return s ? s->profit(index) : 0;
}

int ShopList::pickRandomActive() const {
    if (activeCount() == 0) {
        return -1;
    }
    return nthActive(rng::next());
}

int ShopList::nthActive(int value) const {
    const int count = activeCount();
    if (count == 0) {
        return -1;
    }
    int r = value % count;
    if (r < 0) {
        r += count;
    }
    for (const auto& slot : slots_) {
        if (slot && r-- == 0) {
            return slot->number();
        }
    }
    return -1;
}

int ShopList::applyAccident(int number, int kind) {
    if ((kind != 0 && kind != 2) || !inUse(number)) {
        return kRefused;
    }
    for (const auto& slot : slots_) {
        if (slot) {
            slot->strike(slot->number() == number ? kind : kind + 1);
        }
    }
    return kOk;
}

void ShopList::monthEnd() {
    for (const auto& slot : slots_) {
        if (slot) {
            slot->monthEnd();
        }
    }
}

}  // namespace vellmora
