// The score lists of the maps played so far; lives as long as the game object.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/score_list.h"

namespace vellmora {

class ScoreBook {
public:
    // folder: the score folder ("zrf/" under the data folder); files are folder + name + ".zrf".
    void configure(std::string folder, int tableCount = kScoreTableCount,
                   int placeCount = kScorePlaceCount);

    // The slot of the list of that map: the existing one, else read from its file, else a new
    // empty list when no file exists. kRefused when the file exists but is refused (or unreadable),
    // or the name is empty, longer than 259 bytes or holds '/', '\' or a zero byte.
    [[nodiscard]] int openList(const std::string& mapName);
    ScoreList* findList(std::string_view name);
    const ScoreList* findList(std::string_view name) const;
    // kOk; kRefused when no list has that name or the file cannot be written.
    [[nodiscard]] int saveList(std::string_view name) const;

    const ScoreList* list(int slot) const;
    int slotCount() const { return static_cast<int>(lists_.size()); }
    const std::string& folder() const { return folder_; }
    std::string filePathFor(std::string_view name) const;
    int tableCount() const { return tableCount_; }
    int placeCount() const { return placeCount_; }

private:
    std::vector<std::unique_ptr<ScoreList>> lists_;  // a null entry is a free slot
    std::string folder_;
    int tableCount_ = kScoreTableCount;
    int placeCount_ = kScorePlaceCount;
};

}  // namespace vellmora
