#include "data/score_list.h"

#include "data/result_codes.h"

namespace vellmora {

ScoreList::ScoreList(std::string name, int tableCount, int places)
    : name_(std::move(name)), places_(places < 0 ? 0 : places) {
    tables_.resize(tableCount < 0 ? 0 : static_cast<std::size_t>(tableCount));
    for (auto& table : tables_) {
        table.resize(static_cast<std::size_t>(places_));
    }
}

int ScoreList::insert(std::unique_ptr<ScoreRecord>& record, int table) {
    if (!record || table < 0 || table >= tableCount() ||
        tables_[static_cast<std::size_t>(table)].empty()) {
        return kRefused;
    }
    auto& slots = tables_[static_cast<std::size_t>(table)];
    // The table always ends with at least places_ empty slots, so the walk stops inside it.
    std::size_t at = 0;
    while (at < slots.size() && slots[at] && slots[at]->gameDate() <= record->gameDate()) {
        ++at;
    }
    slots.insert(slots.begin() + static_cast<std::ptrdiff_t>(at), std::move(record));
    return kOk;
}

const ScoreRecord* ScoreList::record(int place, int table) const {
    if (table < 0 || table >= tableCount() || place < 0) {
        return nullptr;
    }
    const auto& slots = tables_[static_cast<std::size_t>(table)];
    return static_cast<std::size_t>(place) < slots.size()
               ? slots[static_cast<std::size_t>(place)].get()
               : nullptr;
}

}  // namespace vellmora
