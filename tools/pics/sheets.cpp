#include "tools/pics/sheets.h"

#include <QPainter>
#include <set>
#include <tuple>

#include "data/text_encoding.h"
#include "tools/pics/chips.h"
#include "tools/pics/style.h"

namespace pics {

namespace {

void paintCell(QImage& sheet, int column, int row, const DrawChip& draw, int frame) {
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(column * kTile, row * kTile);
    p.setClipRect(QRect(0, 0, kTile, kTile));
    draw(p, frame);
}

QImage emptySheet(int rows) {
    QImage sheet(kColumns * kTile, rows * kTile, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    return sheet;
}

}  // namespace

bool drawSheets(const vellmora::BuildingTable& table, ChipSheets& sheets, std::string& error) {
    const ChipTable chips = allChips();
    int stillRows = (kMarkerClose / kColumns) + 1;
    int motionRows = kFrames;
    std::set<std::tuple<int, int, int>> taken;  // page, column, row
    for (const auto& [id, def] : table.definitions()) {
        PlannedCell cell{def.chipPage, def.chip % kColumns, def.chip / kColumns, id,
                         vellmora::cp932ToUtf8(def.name)};
        const int frames = cell.page == 1 ? kFrames : 1;
        if ((cell.page != 0 && cell.page != 1) || def.chip < 0 || def.chip >= 256 ||
            (cell.page == 0 && def.chip >= kMarkerRefused)) {
            error = "building " + std::to_string(id) + " names a cell outside the sheets";
            return false;
        }
        if (chips.count(id) == 0) {
            error = "building " + std::to_string(id) + " has no drawing";
            return false;
        }
        for (int f = 0; f < frames; ++f) {
            if (!taken.emplace(cell.page, cell.column, cell.row + f).second) {
                error = "building " + std::to_string(id) + " shares a cell";
                return false;
            }
        }
        if (cell.page == 0) {
            stillRows = std::max(stillRows, cell.row + 1);
        } else {
            motionRows = std::max(motionRows, cell.row + kFrames);
        }
        sheets.cells.push_back(cell);
    }
    sheets.still = emptySheet(stillRows);
    sheets.motion = emptySheet(motionRows);
    for (const PlannedCell& cell : sheets.cells) {
        const DrawChip& draw = chips.at(cell.id);
        if (cell.page == 0) {
            paintCell(sheets.still, cell.column, cell.row, draw, 0);
        } else {
            for (int f = 0; f < kFrames; ++f) {
                paintCell(sheets.motion, cell.column, cell.row + f, draw, f);
            }
        }
    }
    for (int code = kMarkerRefused; code <= kMarkerClose; ++code) {
        paintCell(
            sheets.still, code % kColumns, code / kColumns,
            [code](QPainter& p, int) { drawMarker(p, code); }, 0);
    }
    return true;
}

QImage drawTown(const vellmora::ChipSource& source, int width, int height, const QImage& still,
                const QImage& motion, int phase) {
    QImage town(width * kTile, height * kTile, QImage::Format_ARGB32_Premultiplied);
    town.fill(Qt::black);
    QPainter p(&town);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int z = 0; z < 7; ++z) {
                const int c = source.chip(x, y, z);
                if (c < 0 || c >= 512) {
                    continue;
                }
                const int a = source.attribute(x, y, z);
                const int side = (a + 1) * kTile;
                const QRect target((x - a) * kTile, (y - a) * kTile, side, side);
                if (c < 256) {
                    p.drawImage(target, still,
                                QRect((c % 16 - a) * kTile, (c / 16 - a) * kTile, side, side));
                } else {
                    const int m = c - 256;
                    p.drawImage(
                        target, motion,
                        QRect((m % 16 - a) * kTile, (m / 16 - a + phase) * kTile, side, side));
                }
            }
        }
    }
    return town;
}

}  // namespace pics
