#include "game/firms.h"

#include <array>

#include "data/account_container.h"
#include "data/result_codes.h"
#include "game/account_chart.h"
#include "game/finance.h"

namespace vellmora {

Firms::Firms() = default;
Firms::~Firms() = default;

void Firms::init(int slotCount, std::string_view ratePath, std::string_view pricePath,
                 const std::string& accountDataPath, TownMap* map, Calendar* calendar) {
    slots_.clear();
    slots_.resize(static_cast<std::size_t>(slotCount < 0 ? 0 : slotCount));
    // Paths are kept whole: cutting one could only turn it into the path of another file.
    ratePath_ = std::string(ratePath);
    pricePath_ = std::string(pricePath);
    map_ = map;
    calendar_ = calendar;
    chart_.reset();
    chartResult_ = kMissingFile;
    AccountContainer container;
    if (container.open(accountDataPath) != kOk) {
        return;
    }
    const std::unique_ptr<Blob> header = container.blob("ahd");
    const std::unique_ptr<Blob> records = container.blob("acc");
    if (header == nullptr || records == nullptr) {
        return;
    }
    auto chart = std::make_unique<AccountChart>();
    chartResult_ = loadFinanceChart(*header, *records, *chart);
    if (chartResult_ == kOk) {
        chart_ = std::move(chart);
    }
}

int Firms::create(int index, int difficulty, std::string_view name, bool inactive) {
    if (index < 0 || index >= slotCount() || slots_[static_cast<std::size_t>(index)] != nullptr) {
        return kRefused;
    }
    FirmSetup setup;
    setup.index = index;
    setup.difficulty = difficulty;
    setup.name = name;
    setup.ratePath = ratePath_;
    setup.pricePath = pricePath_;
    setup.chart = chart_.get();
    setup.calendar = calendar_;
    setup.map = map_;
    setup.inactive = inactive;
    auto firm = std::make_unique<Firm>();
    if (firm->initialise(setup) != kOk) {
        return kRefused;
    }
    slots_[static_cast<std::size_t>(index)] = std::move(firm);
    return index;
}

Firm* Firms::firm(int index) {
    if (index < 0 || index >= slotCount()) {
        return nullptr;
    }
    return slots_[static_cast<std::size_t>(index)].get();
}

const Firm* Firms::firm(int index) const {
    if (index < 0 || index >= slotCount()) {
        return nullptr;
    }
    return slots_[static_cast<std::size_t>(index)].get();
}

TurnFlagSet Firms::monthlyTurnAll() {
    TurnFlagSet flags = TurnFlags::None;
    bool allGone = true;
    for (auto& firm : slots_) {
        if (firm == nullptr) {
            continue;
        }
        const TurnFlagSet result = firm->monthlyTurn();
        if (firm->index() == 0) {
            flags |= result;
            continue;
        }
        if ((result & TurnFlags::CompetitorWithdrew) != 0) {
            flags |= result;
        }
        if (!firm->withdrawn()) {
            allGone = false;
        }
    }
    if (allGone) {
        flags |= TurnFlags::Victory;
    }
    return flags;
}

}  // namespace vellmora
