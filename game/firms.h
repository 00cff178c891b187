// The firm table: the player's company in slot 0 and the computer companies in slots 1 to 3.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/result_codes.h"
#include "game/firm.h"
#include "game/turn_flags.h"

namespace vellmora {

class AccountChart;
class Calendar;
class TownMap;

class Firms {
public:
    Firms();
    ~Firms();
    Firms(const Firms&) = delete;
    Firms& operator=(const Firms&) = delete;

    // Drops every firm and makes `slotCount` empty slots. Reads the chart of accounts from the
    // "ahd" and "acc" blobs of the account data container; without a usable chart no firm can be
    // created.
    void init(int slotCount, std::string_view ratePath, std::string_view pricePath,
              const std::string& accountDataPath, TownMap* map, Calendar* calendar);

    // Index on success; kRefused for an index out of range, a taken slot or a failed
    // initialisation (the slot then stays empty).
    [[nodiscard]] int create(int index, int difficulty, std::string_view name, bool inactive);

    // The firm, or nullptr for an empty slot or an index out of range.
    Firm* firm(int index);
    const Firm* firm(int index) const;
    int slotCount() const { return static_cast<int>(slots_.size()); }
    // Why firms can or cannot be made: kOk, kMissingFile (no container or blob), or the chart
    // loader's kChartMalformed / kChartIncomplete.
    int chartResult() const { return chartResult_; }

    // Every firm's month. The player's bits always count; a computer firm's bits count only in
    // the month it withdraws. Adds the victory bit when no computer firm is left in the game.
    [[nodiscard]] TurnFlagSet monthlyTurnAll();

private:
    std::vector<std::unique_ptr<Firm>> slots_;
    std::string ratePath_;
    std::string pricePath_;
    std::unique_ptr<AccountChart> chart_;  // null when the account data gave no usable chart
    int chartResult_ = kMissingFile;
    TownMap* map_ = nullptr;
    Calendar* calendar_ = nullptr;
};

}  // namespace vellmora
