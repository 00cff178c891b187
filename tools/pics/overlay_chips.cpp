// The overlays of the display modes and the cursor markers. The bitmaps have one transparent
// colour, so an overlay looks see-through by leaving a regular share of its pixels transparent:
// step 0 covers most of the tile in a deep tint, step 4 the least in a pale one.
#include "tools/pics/chips.h"
#include "tools/pics/style.h"

namespace pics {

namespace {

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
constexpr int kCoverage[5] = {15, 13, 11, 10, 9};  // pixels of 16 painted, step 0 to 4
// The tint, step 0 to 4: deep for the dense steps, pale for the light ones.
constexpr int kTint[5] = {80, 100, 118, 136, 155};

void overlay(QPainter& p, int firm, int step) {
    const QColor base = firmColour(firm);
    const QColor deep = shade(base, kTint[step]);
    const QColor edge = shade(base, 60);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            if (kBayer[y & 3][x & 3] < kCoverage[step]) {
                // Every painted pixel in a darker ring where it meets the tile's edge, so that
                // neighbouring steps part clearly.
                const bool border = x == 0 || y == 0 || x == kTile - 1 || y == kTile - 1;
                px(p, x, y, border ? edge : deep);
            }
        }
    }
}

void frame(QPainter& p, const QColor& colour, int inset, int width) {
    const int lo = inset;
    const int hi = kTile - 1 - inset;
    fill(p, lo - 1, lo - 1, hi - lo + 3, width + 2, col("outline"));
    fill(p, lo - 1, hi - width, hi - lo + 3, width + 2, col("outline"));
    fill(p, lo - 1, lo - 1, width + 2, hi - lo + 3, col("outline"));
    fill(p, hi - width, lo - 1, width + 2, hi - lo + 3, col("outline"));
    fill(p, lo, lo, hi - lo + 1, width, colour);
    fill(p, lo, hi - width + 1, hi - lo + 1, width, colour);
    fill(p, lo, lo, width, hi - lo + 1, colour);
    fill(p, hi - width + 1, lo, width, hi - lo + 1, colour);
}

}  // namespace

void drawMarker(QPainter& p, int code) {
    if (code == kMarkerRefused) {
        frame(p, col("mark_red"), 2, 2);
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(col("outline"), 7, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(13, 13, 34, 34);
        p.drawLine(34, 13, 13, 34);
        p.setPen(QPen(col("mark_red"), 4, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(13, 13, 34, 34);
        p.drawLine(34, 13, 13, 34);
        p.restore();
    } else if (code == kMarkerBuild) {
        frame(p, col("mark_green"), 2, 3);
        // Corner ticks pointing in.
        fill(p, 22, 5, 4, 3, col("mark_green"));
        fill(p, 22, 40, 4, 3, col("mark_green"));
    } else if (code == kMarkerClose) {
        frame(p, col("mark_orange"), 2, 3);
        // A badge with a white cross: this shop goes.
        p.save();
        p.setPen(QPen(col("outline"), 1));
        p.setBrush(col("mark_orange"));
        p.drawEllipse(QPointF(36.5, 11.5), 7, 7);
        p.setPen(QPen(col("cloth_white"), 2));
        p.drawLine(QPointF(33.5, 8.5), QPointF(39.5, 14.5));
        p.drawLine(QPointF(39.5, 8.5), QPointF(33.5, 14.5));
        p.restore();
    }
}

void addOverlayChips(ChipTable& t) {
    for (int firm = 0; firm < kFirms; ++firm) {
        for (int step = 0; step < 5; ++step) {
            t[90000 + 100 * firm + step] = [firm, step](QPainter& p, int) {
                overlay(p, firm, step);
            };
        }
    }
}

ChipTable allChips() {
    ChipTable t;
    addGroundChips(t);
    addTransportChips(t);
    addWaterChips(t);
    addParkChips(t);
    addHouseChips(t);
    addTownChips(t);
    addShopChips(t);
    addOverlayChips(t);
    return t;
}

}  // namespace pics
