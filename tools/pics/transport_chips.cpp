// Roads, bridges, the railway, the level crossing, the station and its forecourt.
#include "tools/pics/chips.h"
#include "tools/pics/style.h"

namespace pics {

namespace {

constexpr int kNorth = 1, kEast = 2, kSouth = 4, kWest = 8;
constexpr int kRoadA = 12, kRoadB = 36;  // asphalt from kRoadA to kRoadB - 1
constexpr int kWalk = 4;                 // pavement beside the asphalt

QRect armRect(int direction, int from, int to) {
    switch (direction) {
        case kNorth:
            return QRect(from, 0, to - from, kTile / 2);
        case kSouth:
            return QRect(from, kTile / 2, to - from, kTile / 2);
        case kEast:
            return QRect(kTile / 2, from, kTile / 2, to - from);
        default:
            return QRect(0, from, kTile / 2, to - from);
    }
}

void road(QPainter& p, int joins) {
    groundLot(p);
    const int arms[4] = {kNorth, kEast, kSouth, kWest};
    int count = 0;
    for (int d : arms) {
        count += (joins & d) ? 1 : 0;
    }
    const QColor walk = col("kerb");
    fill(p, kRoadA - kWalk, kRoadA - kWalk, kRoadB - kRoadA + 2 * kWalk,
         kRoadB - kRoadA + 2 * kWalk, walk);
    for (int d : arms) {
        if (joins & d) {
            p.fillRect(armRect(d, kRoadA - kWalk, kRoadB + kWalk), walk);
        }
    }
    // Kerb stones: a darker edge where the pavement meets grass.
    const QColor asphalt = col("asphalt");
    fill(p, kRoadA, kRoadA, kRoadB - kRoadA, kRoadB - kRoadA, asphalt);
    for (int d : arms) {
        if (joins & d) {
            p.fillRect(armRect(d, kRoadA, kRoadB), asphalt);
        }
    }
    Scatter s(23);
    for (int i = 0; i < 40; ++i) {
        const int x = s.next(kTile);
        const int y = s.next(kTile);
        if (x >= kRoadA && x < kRoadB && y >= kRoadA && y < kRoadB) {
            px(p, x, y, shade(asphalt, 112));
        }
    }
    // Lane markings: dashed centre lines; stop lines and a zebra at junctions.
    const QColor line = col("paint");
    const int mid = kTile / 2 - 1;
    for (int d : arms) {
        if (!(joins & d)) {
            continue;
        }
        const int stop = count >= 3 ? kRoadA - 1 : kTile / 2;
        for (int t = 1; t + 3 <= stop; t += 8) {
            switch (d) {
                case kNorth:
                    fill(p, mid, t, 2, 4, line);
                    break;
                case kSouth:
                    fill(p, mid, kTile - t - 4, 2, 4, line);
                    break;
                case kWest:
                    fill(p, t, mid, 4, 2, line);
                    break;
                default:
                    fill(p, kTile - t - 4, mid, 4, 2, line);
                    break;
            }
        }
        if (count >= 3) {
            for (int k = kRoadA + 1; k < kRoadB - 1; k += 3) {
                switch (d) {
                    case kNorth:
                        fill(p, k, 4, 2, 6, line);
                        break;
                    case kSouth:
                        fill(p, k, kTile - 10, 2, 6, line);
                        break;
                    case kWest:
                        fill(p, 4, k, 6, 2, line);
                        break;
                    default:
                        fill(p, kTile - 10, k, 6, 2, line);
                        break;
                }
            }
        }
    }
    if (count == 0) {
        // A turning place: a little planted island in the middle.
        p.save();
        p.setPen(QPen(col("kerb"), 1));
        p.setBrush(col("lawn"));
        p.drawEllipse(QPointF(24, 24), 5, 5);
        p.restore();
        tree(p, QPointF(24, 27), 4, col("tree"));
    }
}

void bridge(QPainter& p, bool northSouth) {
    waterSurface(p, 0, true);
    p.save();
    if (northSouth) {
        // Draw the east-west picture turned a quarter.
        p.translate(kTile, 0);
        p.rotate(90);
    }
    fill(p, 0, 40, kTile, 4, shade(col("water_deep"), 80));  // the deck's shadow
    fill(p, 0, 12, kTile, 24, col("asphalt"));
    for (int t = 2; t < kTile; t += 8) {
        fill(p, t, 23, 4, 2, col("paint"));
    }
    const QColor rail = col("concrete");
    for (const int y : {8, 36}) {
        fill(p, 0, y, kTile, 4, rail);
        hline(p, 0, kTile - 1, y, shade(rail, 115));
        hline(p, 0, kTile - 1, y + 3, col("outline"));
        for (int x = 3; x < kTile; x += 12) {
            fill(p, x, y - 1, 3, 5, shade(rail, 90));
            hline(p, x, x + 2, y - 1, shade(rail, 120));
        }
    }
    hline(p, 0, kTile - 1, 7, col("outline"));
    p.restore();
}

void fence(QPainter& p, int y) {
    hline(p, 0, kTile - 1, y, col("wall_grey"));
    for (int x = 2; x < kTile; x += 8) {
        vline(p, x, y - 2, y + 1, col("roof_grey"));
        px(p, x, y - 2, col("wall_white"));
    }
}

void signal(QPainter& p, int x, int y, bool leftLit) {
    vline(p, x, y, y + 12, col("outline"));
    vline(p, x + 1, y, y + 12, col("wall_white"));
    fill(p, x - 4, y + 1, 10, 4, col("outline"));  // the lamp bar
    const QColor off = shade(col("shrine_red"), 50);
    const QColor on = col("mark_red");
    fill(p, x - 3, y + 2, 3, 2, leftLit ? on : off);
    fill(p, x + 2, y + 2, 3, 2, leftLit ? off : on);
    // Black and yellow cross-buck.
    p.save();
    p.setPen(QPen(col("paint_yellow"), 2));
    p.drawLine(QPointF(x - 3, y - 4), QPointF(x + 4, y));
    p.drawLine(QPointF(x - 3, y), QPointF(x + 4, y - 4));
    p.restore();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 80, 60, 90));
    p.drawEllipse(QPointF(leftLit ? x - 1.5 : x + 3.5, y + 3), 3.5, 3.5);
    p.restore();
}

void crossing(QPainter& p, int frame) {
    railTracks(p);
    fill(p, kRoadA, 0, kRoadB - kRoadA, kTile, col("asphalt"));
    fill(p, kRoadA - kWalk, 0, kWalk, 6, col("kerb"));
    fill(p, kRoadB, 0, kWalk, 6, col("kerb"));
    fill(p, kRoadA - kWalk, 42, kWalk, 6, col("kerb"));
    fill(p, kRoadB, 42, kWalk, 6, col("kerb"));
    for (const int y : {14, 20, 28, 34}) {
        hline(p, kRoadA, kRoadB - 1, y, col("rail"));
        hline(p, kRoadA, kRoadB - 1, y + 1, col("outline"));
    }
    // Yellow and black warning stripes at both sides of the tracks.
    for (const int y : {8, 39}) {
        for (int x = kRoadA; x < kRoadB; ++x) {
            fill(p, x, y, 1, 2, ((x / 3) & 1) ? col("outline") : col("paint_yellow"));
        }
    }
    const bool leftLit = (frame / 2) % 2 == 0;
    signal(p, 6, 28, leftLit);
    signal(p, 41, 2, !leftLit);
}

void forecourt(QPainter& p) {
    // A taxi lane along the station with a shelter and planters; the tiles join east-west.
    groundPlaza(p);
    fill(p, 0, 15, kTile, 16, col("asphalt"));
    hline(p, 0, kTile - 1, 14, col("kerb"));
    hline(p, 0, kTile - 1, 31, col("kerb"));
    hline(p, 0, kTile - 1, 32, col("pave_dark"));
    for (int x = 2; x < kTile; x += 12) {
        fill(p, x, 22, 6, 1, col("paint"));
    }
    // A waiting taxi.
    fill(p, 18, 17, 14, 8, col("outline"));
    fill(p, 19, 18, 12, 6, col("roof_slate"));
    fill(p, 22, 18, 5, 6, col("glass_dark"));
    fill(p, 23, 17, 3, 1, col("window_lit"));
    hline(p, 19, 30, 18, shade(col("roof_slate"), 130));
    // Shelter and planters on the pavement.
    castShadow(p, QRectF(4, 38, 18, 3), 8);
    fill(p, 4, 34, 18, 4, col("roof_teal"));
    hline(p, 4, 21, 34, shade(col("roof_teal"), 130));
    hline(p, 4, 21, 38, col("outline"));
    vline(p, 5, 38, 43, col("outline"));
    vline(p, 20, 38, 43, col("outline"));
    fill(p, 8, 40, 10, 2, col("wood"));
    for (const int x : {30, 42}) {
        fill(p, x - 4, 40, 8, 5, col("concrete"));
        hline(p, x - 4, x + 3, 44, col("outline"));
        tree(p, QPointF(x, 42), 4.5, col("tree_light"));
    }
    tree(p, QPointF(8, 10), 4.5, col("tree"));
    tree(p, QPointF(32, 10), 4.5, col("tree"));
}

void station(QPainter& p) {
    // The station house spans the tracks, which run in under it from both sides.
    const QRectF hall(-1, 22, kTile + 2, 21);
    ditherShadow(p, QRectF(0, 22, kTile, 21), 8);
    block(p, hall, 16, col("roof_slate"), col("wall_cream"));
    // A skylight along the roof and a band of windows on the concourse.
    fill(p, 0, 11, kTile, 4, col("glass"));
    hline(p, 0, kTile - 1, 11, shade(col("glass"), 125));
    hline(p, 0, kTile - 1, 15, col("outline"));
    for (int x = 3; x < kTile; x += 6) {
        vline(p, x, 11, 14, col("glass_dark"));
    }
    fill(p, 0, 29, kTile, 5, col("window"));
    for (int x = 1; x < kTile; x += 4) {
        fill(p, x, 30, 2, 2, col("glass"));
    }
    hline(p, 0, kTile - 1, 34, col("roof_slate"));
    // Entrance with its canopy and the clock above it.
    fill(p, 16, 36, 16, 7, col("glass_dark"));
    fill(p, 14, 35, 20, 2, col("roof_teal"));
    hline(p, 14, 33, 35, shade(col("roof_teal"), 130));
    p.save();
    p.setPen(QPen(col("outline"), 1));
    p.setBrush(col("wall_white"));
    p.drawEllipse(QPointF(24, 20), 3.5, 3.5);
    p.restore();
    px(p, 24, 18, col("outline"));
    px(p, 24, 19, col("outline"));
    px(p, 25, 20, col("outline"));
}

}  // namespace

void railTracks(QPainter& p) {
    groundLot(p);
    fill(p, 0, 9, kTile, 30, col("gravel"));
    Scatter s(31);
    for (int i = 0; i < 90; ++i) {
        px(p, s.next(kTile), 9 + s.next(30), shade(col("gravel"), s.next(2) ? 85 : 112));
    }
    for (const int top : {12, 26}) {
        for (int x = 1; x < kTile; x += 4) {
            fill(p, x, top, 2, 10, col("sleeper"));
        }
        for (const int y : {top + 2, top + 8}) {
            hline(p, 0, kTile - 1, y, col("rail"));
            hline(p, 0, kTile - 1, y + 1, col("outline"));
        }
    }
    fence(p, 5);
    fence(p, 43);
}

void addTransportChips(ChipTable& t) {
    for (int joins = 0; joins < 16; ++joins) {
        t[20000 + joins] = [joins](QPainter& p, int) { road(p, joins); };
    }
    t[21000] = [](QPainter& p, int) { bridge(p, false); };
    t[21001] = [](QPainter& p, int) { bridge(p, true); };
    t[70001] = [](QPainter& p, int) { railTracks(p); };
    t[70002] = [](QPainter& p, int frame) { crossing(p, frame); };
    t[70003] = [](QPainter& p, int) { forecourt(p); };
    t[70000] = [](QPainter& p, int) { station(p); };
}

}  // namespace pics
