#include "data/score_book.h"

#include "data/program_folder.h"
#include "data/result_codes.h"
#include "data/score_file.h"

namespace vellmora {
namespace {

// A map name becomes a file name in the score folder; keep it inside that folder.
bool isUsableName(std::string_view name) {
    return !name.empty() && name.size() <= kMaxScoreListName && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

}  // namespace

void ScoreBook::configure(std::string folder, int tableCount, int placeCount) {
    folder_ = std::move(folder);
    tableCount_ = tableCount;
    placeCount_ = placeCount;
}

int ScoreBook::openList(const std::string& mapName) {
    ScoreListStatus ignored;
    return openList(mapName, ignored);
}

int ScoreBook::openList(const std::string& mapName, ScoreListStatus& status) {
    status = ScoreListStatus();
    if (!isUsableName(mapName)) {
        status.state = ScoreListState::Refused;
        return kRefused;
    }
    if (!folder_.empty()) {
        status.path = filePathFor(mapName);
    }
    for (std::size_t slot = 0; slot < lists_.size(); ++slot) {
        if (lists_[slot] && lists_[slot]->name() == mapName) {
            status.state = ScoreListState::Open;
            return static_cast<int>(slot);
        }
    }
    std::unique_ptr<ScoreList> list;
    const int result = status.path.empty()
                           ? kMissingFile
                           : readScoreFile(status.path, mapName, list, &status.reason);
    if (result == kMissingFile) {
        list = std::make_unique<ScoreList>(mapName, tableCount_, placeCount_);
    } else if (result == kUnreadableFile) {
        status.state = ScoreListState::Unreadable;
        return kUnreadableFile;
    } else if (result != kOk) {
        status.state = ScoreListState::Refused;
        return kRefused;
    }
    std::size_t slot = 0;
    while (slot < lists_.size() && lists_[slot]) {
        ++slot;
    }
    if (slot == lists_.size()) {
        lists_.emplace_back();
    }
    list->setSlotInBook(static_cast<int>(slot));
    lists_[slot] = std::move(list);
    status.state = ScoreListState::Open;
    return kOk;
}

ScoreList* ScoreBook::findList(std::string_view name) {
    for (auto& list : lists_) {
        if (list && list->name() == name) {
            return list.get();
        }
    }
    return nullptr;
}

const ScoreList* ScoreBook::findList(std::string_view name) const {
    return const_cast<ScoreBook*>(this)->findList(name);
}

int ScoreBook::saveList(std::string_view name) const {
    const ScoreList* list = findList(name);
    if (list == nullptr || folder_.empty()) {
        return kRefused;
    }
    return writeScoreFile(filePathFor(name), *list);
}

const ScoreList* ScoreBook::list(int slot) const {
    if (slot < 0 || static_cast<std::size_t>(slot) >= lists_.size()) {
        return nullptr;
    }
    return lists_[static_cast<std::size_t>(slot)].get();
}

std::string ScoreBook::filePathFor(std::string_view name) const {
    return joinPath(folder_, std::string(name) + ".zrf");
}

}  // namespace vellmora
