// The score lists of the maps played so far; lives as long as the game object.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/score_list.h"

namespace vellmora {

// What became of the score list of a map when it was opened.
enum class ScoreListState {
    None,        // not opened (a game without a map)
    Open,        // the list is in the book: read from its file, or new when there was none
    Refused,     // the file is not a valid score file, or the map name cannot name one
    Unreadable,  // the file exists but cannot be read
};

struct ScoreListStatus {
    ScoreListState state = ScoreListState::None;
    // The score file; empty when the book keeps no files (no score folder) or the name is
    // unusable.
    std::string path;
    // Why the file could not be read (Unreadable only).
    std::string reason;
};

class ScoreBook {
public:
    // folder: the score folder ("zrf/" under the data folder); files are folder + name + ".zrf".
    void configure(std::string folder, int tableCount = kScoreTableCount,
                   int placeCount = kScorePlaceCount);

    // Opens the list of that map: the slot of a list already in the book; else kOk with the list
    // read from its file, or a new empty list when no file exists. No list is made when the file
    // cannot be used, so that nothing is ever written over it: kRefused when it is not a valid
    // score file or the name is empty, longer than 259 bytes or holds '/', '\' or a zero byte;
    // kUnreadableFile when it exists but cannot be read. `status` tells the same for the player.
    [[nodiscard]] int openList(const std::string& mapName, ScoreListStatus& status);
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
