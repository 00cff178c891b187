// The building table source (content/buildings.csv): every kind of tile with its chip cell, and
// the cells kept for the cursor. Checked here and written as the game's "blddata" file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vellmora::gen {

struct BuildingRow {
    std::int32_t id = 0;
    std::string name;  // UTF-8
    int buildable = 0;
    int customers = 0;
    int moveCost = 0;
    int rent = 0;
    int chipColumn = 0;
    int chipRow = 0;
    int attribute = 0;
    int layer = 0;
    std::int32_t underlayId = 0;
    int chipPage = 0;
    std::string picture;  // what the artist draws in the cell
};

struct ReservedCell {
    int column = 0;
    int row = 0;
    int page = 0;
    std::string use;
};

struct BuildingSource {
    std::string header;  // row 0, copied as it is
    std::vector<BuildingRow> rows;
    std::vector<ReservedCell> reserved;
};

// Parses and checks the source: unique ids and chip cells, layers, underlays, the ids the game
// draws by number (base tile, shops, overlays), buildable tiles walkable. False with messages.
bool readBuildingSource(const std::string& path, BuildingSource& out);

// Writes the "blddata" file: the header and 12 fields per building, in CP932.
bool writeBuildingData(const BuildingSource& source, const std::string& path);

}  // namespace vellmora::gen
