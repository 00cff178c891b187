#include "game/firm_history.h"

namespace vellmora {

Money figureOf(const FirmHistoryEntry& entry, FirmFigure figure) {
    switch (figure) {
        case FirmFigure::Cash:
            return entry.cash;
        case FirmFigure::Sales:
            return entry.sales;
        case FirmFigure::Result:
            return entry.result;
        case FirmFigure::Shops:
            return entry.shops;
    }
    return 0;
}

void FirmHistory::record(const FirmHistoryEntry& entry) {
    if (!entries_.empty() && entries_.back().date == entry.date) {
        entries_.back() = entry;
        return;
    }
    entries_.push_back(entry);
}

}  // namespace vellmora
