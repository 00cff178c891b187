// The kinds of tile of the town map, read from the building data file ("blddata").
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace vellmora {

struct BuildingDef {
    std::int32_t id = 0;  // never 0
    std::string name;     // CP932 text
    int buildable = 0;    // non-zero: a shop may be built here
    int customers = 0;
    int moveCost = 0;  // -1: cannot be walked
    int rent = 0;
    int chip = 0;  // chip row * 16 + chip column
    int attribute = 0;
    int layer = 0;  // 0 to 6
    int underlayId = 0;
    int chipPage = 0;
};

inline constexpr int kBuildingDefFields = 12;

// The code a picture is drawn by: chipPage * 256 + chip, widened and held inside int, since both
// come from the file and may be absurd (such a code only selects no picture).
inline int chipCodeOf(const BuildingDef& def) {
    const std::int64_t code = static_cast<std::int64_t>(def.chipPage) * 256 + def.chip;
    return code > INT32_MAX ? INT32_MAX : code < INT32_MIN ? INT32_MIN : static_cast<int>(code);
}

class BuildingTable {
public:
    // kOk; kRefused when the file cannot be read or row 0 is not "blddata" with at least four
    // fields (the table is then left as it was). Rows with fewer than 12 fields are skipped and
    // counted in skippedRows(). For a repeated id the first row counts.
    [[nodiscard]] int load(const std::string& path);

    const BuildingDef* find(std::int32_t id) const;
    const std::map<std::int32_t, BuildingDef>& definitions() const { return defs_; }
    const std::string& path() const { return path_; }
    int skippedRows() const { return skippedRows_; }

private:
    std::map<std::int32_t, BuildingDef> defs_;
    std::string path_;
    int skippedRows_ = 0;
};

}  // namespace vellmora
