#include "tools/gen/building_gen.h"

#include <map>
#include <set>
#include <string_view>
#include <tuple>

#include "tools/gen/gen_text.h"

namespace vellmora::gen {

namespace {

constexpr int kChipColumns = 16;
constexpr int kChipRows = 16;
constexpr int kAnimationFrames = 8;
constexpr int kDefinitionFields = 12;

// (page, column, row)
using Cell = std::tuple<int, int, int>;

bool parseRow(const std::vector<std::string>& f, BuildingRow& row, std::string& error) {
    if (f.size() < kDefinitionFields + 1) {
        error = "needs 12 fields and a picture description";
        return false;
    }
    long long v[kDefinitionFields] = {};
    for (int i = 0; i < kDefinitionFields; ++i) {
        if (i == 1) {
            continue;
        }
        if (!parseInteger(f[i], v[i])) {
            error = "field " + std::to_string(i) + " is not an integer";
            return false;
        }
    }
    row.id = static_cast<std::int32_t>(v[0]);
    row.name = f[1];
    row.buildable = static_cast<int>(v[2]);
    row.customers = static_cast<int>(v[3]);
    row.moveCost = static_cast<int>(v[4]);
    row.rent = static_cast<int>(v[5]);
    row.chipColumn = static_cast<int>(v[6]);
    row.chipRow = static_cast<int>(v[7]);
    row.attribute = static_cast<int>(v[8]);
    row.layer = static_cast<int>(v[9]);
    row.underlayId = static_cast<std::int32_t>(v[10]);
    row.chipPage = static_cast<int>(v[11]);
    // The description may itself hold commas.
    for (std::size_t i = kDefinitionFields; i < f.size(); ++i) {
        row.picture += (i > kDefinitionFields ? "," : "") + f[i];
    }
    if (row.id == 0 || row.name.empty() || row.picture.empty()) {
        error = "id 0, or an empty name or picture";
        return false;
    }
    return true;
}

// The cells a picture occupies: one, or eight rows of a column on the animated page.
std::vector<Cell> cellsOf(const BuildingRow& row) {
    std::vector<Cell> cells;
    const int frames = row.chipPage == 1 ? kAnimationFrames : 1;
    for (int i = 0; i < frames; ++i) {
        cells.emplace_back(row.chipPage, row.chipColumn, row.chipRow + i);
    }
    return cells;
}

bool checkRow(const BuildingRow& row, std::string& error) {
    if (row.layer < 0 || row.layer > 6) {
        error = "layer outside 0-6";
    } else if (row.chipPage != 0 && row.chipPage != 1) {
        error = "chip page must be 0 (mapchip) or 1 (motionchip)";
    } else if (row.chipColumn < 0 || row.chipColumn >= kChipColumns || row.chipRow < 0 ||
               row.chipRow + (row.chipPage == 1 ? kAnimationFrames : 1) > kChipRows) {
        error = "chip cell outside the bitmap";
    } else if (row.attribute != 0) {
        error = "every picture covers one tile (attribute 0)";
    } else if (row.moveCost < -1 || row.moveCost > 127) {
        error = "move cost must be -1 or 0-127 (one signed byte in the map)";
    } else if (row.buildable != 0 && row.moveCost < 0) {
        error = "a buildable tile must be walkable";
    } else if (row.customers < 0 || row.rent < 0) {
        error = "negative customers or rent";
    } else {
        return true;
    }
    return false;
}

bool checkRequiredIds(const std::map<std::int32_t, const BuildingRow*>& byId) {
    bool ok = true;
    auto require = [&](std::int32_t id, int layer) {
        auto it = byId.find(id);
        if (it == byId.end()) {
            ok = fail("buildings", "missing id " + std::to_string(id));
        } else if (it->second->layer != layer) {
            ok = fail("buildings",
                      "id " + std::to_string(id) + " must be on layer " + std::to_string(layer));
        }
    };
    require(10000, 0);
    for (int firm = 0; firm < 4; ++firm) {
        for (int size = 0; size < 3; ++size) {
            require(80000 + 100 * firm + size, 6 - firm);
        }
        for (int step = 0; step < 5; ++step) {
            require(90000 + 100 * firm + step, 1);
        }
    }
    return ok;
}

}  // namespace

bool readBuildingSource(const std::string& path, BuildingSource& out) {
    std::string text;
    if (!readSource(path, text)) {
        return false;
    }
    const std::vector<std::string> lines = splitLines(text);
    if (lines.empty() || !lines[0].starts_with("blddata,")) {
        return fail(path, "line 1 must be the \"blddata\" header");
    }
    BuildingSource source;
    source.header = lines[0];
    bool ok = true;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::string where = path + ":" + std::to_string(i + 1);
        if (line.empty() || line.starts_with("#")) {
            continue;
        }
        const std::vector<std::string> f = splitFields(line);
        if (f[0] == "reserved") {
            ReservedCell cell;
            long long c = 0, r = 0, p = 0;
            if (f.size() < 5 || !parseInteger(f[1], c) || !parseInteger(f[2], r) ||
                !parseInteger(f[3], p)) {
                ok = fail(where, "reserved,<column>,<row>,<page>,<use>");
                continue;
            }
            source.reserved.push_back(
                {static_cast<int>(c), static_cast<int>(r), static_cast<int>(p), f[4]});
            continue;
        }
        BuildingRow row;
        std::string error;
        if (!parseRow(f, row, error) || !checkRow(row, error)) {
            ok = fail(where, error);
            continue;
        }
        source.rows.push_back(row);
    }

    std::map<std::int32_t, const BuildingRow*> byId;
    std::map<Cell, std::string> cellOwner;
    for (const ReservedCell& cell : source.reserved) {
        cellOwner[{cell.page, cell.column, cell.row}] = "reserved: " + cell.use;
    }
    for (const BuildingRow& row : source.rows) {
        if (!byId.emplace(row.id, &row).second) {
            ok = fail(path, "id " + std::to_string(row.id) + " is defined twice");
        }
        for (const Cell& cell : cellsOf(row)) {
            auto [it, inserted] = cellOwner.emplace(cell, std::to_string(row.id));
            if (!inserted) {
                ok = fail(path, "id " + std::to_string(row.id) + " shares its chip cell with " +
                                    it->second);
            }
        }
    }
    for (const BuildingRow& row : source.rows) {
        if (row.underlayId == 0) {
            continue;
        }
        auto it = byId.find(row.underlayId);
        if (it == byId.end() || it->second->layer != 0) {
            ok = fail(path, "id " + std::to_string(row.id) +
                                " needs an underlay that exists and lies on layer 0");
        }
    }
    ok = checkRequiredIds(byId) && ok;
    if (ok) {
        out = std::move(source);
    }
    return ok;
}

bool writeBuildingData(const BuildingSource& source, const std::string& path) {
    std::vector<std::string> lines;
    std::string converted;
    if (!toCp932(source.header, converted)) {
        return fail(path, "the header has a character without a CP932 form");
    }
    lines.push_back(converted);
    for (const BuildingRow& row : source.rows) {
        if (!toCp932(row.name, converted)) {
            return fail(path, "the name of id " + std::to_string(row.id) +
                                  " has a character without a CP932 form");
        }
        std::string line = std::to_string(row.id) + "," + converted;
        for (int value :
             {row.buildable, row.customers, row.moveCost, row.rent, row.chipColumn, row.chipRow,
              row.attribute, row.layer, static_cast<int>(row.underlayId), row.chipPage}) {
            line += "," + std::to_string(value);
        }
        lines.push_back(line);
    }
    return writeLines(path, lines);
}

}  // namespace vellmora::gen
