// Drawing both chip sheets from the chip plan of the building data, and drawing towns with them.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "data/building_table.h"
#include "game/chip_source.h"

namespace pics {

// One planned picture: where it lives and what it is.
struct PlannedCell {
    int page = 0;  // 0 still sheet, 1 animated sheet
    int column = 0;
    int row = 0;  // first frame's row on the animated sheet
    std::int32_t id = 0;
    std::string name;  // UTF-8
};

struct ChipSheets {
    QImage still;  // 16 x 48 wide; ARGB, transparent where nothing is drawn
    QImage motion;
    std::vector<PlannedCell> cells;
};

// False with a message when the plan names a cell twice, a cell outside the sheets or a building
// that has no drawing.
bool drawSheets(const vellmora::BuildingTable& table, ChipSheets& sheets, std::string& error);

// Draws a chip source's layers 0-6 as the map view does, at animation phase `phase`, onto a
// picture of width x height tiles.
QImage drawTown(const vellmora::ChipSource& source, int width, int height, const QImage& still,
                const QImage& motion, int phase);

}  // namespace pics
