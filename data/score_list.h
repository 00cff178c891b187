// The ranked score tables of one map: one table per difficulty, quickest win first.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/score_record.h"

namespace vellmora {

inline constexpr int kScoreTableCount = 5;
inline constexpr int kScorePlaceCount = 5;
// Map names longer than this are not kept in a score list.
inline constexpr std::size_t kMaxScoreListName = 259;

class ScoreList {
public:
    // tableCount tables of `places` empty slots each (negative counts become 0).
    ScoreList(std::string name, int tableCount, int places);

    // Ranks the record into a table by ascending game date (equal dates keep the order they
    // were added). kOk: the list took the record and `record` is now null. kRefused: the table
    // does not exist or has no slots; the caller keeps the record.
    [[nodiscard]] int insert(std::unique_ptr<ScoreRecord>& record, int table);

    // The record in a slot, or nullptr for an empty slot or a place or table out of range.
    // Slots behind the first places() exist but are neither shown nor saved.
    const ScoreRecord* record(int place, int table) const;

    const std::string& name() const { return name_; }
    int tableCount() const { return static_cast<int>(tables_.size()); }
    int places() const { return places_; }
    int slotInBook() const { return slotInBook_; }
    void setSlotInBook(int slot) { slotInBook_ = slot; }

private:
    std::string name_;
    std::vector<std::vector<std::unique_ptr<ScoreRecord>>> tables_;
    int places_ = 0;
    int slotInBook_ = -1;
};

}  // namespace vellmora
