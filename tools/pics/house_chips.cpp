// Parks and homes.
#include <QPainterPath>

#include "tools/pics/chips.h"
#include "tools/pics/style.h"

namespace pics {

namespace {

void park(QPainter& p) {
    groundLawn(p);
    // A winding path with a bench and a flower bed.
    p.save();
    p.setPen(QPen(col("soil"), 5, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath path(QPointF(0, 30));
    path.cubicTo(QPointF(16, 22), QPointF(30, 40), QPointF(48, 30));
    p.drawPath(path);
    p.restore();
    fill(p, 22, 23, 8, 2, col("wood"));
    hline(p, 22, 29, 22, shade(col("wood"), 130));
    px(p, 22, 25, col("outline"));
    px(p, 29, 25, col("outline"));
    Scatter s(13);
    for (int i = 0; i < 12; ++i) {
        px(p, 32 + s.next(10), 40 + s.next(5), (i & 1) ? col("flower_pink") : col("flower_white"));
    }
    tree(p, QPointF(10, 20), 7, col("tree"));
    tree(p, QPointF(38, 20), 6, col("tree_light"));
    tree(p, QPointF(14, 46), 6, col("tree_light"));
}

void woods(QPainter& p) {
    fill(p, 0, 0, kTile, kTile, col("grass_dark"));
    Scatter s(17);
    for (int i = 0; i < 30; ++i) {
        px(p, s.next(kTile), s.next(kTile), col("tree_dark"));
    }
    const QPointF spots[] = {{10, 12}, {30, 9},  {44, 16}, {20, 24}, {38, 30},
                             {6, 34},  {26, 40}, {44, 46}, {12, 47}};
    const char* const leaves[] = {"tree", "tree_dark", "tree_light"};
    int i = 0;
    for (const QPointF& at : spots) {
        tree(p, at, 7 + (i % 3), col(leaves[i % 3]));
        ++i;
    }
}

void torii(QPainter& p, int x, int y) {
    const QColor red = col("shrine_red");
    fill(p, x, y, 2, 12, red);
    fill(p, x + 12, y, 2, 12, red);
    fill(p, x - 2, y - 3, 18, 2, col("outline"));
    fill(p, x - 1, y, 16, 2, red);
    hline(p, x - 1, x + 14, y - 1, shade(red, 130));
    vline(p, x + 1, y, y + 11, col("outline"));
    vline(p, x + 13, y, y + 11, col("outline"));
}

void shrine(QPainter& p) {
    fill(p, 0, 0, kTile, kTile, col("gravel"));
    Scatter s(29);
    for (int i = 0; i < 60; ++i) {
        px(p, s.next(kTile), s.next(kTile), shade(col("gravel"), s.next(2) ? 88 : 110));
    }
    fill(p, 19, 26, 10, 22, col("pave"));
    tree(p, QPointF(6, 16), 7, col("tree_dark"));
    tree(p, QPointF(42, 14), 7, col("tree"));
    const QRectF hall(13, 15, 22, 10);
    castShadow(p, hall, 10);
    gableHouse(p, hall, 7, 5, col("roof_teal"), col("wood"));
    fill(p, 21, 19, 6, 6, shade(col("wood"), 70));
    torii(p, 17, 36);
    tree(p, QPointF(5, 46), 5, col("tree"));
    tree(p, QPointF(43, 46), 5, col("tree_dark"));
}

void gardenHedge(QPainter& p) {
    for (int x = 1; x < kTile - 1; x += 3) {
        fill(p, x, 44, 3, 3, col("tree_dark"));
        px(p, x, 44, col("tree_light"));
    }
}

void detached(QPainter& p) {
    groundLot(p);
    gardenHedge(p);
    const QRectF home(4, 21, 28, 14);
    castShadow(p, home, 15);
    gableHouse(p, home, 10, 6, col("roof_brown"), col("wall_cream"));
    windows(p, 7, 22, 27, 33, 6, 10, col("window"));
    fill(p, 24, 28, 4, 7, col("wood"));
    px(p, 27, 31, col("paint_yellow"));
    fill(p, 24, 35, 4, 9, col("pave"));
    tree(p, QPointF(40, 26), 7, col("tree_light"));
    fill(p, 33, 36, 10, 6, col("soil"));
    for (int x = 34; x < 43; x += 2) {
        px(p, x, 38, col("tree_light"));
        px(p, x + 1, 40, col("flower_pink"));
    }
}

void rowHouses(QPainter& p) {
    groundLot(p);
    const char* const roofs[3] = {"roof_slate", "roof_brown", "roof_moss"};
    const char* const walls[3] = {"wall_white", "wall_cream", "wall_brick"};
    for (int i = 0; i < 3; ++i) {
        const QRectF home(2 + i * 15, 20 + (i == 1 ? 4 : 0), 13, 11);
        castShadow(p, home, 12);
        gableHouse(p, home, 8, 4, col(roofs[i]), col(walls[i]));
        windows(p, home.left() + 2, home.right() - 2, home.bottom() - 6, home.bottom() - 2, 5, 10,
                col("window"));
    }
    gardenHedge(p);
    fill(p, 4, 40, 8, 3, col("soil"));
    tree(p, QPointF(26, 44), 4, col("tree"));
}

void apartment(QPainter& p) {
    groundLot(p);
    const QRectF slab(4, 22, 38, 14);
    castShadow(p, slab, 16);
    gableHouse(p, slab, 14, 4, col("roof_slate"), col("wall_cream"));
    // Two floors of doors and balconies, and an outside stair.
    for (int floor = 0; floor < 2; ++floor) {
        const int y = 24 + floor * 6;
        hline(p, 5, 35, y + 5, col("outline"));
        for (int x = 6; x < 34; x += 7) {
            fill(p, x, y + 1, 3, 4, col("window"));
            fill(p, x + 3, y + 2, 3, 3, col("wood"));
        }
    }
    fill(p, 36, 23, 5, 13, col("roof_grey"));
    for (int y = 24; y < 36; y += 2) {
        hline(p, 36, 40, y, col("outline"));
    }
    fill(p, 8, 39, 10, 5, col("asphalt"));
    fill(p, 9, 40, 4, 3, col("roof_slate"));
}

void mansion(QPainter& p) {
    groundLot(p);
    const QRectF base(5, 30, 38, 14);
    castShadow(p, base, 26);
    block(p, base, 26, col("roof_brown"), col("wall_cream"));
    // Five floors of homes, each with a balcony rail.
    for (int floor = 0; floor < 5; ++floor) {
        const int y = 19 + floor * 5;
        for (int x = 7; x < 41; x += 7) {
            fill(p, x, y, 4, 3, col("window"));
            px(p, x, y, shade(col("window"), 160));
            fill(p, x + 4, y, 2, 3, shade(col("wall_cream"), 85));
        }
        hline(p, 6, 41, y + 3, col("wall_white"));
        hline(p, 6, 41, y + 4, shade(col("wall_cream"), 80));
    }
    fill(p, 21, 40, 6, 4, col("glass_dark"));
    fill(p, 10, 8, 8, 4, shade(col("roof_brown"), 80));
}

void estate(QPainter& p) {
    groundLot(p);
    for (int k = 0; k < 2; ++k) {
        const QRectF slab(3, 14 + k * 23, 42, 8);
        castShadow(p, slab, 16);
        block(p, slab, 16, col("concrete"), col("wall_grey"));
        const int top = static_cast<int>(slab.bottom()) - 16;
        for (int floor = 0; floor < 4; ++floor) {
            const int y = top + 1 + floor * 4;
            for (int x = 5; x < 44; x += 4) {
                fill(p, x, y, 2, 2, col("window"));
            }
        }
        fill(p, 8, top - 6, 5, 4, col("roof_teal"));
    }
}

void tower(QPainter& p) {
    groundLot(p);
    fill(p, 8, 40, 32, 6, col("pave"));
    const QRectF base(12, 34, 24, 10);
    castShadow(p, base, 34);
    block(p, base, 33, col("roof_grey"), col("wall_white"));
    for (int y = 12; y < 42; y += 3) {
        hline(p, 13, 35, y, col("window"));
        for (int x = 14; x < 35; x += 4) {
            px(p, x, y, shade(col("window"), 170));
        }
    }
    vline(p, 13, 11, 43, shade(col("wall_white"), 110));
    fill(p, 17, 2, 6, 5, shade(col("roof_grey"), 80));
    px(p, 30, 2, col("mark_red"));
}

}  // namespace

void addParkChips(ChipTable& t) {
    t[40000] = [](QPainter& p, int) { park(p); };
    t[40001] = [](QPainter& p, int) { woods(p); };
    t[40003] = [](QPainter& p, int) { shrine(p); };
}

void addHouseChips(ChipTable& t) {
    t[50000] = [](QPainter& p, int) { detached(p); };
    t[50001] = [](QPainter& p, int) { rowHouses(p); };
    t[50002] = [](QPainter& p, int) { apartment(p); };
    t[50003] = [](QPainter& p, int) { mansion(p); };
    t[50004] = [](QPainter& p, int) { estate(p); };
    t[50005] = [](QPainter& p, int) { tower(p); };
}

}  // namespace pics
