#include "data/building_table.h"

#include "data/param_file.h"
#include "data/result_codes.h"

namespace vellmora {

int BuildingTable::load(const std::string& path) {
    ParamFile file;
    if (file.load(path) != kOk) {
        return kRefused;
    }
    if (file.fieldCount(0) < 4 || file.cellView(0, 0) != "blddata") {
        return kRefused;
    }
    std::map<std::int32_t, BuildingDef> defs;
    int skipped = 0;
    for (int row = 1; row < file.rowCount(); ++row) {
        std::int32_t id = file.intAt(row, 0);
        if (id == 0) {
            continue;  // blank lines, titles and notes
        }
        if (file.fieldCount(row) < kBuildingDefFields) {
            ++skipped;
            continue;
        }
        if (defs.count(id) != 0) {
            continue;  // the first definition of an id counts
        }
        BuildingDef def;
        def.id = id;
        def.name = std::string(file.cellView(row, 1));
        def.buildable = file.intAt(row, 2);
        def.customers = file.intAt(row, 3);
        def.moveCost = file.intAt(row, 4);
        def.rent = file.intAt(row, 5);
        // Widened so that absurd chip numbers cannot overflow; they only select no picture.
        std::int64_t chip = static_cast<std::int64_t>(file.intAt(row, 7)) * 16 + file.intAt(row, 6);
        def.chip = chip > INT32_MAX   ? INT32_MAX
                   : chip < INT32_MIN ? INT32_MIN
                                      : static_cast<int>(chip);
        def.attribute = file.intAt(row, 8);
        def.layer = file.intAt(row, 9);
        def.underlayId = file.intAt(row, 10);
        def.chipPage = file.intAt(row, 11);
        defs.emplace(id, std::move(def));
    }
    defs_ = std::move(defs);
    path_ = path;
    skippedRows_ = skipped;
    return kOk;
}

const BuildingDef* BuildingTable::find(std::int32_t id) const {
    auto it = defs_.find(id);
    return it == defs_.end() ? nullptr : &it->second;
}

}  // namespace vellmora
