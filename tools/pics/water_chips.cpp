// Water and the animated chips: river, pond, fountain and the factory's smoke.
#include <cmath>

#include "tools/pics/chips.h"
#include "tools/pics/style.h"

namespace pics {

void waterSurface(QPainter& p, int frame, bool still) {
    fill(p, 0, 0, kTile, kTile, col("water"));
    Scatter s(41);
    for (int i = 0; i < 26; ++i) {
        px(p, s.next(kTile), s.next(kTile), col("water_deep"));
    }
    // Wave crests on a lattice that drifts one lattice step every frame (6 px, so the eight
    // frames loop and the tile repeats seamlessly).
    const int shift = still ? 0 : frame * 6;
    for (int row = 0; row < 6; ++row) {
        const int y = row * 8 + 3;
        const int offset = (row & 1) ? 12 : 0;
        for (int k = 0; k < 2; ++k) {
            const int x0 = (offset + k * 24 + shift + row * 5) % kTile;
            for (int i = 0; i < 7; ++i) {
                const int x = (x0 + i) % kTile;
                const int dy = (i == 0 || i == 6) ? 1 : 0;
                px(p, x, y + dy, i == 3 ? col("foam") : col("water_light"));
                px(p, x, y + dy + 1, col("water_deep"));
            }
        }
    }
}

namespace {

void pond(QPainter& p, int frame) {
    fill(p, 0, 0, kTile, kTile, shade(col("water"), 95));
    Scatter s(43);
    for (int i = 0; i < 20; ++i) {
        px(p, s.next(kTile), s.next(kTile), col("water_deep"));
    }
    // Rings spreading from two points where fish rise.
    p.save();
    p.setBrush(Qt::NoBrush);
    const QPointF centres[2] = {QPointF(15, 16), QPointF(33, 32)};
    for (int c = 0; c < 2; ++c) {
        const int f = (frame + c * 4) % kFrames;
        const double r = 2 + f * 2.2;
        QColor ring = col("water_light");
        ring.setAlpha(255 - f * 26);
        p.setPen(QPen(ring, 1));
        p.drawEllipse(centres[c], r, r * 0.6);
        if (f >= 3) {
            p.drawEllipse(centres[c], r - 5, (r - 5) * 0.6);
        }
    }
    p.restore();
    // Lily pads.
    const QPoint pads[3] = {QPoint(36, 10), QPoint(9, 36), QPoint(40, 42)};
    for (const QPoint& pad : pads) {
        p.save();
        p.setPen(QPen(col("tree_dark"), 1));
        p.setBrush(col("tree_light"));
        p.drawPie(QRectF(pad.x() - 3, pad.y() - 2, 7, 5), 30 * 16, 300 * 16);
        p.restore();
    }
    px(p, 37, 10, col("flower_pink"));
}

void fountain(QPainter& p, int frame) {
    groundPlaza(p);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 24, 40, 80));
    p.drawEllipse(QPointF(27, 30), 19, 12);
    p.setPen(QPen(col("outline"), 1));
    p.setBrush(col("concrete"));
    p.drawEllipse(QPointF(24, 28), 20, 13);
    p.setBrush(col("water"));
    p.setPen(QPen(shade(col("concrete"), 80), 1));
    p.drawEllipse(QPointF(24, 29), 16, 10);
    // Ripples in the basin.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(col("water_light"), 1));
    const double r = 5 + (frame % 4) * 2.5;
    p.drawEllipse(QPointF(24, 30), r, r * 0.6);
    // The column and its spray: drops climb and fall back.
    p.setPen(QPen(col("outline"), 1));
    p.setBrush(col("concrete"));
    p.drawRect(QRectF(22, 22, 4, 8));
    p.restore();
    const QColor drop = col("foam");
    const QColor drop2 = col("water_light");
    const double h = 14 + 2 * std::sin(frame * 3.14159 / 4);
    fill(p, 23, static_cast<int>(22 - h), 2, static_cast<int>(h), drop);
    for (int k = 0; k < 6; ++k) {
        const double t = ((frame + k * 4.0 / 3.0) / kFrames);
        const double phase = t - std::floor(t);
        const int side = (k & 1) ? 1 : -1;
        const double x = 24 + side * (3 + phase * 11);
        const double y = 22 - h + 2 + (phase * 2.4 - 0.4) * (phase * 2.4 - 0.4) * 5 * 1.8;
        fill(p, static_cast<int>(x), static_cast<int>(y), 2, 2, (k % 3) ? drop : drop2);
    }
    px(p, 23, static_cast<int>(21 - h), col("wall_white"));
}

void factory(QPainter& p, int frame) {
    groundPlaza(p);
    const QRectF hall(3, 28, 34, 17);
    castShadow(p, hall, 12);
    p.save();
    p.setPen(QPen(col("outline"), 1));
    p.setBrush(col("wall_grey"));
    p.drawRect(QRectF(hall.left(), hall.bottom() - 12, hall.width(), 12));
    // Saw-tooth roof: lit north lights facing the viewer.
    for (int k = 0; k < 4; ++k) {
        const double x = hall.left() + k * 8.5;
        QPolygonF tooth;
        tooth << QPointF(x, hall.bottom() - 12) << QPointF(x, hall.top() - 12)
              << QPointF(x + 8.5, hall.bottom() - 12);
        p.setBrush(col("roof_grey"));
        p.drawPolygon(tooth);
        p.setBrush(col("glass"));
        p.drawRect(QRectF(x, hall.top() - 12, 1.5, hall.height() - 1));
    }
    p.restore();
    fill(p, 10, 38, 8, 7, col("roof_slate"));
    windows(p, 22, 36, 36, 42, 4, 10, col("window"));
    // The chimney and its smoke, which rises and thins.
    p.save();
    p.setPen(QPen(col("outline"), 1));
    p.setBrush(col("wall_brick"));
    p.drawRect(QRectF(39, 17, 5, 23));
    p.restore();
    hline(p, 40, 42, 18, shade(col("wall_brick"), 125));
    hline(p, 40, 43, 21, col("wall_white"));
    castShadow(p, QRectF(39, 38, 5, 2), 14);
    for (int k = 0; k < 4; ++k) {
        const int age = (frame + k * 2) % kFrames;
        const double y = 14 - age * 1.3;
        const double x = 41.5 - age * 1.8 + (k & 1);
        const double r = 2.0 + age * 0.45;
        QColor smoke = shade(col("wall_grey"), 112 - age * 2);
        p.save();
        p.setPen(QPen(shade(col("roof_grey"), 90), 1));
        p.setBrush(smoke);
        p.drawEllipse(QPointF(x, y), r, r * 0.85);
        p.restore();
    }
}

}  // namespace

void addWaterChips(ChipTable& t) {
    t[30000] = [](QPainter& p, int frame) { waterSurface(p, frame, false); };
    t[30001] = [](QPainter& p, int frame) { pond(p, frame); };
    t[40002] = [](QPainter& p, int frame) { fountain(p, frame); };
    t[60006] = [](QPainter& p, int frame) { factory(p, frame); };
}

}  // namespace pics
