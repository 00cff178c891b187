// The companies' restaurants: one colour per company (roof, awning and sign), one shape of
// logo per company so that the colours are not the only clue, and three sizes.
#include "tools/pics/chips.h"
#include "tools/pics/style.h"

namespace pics {

namespace {

// The company mark: a circle, a square, a triangle or a diamond, in white on the colour.
void logo(QPainter& p, QPointF centre, double r, int firm) {
    p.save();
    p.setPen(QPen(col("outline"), 1));
    p.setBrush(firmColour(firm));
    p.drawEllipse(centre, r + 1.5, r + 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(col("cloth_white"));
    const double s = r * 0.62;
    QPolygonF mark;
    switch (firm) {
        case 0:
            p.drawEllipse(centre, s, s);
            break;
        case 1:
            p.drawRect(QRectF(centre.x() - s, centre.y() - s, 2 * s, 2 * s));
            break;
        case 2:
            mark << QPointF(centre.x(), centre.y() - s - 0.5)
                 << QPointF(centre.x() + s + 0.5, centre.y() + s)
                 << QPointF(centre.x() - s - 0.5, centre.y() + s);
            p.drawPolygon(mark);
            break;
        default:
            mark << QPointF(centre.x(), centre.y() - s - 1)
                 << QPointF(centre.x() + s + 1, centre.y())
                 << QPointF(centre.x(), centre.y() + s + 1)
                 << QPointF(centre.x() - s - 1, centre.y());
            p.drawPolygon(mark);
            break;
    }
    p.restore();
}

void stripedAwning(QPainter& p, double x, double y, double w, double h, int firm) {
    const QColor colour = firmColour(firm);
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i * 3 < w; ++i) {
        p.setBrush((i & 1) ? col("cloth_white") : colour);
        p.drawRect(QRectF(x + i * 3, y, 3, h));
    }
    // Scalloped hem.
    p.setBrush(colour);
    for (double sx = x; sx < x + w - 1; sx += 3) {
        p.drawEllipse(QRectF(sx, y + h - 1.5, 3, 3));
    }
    p.setPen(QPen(col("outline"), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(x, y, w, h));
    p.restore();
}

void stall(QPainter& p, int firm) {
    // A food stall: a cart in the company's colour under a striped canopy, a lantern and a bench.
    const QColor colour = firmColour(firm);
    const QRectF body(14, 29, 20, 9);
    ditherShadow(p, body, 14);
    block(p, body, 7, shade(col("wood"), 115), shade(colour, 85));
    hline(p, 15, 32, 34, shade(colour, 65));
    for (int x = 17; x < 32; x += 5) {
        fill(p, x, 35, 3, 2, shade(colour, 115));
    }
    fill(p, 15, 38, 3, 3, col("outline"));
    fill(p, 30, 38, 3, 3, col("outline"));
    for (const int x : {15, 32}) {
        vline(p, x, 17, 30, col("outline"));
    }
    stripedAwning(p, 12, 13, 24, 7, firm);
    // Noren curtain in the company's colour.
    fill(p, 17, 20, 14, 4, colour);
    for (int x = 20; x < 31; x += 4) {
        vline(p, x, 21, 23, shade(colour, 70));
    }
    p.save();
    p.setPen(QPen(col("outline"), 1));
    p.setBrush(col("window_lit"));
    p.drawEllipse(QRectF(35, 19, 4, 6));
    p.restore();
    fill(p, 8, 36, 5, 2, col("wood"));
    px(p, 8, 38, col("outline"));
    px(p, 12, 38, col("outline"));
    logo(p, QPointF(24, 8), 3.5, firm);
}

void restaurant(QPainter& p, int firm) {
    const QColor colour = firmColour(firm);
    const QRectF base(7, 26, 34, 16);
    ditherShadow(p, base, 14);
    block(p, base, 13, colour, col("wall_cream"));
    // Roof detail: a lighter band and a kitchen vent.
    fill(p, 9, 16, 30, 2, shade(colour, 118));
    fill(p, 30, 15, 5, 4, col("roof_grey"));
    // Shop front: windows and a door under an awning.
    fill(p, 10, 33, 10, 7, col("glass"));
    fill(p, 28, 33, 10, 7, col("glass"));
    px(p, 11, 34, col("cloth_white"));
    px(p, 29, 34, col("cloth_white"));
    fill(p, 21, 32, 6, 10, col("glass_dark"));
    stripedAwning(p, 8, 29, 32, 4, firm);
    // Sign on the roof.
    fill(p, 12, 7, 24, 7, col("outline"));
    fill(p, 13, 8, 22, 5, col("cloth_white"));
    logo(p, QPointF(24, 10.5), 3.5, firm);
    hline(p, 14, 19, 10, colour);
    hline(p, 29, 34, 10, colour);
    hline(p, 14, 19, 11, shade(colour, 80));
    hline(p, 29, 34, 11, shade(colour, 80));
}

void bigRestaurant(QPainter& p, int firm) {
    const QColor colour = firmColour(firm);
    const QRectF base(2, 24, 44, 21);
    ditherShadow(p, base, 16);
    block(p, base, 18, colour, col("wall_cream"));
    fill(p, 4, 9, 40, 2, shade(colour, 118));
    fill(p, 4, 20, 40, 2, shade(colour, 85));
    // Two floors of windows, a wide entrance and an awning along the front.
    for (int x = 5; x < 44; x += 5) {
        fill(p, x, 28, 3, 4, col("glass"));
    }
    fill(p, 5, 36, 14, 7, col("glass"));
    fill(p, 29, 36, 14, 7, col("glass"));
    fill(p, 20, 35, 8, 10, col("glass_dark"));
    px(p, 6, 37, col("cloth_white"));
    px(p, 30, 37, col("cloth_white"));
    stripedAwning(p, 3, 32, 42, 4, firm);
    // A tall pole sign with the company mark, seen from afar.
    vline(p, 41, 4, 12, col("outline"));
    vline(p, 42, 4, 12, col("roof_grey"));
    logo(p, QPointF(41.5, 6), 5, firm);
    // Roof sign board.
    fill(p, 8, 1, 26, 9, col("outline"));
    fill(p, 9, 2, 24, 7, col("cloth_white"));
    fill(p, 9, 2, 24, 2, colour);
    fill(p, 12, 5, 18, 2, shade(colour, 75));
}

}  // namespace

void drawShop(QPainter& p, int firm, int size) {
    switch (size) {
        case 0:
            stall(p, firm);
            break;
        case 1:
            restaurant(p, firm);
            break;
        default:
            bigRestaurant(p, firm);
            break;
    }
}

void addShopChips(ChipTable& t) {
    for (int firm = 0; firm < kFirms; ++firm) {
        for (int size = 0; size < 3; ++size) {
            t[80000 + 100 * firm + size] = [firm, size](QPainter& p, int) {
                drawShop(p, firm, size);
            };
        }
    }
}

}  // namespace pics
