#include "audio/music_list.h"

#include <algorithm>
#include <cassert>
#include <filesystem>
#include <system_error>

#include "data/program_folder.h"
#include "data/result_codes.h"

namespace vellmora::audio {
namespace {

bool hasMidiExtension(const std::string& name) {
    if (name.size() <= 4) {
        return false;
    }
    std::string extension = name.substr(name.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return extension == ".mid";
}

}  // namespace

int MusicList::scan(const std::string& folder, int firstId, int lastId) {
    pieces_.clear();
    firstId_ = firstId;
    if (lastId < firstId) {
        return kRefused;
    }
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) {
            continue;
        }
        std::string name = it->path().filename().string();
        if (hasMidiExtension(name)) {
            names.push_back(std::move(name));
        }
    }
    if (error || names.empty()) {
        return kRefused;
    }
    std::sort(names.begin(), names.end());
    const long long capacity = static_cast<long long>(lastId) - firstId + 1;
    if (static_cast<long long>(names.size()) > capacity) {
        names.resize(static_cast<std::size_t>(capacity));
    }
    for (const std::string& name : names) {
        pieces_.push_back({joinPath(folder, name), name.substr(0, name.size() - 4)});
    }
    return kOk;
}

int MusicList::menuIndexOf(const std::string& name) const {
    for (int i = 0; i < count(); ++i) {
        if (pieces_[i].baseName == name) {
            return firstId_ + i;
        }
    }
    return kRefused;
}

int MusicList::indexOfCommand(int commandId) const {
    const long index = static_cast<long>(commandId) - firstId_;
    return index >= 0 && index < count() ? static_cast<int>(index) : kRefused;
}

const std::string& MusicList::path(int index) const {
    assert(index >= 0 && index < count());
    return pieces_[index].path;
}

const std::string& MusicList::baseName(int index) const {
    assert(index >= 0 && index < count());
    return pieces_[index].baseName;
}

}  // namespace vellmora::audio
