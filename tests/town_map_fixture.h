// A small building table and map descriptions for tests of the town map and its files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/map_file.h"
#include "support/temp_dir.h"

namespace vellmora::test {

// Building ids of the fixture table.
inline constexpr std::int32_t kGrass = 10000;  // buildable, 5 customers, cost 2, rent 100, layer 2
inline constexpr std::int32_t kRoad = 10001;   // cost 1, layer 0
inline constexpr std::int32_t kWall = 10002;   // not walkable
inline constexpr std::int32_t kHouse = 10003;  // 25 customers, rent 301, page 1 chip 20, attribute
                                               // 1, layer 3, underlay road
inline constexpr std::int32_t kCustomerTileBase = 20000;  // 20000 + i holds kCustomerCounts[i]
inline constexpr int kCustomerCounts[] = {0, -1, 1, 9, 10, 19, 20, 29, 30, 39, 40, 500};

// Each overlay picture's chip code (page * 256 + chip) is its id - 90000.
inline int overlayCode(std::int32_t id) {
    return id - 90000;
}

inline std::string buildingRow(std::int32_t id, const char* name, int buildable, int customers,
                               int moveCost, int rent, int chip, int attribute, int layer,
                               int underlay, int page) {
    return std::to_string(id) + "," + name + "," + std::to_string(buildable) + "," +
           std::to_string(customers) + "," + std::to_string(moveCost) + "," + std::to_string(rent) +
           "," + std::to_string(chip % 16) + "," + std::to_string(chip / 16) + "," +
           std::to_string(attribute) + "," + std::to_string(layer) + "," +
           std::to_string(underlay) + "," + std::to_string(page) + "\n";
}

inline std::string fixtureBuildingData() {
    std::string text = "blddata,10000,test,1\n";
    text += buildingRow(kGrass, "grass", 1, 5, 2, 100, 1, 0, 2, 0, 0);
    text += buildingRow(kRoad, "road", 0, 0, 1, 0, 2, 0, 0, 0, 0);
    text += buildingRow(kWall, "wall", 0, 0, -1, 0, 3, 0, 0, 0, 0);
    text += buildingRow(kHouse, "house", 1, 25, 2, 301, 20, 1, 3, kRoad, 1);
    for (std::size_t i = 0; i < std::size(kCustomerCounts); ++i) {
        text += buildingRow(kCustomerTileBase + static_cast<std::int32_t>(i), "people", 1,
                            kCustomerCounts[i], 2, 0, 4, 0, 2, 0, 0);
    }
    for (int firm = 0; firm < 4; ++firm) {
        for (int step = 0; step < 5; ++step) {
            const std::int32_t id = 90000 + 100 * firm + step;
            text += buildingRow(id, "overlay", 0, 0, 0, 0, overlayCode(id) % 256, 0, 1, 0,
                                overlayCode(id) / 256);
        }
    }
    return text;
}

// A map given as rows of characters: '.' grass, '=' road, '#' wall, 'h' house.
inline MapDescription describeRows(const std::vector<std::string>& rows) {
    MapDescription map;
    map.width = static_cast<int>(rows[0].size());
    map.height = static_cast<int>(rows.size());
    for (const std::string& row : rows) {
        for (char c : row) {
            switch (c) {
                case '=':
                    map.buildingIds.push_back(kRoad);
                    map.moveCosts.push_back(1);
                    break;
                case '#':
                    map.buildingIds.push_back(kWall);
                    map.moveCosts.push_back(-1);
                    break;
                case 'h':
                    map.buildingIds.push_back(kHouse);
                    map.moveCosts.push_back(2);
                    break;
                default:
                    map.buildingIds.push_back(kGrass);
                    map.moveCosts.push_back(2);
                    break;
            }
        }
    }
    return map;
}

// A temp folder holding the fixture building table.
class BuildingFixture {
public:
    BuildingFixture() { path_ = dir_.write("zdt/blddata", fixtureBuildingData()); }
    const std::string& path() const { return path_; }
    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
    std::string path_;
};

}  // namespace vellmora::test
