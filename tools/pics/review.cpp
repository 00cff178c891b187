#include "tools/pics/review.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <algorithm>

#include "data/map_chunk.h"
#include "game/map_file.h"
#include "game/town_map.h"
#include "tools/pics/chips.h"
#include "tools/pics/style.h"

namespace pics {

namespace {

constexpr int kZoom = 2;
constexpr int kBoxWidth = 200;
constexpr int kBoxHeight = kTile * kZoom + 40;
constexpr int kPerRow = 8;

void checker(QPainter& p, const QRect& r) {
    for (int y = r.top(); y < r.bottom(); y += 8) {
        for (int x = r.left(); x < r.right(); x += 8) {
            const bool dark = ((x - r.left()) / 8 + (y - r.top()) / 8) & 1;
            p.fillRect(QRect(x, y, 8, 8).intersected(r),
                       dark ? QColor(150, 150, 156) : QColor(190, 190, 196));
        }
    }
}

void label(QPainter& p, int x, int y, const QString& first, const QString& second) {
    QFont font("Noto Sans CJK JP");
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(x, y, kBoxWidth - 4, 16), Qt::AlignLeft | Qt::AlignVCenter, first);
    p.setPen(QColor(200, 210, 230));
    p.drawText(QRect(x, y + 16, kBoxWidth - 4, 16), Qt::AlignLeft | Qt::AlignVCenter, second);
}

}  // namespace

QImage contactSheet(const ChipSheets& plan, const QImage& still, const QImage& motion) {
    std::vector<PlannedCell> stills;
    std::vector<PlannedCell> moving;
    for (const PlannedCell& cell : plan.cells) {
        (cell.page == 0 ? stills : moving).push_back(cell);
    }
    for (int code = kMarkerRefused; code <= kMarkerClose; ++code) {
        const char* const names[3] = {"カーソル：不可", "カーソル：建設", "カーソル：撤去"};
        stills.push_back({0, code % 16, code / 16, 0, names[code - kMarkerRefused]});
    }
    auto order = [](const PlannedCell& a, const PlannedCell& b) {
        return a.row * 16 + a.column < b.row * 16 + b.column;
    };
    std::sort(stills.begin(), stills.end(), order);
    std::sort(moving.begin(), moving.end(), order);

    const int stillRows = (static_cast<int>(stills.size()) + kPerRow - 1) / kPerRow;
    const int width = std::max(kPerRow * kBoxWidth, kBoxWidth + kFrames * kTile * kZoom) + 16;
    const int height = 40 + stillRows * kBoxHeight + 40 +
                       static_cast<int>(moving.size()) * (kTile * kZoom + 12) + 16;
    QImage sheet(width, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(40, 42, 52));
    QPainter p(&sheet);
    QFont heading("Noto Sans CJK JP");
    heading.setPixelSize(18);
    heading.setBold(true);
    p.setFont(heading);
    p.setPen(Qt::white);
    p.drawText(QPoint(8, 26), "mapchip.bmp");
    int i = 0;
    for (const PlannedCell& cell : stills) {
        const int x = 8 + (i % kPerRow) * kBoxWidth;
        const int y = 40 + (i / kPerRow) * kBoxHeight;
        const QRect target(x, y, kTile * kZoom, kTile * kZoom);
        checker(p, target);
        p.drawImage(target, still, QRect(cell.column * kTile, cell.row * kTile, kTile, kTile));
        const int code = cell.row * 16 + cell.column;
        label(p, x, y + kTile * kZoom + 2,
              QString("%1  (%2,%3)").arg(code).arg(cell.column).arg(cell.row),
              cell.id != 0 ? QString("%1 %2").arg(cell.id).arg(QString::fromStdString(cell.name))
                           : QString::fromStdString(cell.name));
        ++i;
    }
    int y = 40 + stillRows * kBoxHeight + 10;
    p.setFont(heading);
    p.setPen(Qt::white);
    p.drawText(QPoint(8, y + 16), "motionchip.bmp");
    y += 30;
    for (const PlannedCell& cell : moving) {
        const int code = 256 + cell.row * 16 + cell.column;
        label(p, 8, y + 30, QString("%1  (%2,%3)").arg(code).arg(cell.column).arg(cell.row),
              QString("%1 %2").arg(cell.id).arg(QString::fromStdString(cell.name)));
        for (int f = 0; f < kFrames; ++f) {
            const QRect target(8 + kBoxWidth + f * kTile * kZoom, y, kTile * kZoom, kTile * kZoom);
            checker(p, target);
            p.drawImage(target, motion,
                        QRect(cell.column * kTile, (cell.row + f) * kTile, kTile, kTile));
        }
        y += kTile * kZoom + 12;
    }
    return sheet;
}

QImage overlayMatrix(const ChipSheets& plan, const QImage& still, const QImage& motion) {
    const std::int32_t grounds[] = {10000, 10001, 10010, 10011, 10012, 20005, 30000, 40001, 50001};
    auto cellOf = [&plan](std::int32_t id) {
        for (const PlannedCell& cell : plan.cells) {
            if (cell.id == id) {
                return cell;
            }
        }
        return PlannedCell{};
    };
    constexpr int kCount = sizeof(grounds) / sizeof(grounds[0]);
    QImage matrix(kCount * kTile * 2, kFirms * 5 * kTile, QImage::Format_ARGB32_Premultiplied);
    matrix.fill(Qt::black);
    QPainter p(&matrix);
    for (int row = 0; row < kFirms * 5; ++row) {
        const PlannedCell over = cellOf(90000 + 100 * (row / 5) + row % 5);
        for (int g = 0; g < kCount; ++g) {
            const PlannedCell ground = cellOf(grounds[g]);
            for (int copy = 0; copy < 2; ++copy) {
                const QRect target((g * 2 + copy) * kTile, row * kTile, kTile, kTile);
                const QImage& sheet = ground.page == 0 ? still : motion;
                p.drawImage(target, sheet,
                            QRect(ground.column * kTile, ground.row * kTile, kTile, kTile));
                p.drawImage(target, still,
                            QRect(over.column * kTile, over.row * kTile, kTile, kTile));
            }
        }
    }
    return matrix;
}

bool writeTownPictures(const std::string& programDir, const std::string& outDir,
                       const QImage& still, const QImage& motion, std::string& error) {
    const QDir maps(QString::fromStdString(programDir + "/map"));
    const QStringList files = maps.entryList({"*.zmf"}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        vellmora::TownMap town;
        vellmora::MapChunk root;
        const std::string path = maps.filePath(file).toStdString();
        if (town.init(1, 1, programDir + "/zdt/blddata") != 0 ||
            vellmora::readMapFile(path, root) != 0 || town.loadMap(root) != 0) {
            error = path + ": cannot be loaded";
            return false;
        }
        const std::string name = QFileInfo(file).completeBaseName().toStdString();
        const int w = town.width();
        const int h = town.height();
        const QString base = QString::fromStdString(outDir + "/town-" + name);
        drawTown(town.layers(), w, h, still, motion, 0).save(base + ".png");
        // A few shops of every company on buildable tiles, sizes in turn.
        int placed = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (town.buildable(x, y) && ((x * 7 + y * 13) % 5) == 0) {
                    const int firm = placed % kFirms;
                    const int size = (placed / kFirms) % 3;
                    if (town.drawBuildingId(x, y, 80000 + 100 * firm + size) == 0) {
                        ++placed;
                    }
                }
            }
        }
        drawTown(town.layers(), w, h, still, motion, 0).save(base + "-shops.png");
        town.showCustomers();
        drawTown(town.layers(), w, h, still, motion, 0).save(base + "-customers.png");
    }
    return true;
}

}  // namespace pics
