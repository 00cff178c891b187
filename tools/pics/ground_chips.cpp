// Open ground: the lot, parking, lawn, paving and riverbank.
#include "tools/pics/chips.h"
#include "tools/pics/style.h"

namespace pics {

void groundLot(QPainter& p) {
    fill(p, 0, 0, kTile, kTile, col("grass"));
    Scatter s(7);
    for (int i = 0; i < 40; ++i) {
        const int x = s.next(kTile);
        const int y = s.next(kTile);
        px(p, x, y, col("grass_dark"));
        px(p, x + 1, y, col("grass_dark"));
        px(p, (x + 17) % kTile, (y + 9) % kTile, col("grass_light"));
    }
    for (int i = 0; i < 6; ++i) {
        const int x = 2 + s.next(kTile - 4);
        const int y = 2 + s.next(kTile - 4);
        px(p, x, y - 1, col("grass_dark"));
        px(p, x - 1, y, col("grass_dark"));
        px(p, x + 1, y, col("grass_dark"));
        px(p, x, y, col("grass_light"));
    }
}

void groundLawn(QPainter& p) {
    // Mown stripes.
    for (int x = 0; x < kTile; x += 12) {
        fill(p, x, 0, 6, kTile, col("lawn"));
        fill(p, x + 6, 0, 6, kTile, shade(col("lawn"), 108));
    }
    Scatter s(11);
    for (int i = 0; i < 14; ++i) {
        px(p, s.next(kTile), s.next(kTile), shade(col("lawn"), 85));
    }
}

void groundPlaza(QPainter& p) {
    fill(p, 0, 0, kTile, kTile, col("pave"));
    Scatter s(5);
    for (int row = 0; row < 8; ++row) {
        const int y = row * 6;
        hline(p, 0, kTile - 1, y, col("pave_dark"));
        const int offset = (row & 1) ? 4 : 0;
        for (int x = offset; x < kTile; x += 8) {
            vline(p, x, y, y + 5, col("pave_dark"));
            if (s.next(5) == 0) {
                fill(p, x + 1, y + 1, 7, 5, shade(col("pave"), 105));
            }
        }
    }
}

namespace {

void groundParking(QPainter& p) {
    fill(p, 0, 0, kTile, kTile, col("asphalt"));
    Scatter s(3);
    for (int i = 0; i < 30; ++i) {
        px(p, s.next(kTile), s.next(kTile), shade(col("asphalt"), 112));
    }
    // Two rows of bays facing a middle lane.
    for (int x = 1; x < kTile; x += 12) {
        vline(p, x, 2, 14, col("paint"));
        vline(p, x, 33, 45, col("paint"));
    }
    hline(p, 1, kTile - 2, 2, col("paint"));
    hline(p, 1, kTile - 2, 45, col("paint"));
    // Two parked cars.
    const QColor cars[2] = {col("roof_slate"), col("wall_white")};
    for (int i = 0; i < 2; ++i) {
        const int x = i == 0 ? 4 : 28;
        const int y = i == 0 ? 4 : 34;
        fill(p, x, y, 7, 10, col("outline"));
        fill(p, x + 1, y + 1, 5, 8, cars[i]);
        fill(p, x + 1, y + 3, 5, 3, col("glass_dark"));
        hline(p, x + 1, x + 5, y + 1, shade(cars[i], 125));
    }
}

void groundRiverbank(QPainter& p) {
    // Meadow with gravel and clumps of reeds; no direction, since the river may run either way.
    fill(p, 0, 0, kTile, kTile, col("grass_light"));
    Scatter s(19);
    for (int i = 0; i < 8; ++i) {
        const int x = s.next(kTile - 8);
        const int y = s.next(kTile - 6);
        fill(p, x + 1, y, 6, 4, col("gravel"));
        fill(p, x, y + 1, 8, 2, col("gravel"));
        px(p, x + 2, y + 1, shade(col("gravel"), 115));
        px(p, x + 5, y + 2, shade(col("gravel"), 85));
    }
    for (int i = 0; i < 40; ++i) {
        px(p, s.next(kTile), s.next(kTile), col("grass"));
    }
    for (int i = 0; i < 7; ++i) {
        const int x = 2 + s.next(kTile - 6);
        const int y = 6 + s.next(kTile - 8);
        for (int k = 0; k < 4; ++k) {
            vline(p, x + k, y - 3 - (k & 1) * 2, y, k == 1 ? col("tree_light") : col("grass_dark"));
        }
        px(p, x + 1, y - 6, col("soil"));
    }
}

}  // namespace

void addGroundChips(ChipTable& t) {
    t[10000] = [](QPainter& p, int) { groundLot(p); };
    t[10001] = [](QPainter& p, int) { groundParking(p); };
    t[10010] = [](QPainter& p, int) { groundLawn(p); };
    t[10011] = [](QPainter& p, int) { groundPlaza(p); };
    t[10012] = [](QPainter& p, int) { groundRiverbank(p); };
}

}  // namespace pics
