// The base data list "zdt\base.zdt" naming the four data files, and data paths under a folder.
#pragma once

#include <string>
#include <string_view>

namespace vellmora {

inline constexpr std::string_view kBaseListName = "zdt\\base.zdt";
inline constexpr std::string_view kAccountDataName = "acc.dat";
inline constexpr std::string_view kScoreFolderName = "zrf/";
inline constexpr std::string_view kMapFolderName = "map\\";

// joinPath(folder, name) with "\" turned into "/". The game passes programFolder() as folder;
// tests and the simulator pass their own data folder.
std::string dataPath(std::string_view folder, std::string_view name);

// Full paths of the four data files. A key missing from the list gives an empty path, which
// no reader can open.
struct BaseList {
    std::string rate;
    std::string price;
    std::string blddata;
    std::string ai;
};

// Reads dataPath(folder, "zdt\base.zdt"), section "data", keys "rate", "price", "blddata",
// "ai"; each path is dataPath(folder, "zdt\" + value). kOk; kMissingFile when the list file is
// absent or cannot be read (out is then cleared).
[[nodiscard]] int loadBaseList(std::string_view folder, BaseList& out);

}  // namespace vellmora
