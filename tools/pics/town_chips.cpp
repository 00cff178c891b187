// Shops, offices and the public buildings of the town (not the companies' restaurants).
#include "tools/pics/chips.h"
#include "tools/pics/style.h"

namespace pics {

namespace {

// A striped awning across a shop front.
void awning(QPainter& p, int x, int y, int w, const QColor& colour) {
    for (int i = 0; i < w; ++i) {
        fill(p, x + i, y, 1, 3, ((i / 2) & 1) ? col("cloth_white") : colour);
    }
    hline(p, x, x + w - 1, y + 3, col("outline"));
}

void smallShops(QPainter& p) {
    groundPlaza(p);
    const char* const roofs[3] = {"roof_moss", "roof_slate", "roof_brown"};
    const char* const cloths[3] = {"roof_teal", "wall_brick", "roof_moss"};
    for (int i = 0; i < 3; ++i) {
        const QRectF shop(1 + i * 16, 18, 14, 12);
        castShadow(p, shop, 14);
        block(p, shop, 14, col(roofs[i]), col("wall_cream"));
        fill(p, static_cast<int>(shop.left()) + 2, 22, 10, 7, col("glass_dark"));
        px(p, static_cast<int>(shop.left()) + 3, 23, col("glass"));
        awning(p, static_cast<int>(shop.left()) + 1, 19, 13, col(cloths[i]));
    }
    fill(p, 6, 36, 4, 4, col("wood"));
    fill(p, 30, 38, 6, 3, col("roof_slate"));
}

void arcade(QPainter& p) {
    groundPlaza(p);
    // Shops on both sides of a covered street that runs north-south.
    for (int side = 0; side < 2; ++side) {
        const int x = side == 0 ? 0 : 32;
        for (int k = 0; k < 3; ++k) {
            const QRectF shop(x, 4 + k * 15, 16, 12);
            block(p, shop, 6, col(k == 1 ? "roof_brown" : "roof_slate"), col("wall_cream"));
            fill(p, side == 0 ? 13 : 32, static_cast<int>(shop.top()) + 2, 3, 8, col("glass_dark"));
        }
    }
    // The glass roof of the arcade with its ribs.
    fill(p, 15, 0, 18, kTile, col("glass"));
    vline(p, 15, 0, kTile - 1, col("outline"));
    vline(p, 32, 0, kTile - 1, col("outline"));
    vline(p, 23, 0, kTile - 1, col("glass_dark"));
    vline(p, 24, 0, kTile - 1, shade(col("glass"), 125));
    for (int y = 2; y < kTile; y += 6) {
        hline(p, 16, 31, y, col("glass_dark"));
        hline(p, 16, 22, y + 1, shade(col("glass"), 120));
    }
}

void office(QPainter& p) {
    groundPlaza(p);
    const QRectF base(6, 30, 34, 14);
    castShadow(p, base, 22);
    block(p, base, 22, col("roof_grey"), col("concrete"));
    for (int y = 24; y < 42; y += 4) {
        fill(p, 8, y, 30, 2, col("glass_dark"));
        hline(p, 8, 37, y, col("glass"));
    }
    fill(p, 20, 39, 8, 5, col("glass_dark"));
    fill(p, 10, 11, 10, 5, shade(col("roof_grey"), 85));
}

void bigOffice(QPainter& p) {
    groundPlaza(p);
    const QRectF base(5, 33, 38, 13);
    castShadow(p, base, 30);
    block(p, base, 30, col("roof_slate"), col("glass_dark"));
    // Curtain wall with a diagonal reflection.
    for (int y = 17; y < 46; y += 3) {
        hline(p, 6, 42, y, col("window"));
    }
    for (int x = 9; x < 43; x += 6) {
        vline(p, x, 17, 45, col("window"));
    }
    p.save();
    p.setClipRect(QRect(6, 17, 36, 29));
    p.setPen(Qt::NoPen);
    p.setBrush(col("glass"));
    QPolygonF shine;
    shine << QPointF(14, 17) << QPointF(22, 17) << QPointF(8, 46) << QPointF(0, 46);
    p.drawPolygon(shine);
    p.restore();
    fill(p, 12, 7, 14, 4, shade(col("roof_slate"), 80));
    fill(p, 30, 6, 8, 6, col("concrete"));
}

void school(QPainter& p) {
    groundLawn(p);
    fill(p, 0, 30, kTile, 18, col("soil"));
    hline(p, 0, kTile - 1, 30, shade(col("soil"), 80));
    for (int x = 6; x < 44; x += 12) {
        px(p, x, 40, col("cloth_white"));
    }
    const QRectF wing(3, 14, 42, 12);
    castShadow(p, wing, 14);
    block(p, wing, 14, col("roof_grey"), col("wall_white"));
    for (int floor = 0; floor < 3; ++floor) {
        for (int x = 5; x < 43; x += 4) {
            fill(p, x, 14 + floor * 4, 3, 2, col("window"));
        }
    }
    fill(p, 20, 2, 8, 12, col("wall_white"));
    p.save();
    p.setPen(QPen(col("outline"), 1));
    p.setBrush(col("wall_white"));
    p.drawRect(QRectF(20, 2, 8, 12));
    p.drawEllipse(QPointF(24, 6), 2.5, 2.5);
    p.restore();
    // Goal posts on the ground.
    vline(p, 4, 36, 43, col("cloth_white"));
    vline(p, 43, 36, 43, col("cloth_white"));
}

void hospital(QPainter& p) {
    groundPlaza(p);
    const QRectF base(4, 30, 40, 14);
    castShadow(p, base, 20);
    block(p, base, 20, col("wall_grey"), col("wall_white"));
    for (int floor = 0; floor < 4; ++floor) {
        for (int x = 6; x < 42; x += 4) {
            fill(p, x, 25 + floor * 4, 2, 2, col("glass_dark"));
        }
    }
    // Green cross on the roof and over the door.
    const QColor cross = col("roof_teal");
    fill(p, 20, 13, 8, 2, cross);
    fill(p, 23, 10, 2, 8, cross);
    fill(p, 20, 38, 8, 6, col("glass"));
    hline(p, 18, 29, 37, col("roof_teal"));
}

}  // namespace

void addTownChips(ChipTable& t) {
    t[60000] = [](QPainter& p, int) { smallShops(p); };
    t[60001] = [](QPainter& p, int) { arcade(p); };
    t[60002] = [](QPainter& p, int) { office(p); };
    t[60003] = [](QPainter& p, int) { bigOffice(p); };
    t[60004] = [](QPainter& p, int) { school(p); };
    t[60005] = [](QPainter& p, int) { hospital(p); };
}

}  // namespace pics
