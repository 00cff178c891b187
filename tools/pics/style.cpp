#include "tools/pics/style.h"

#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace pics {

namespace {

std::map<std::string, QColor>& namedColours() {
    static std::map<std::string, QColor> colours;
    return colours;
}

std::vector<QColor>& orderedColours() {
    static std::vector<QColor> colours;
    return colours;
}

}  // namespace

bool loadPalette(const std::string& path, std::string& error) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = path + ": cannot be read";
        return false;
    }
    QTextStream in(&file);
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        const QStringList parts = line.split(' ', Qt::SkipEmptyParts);
        const QColor colour(parts.size() == 2 ? parts[1] : QString());
        if (parts.size() != 2 || !colour.isValid() || !parts[1].startsWith('#')) {
            error = path + ":" + std::to_string(lineNumber) + ": expected a name and #rrggbb";
            return false;
        }
        namedColours()[parts[0].toStdString()] = colour;
        orderedColours().push_back(colour);
    }
    if (namedColours().count("transparent") == 0) {
        error = path + ": no transparent colour";
        return false;
    }
    return true;
}

QColor col(const char* name) {
    const auto it = namedColours().find(name);
    if (it == namedColours().end()) {
        std::fprintf(stderr, "vellmora-pictures: colour %s is not in the palette\n", name);
        std::exit(1);
    }
    return it->second;
}

QColor firmColour(int firm) {
    static const char* const names[kFirms] = {"firm0", "firm1", "firm2", "firm3"};
    return col(names[firm & 3]);
}

const std::vector<QColor>& baseColours() {
    return orderedColours();
}

QColor shade(const QColor& c, int factor) {
    return factor >= 100 ? c.lighter(factor) : c.darker(10000 / factor);
}

void castShadow(QPainter& p, const QRectF& f, double height) {
    const double dx = height * 0.6;
    const double dy = height * 0.35;
    QPolygonF poly;
    poly << f.topRight() << QPointF(f.right() + dx, f.top() + dy)
         << QPointF(f.right() + dx, f.bottom() + dy) << QPointF(f.left() + dx, f.bottom() + dy)
         << f.bottomLeft() << f.bottomRight();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 24, 40, 90));
    p.drawPolygon(poly);
    p.restore();
}

void ditherShadow(QPainter& p, const QRectF& f, double height) {
    const double dx = height * 0.6;
    const double dy = height * 0.35;
    QPolygonF poly;
    poly << f.topRight() << QPointF(f.right() + dx, f.top() + dy)
         << QPointF(f.right() + dx, f.bottom() + dy) << QPointF(f.left() + dx, f.bottom() + dy)
         << f.bottomLeft() << f.bottomRight();
    const QColor dark = shade(col("outline"), 130);
    for (int y = 0; y < kTile; ++y) {
        for (int x = (y & 1); x < kTile; x += 2) {
            if (poly.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill)) {
                px(p, x, y, dark);
            }
        }
    }
}

void block(QPainter& p, const QRectF& f, double height, const QColor& roof, const QColor& wall) {
    p.save();
    p.setPen(QPen(col("outline"), 1));
    const QRectF top(f.left(), f.top() - height, f.width(), f.height());
    const QRectF front(f.left(), f.bottom() - height, f.width(), height);
    p.setBrush(wall);
    p.drawRect(front);
    p.setBrush(roof);
    p.drawRect(top);
    // A lit rim on the roof's north and west edges.
    p.setPen(QPen(shade(roof, 125), 1));
    p.drawLine(QPointF(top.left() + 1, top.top() + 1), QPointF(top.right() - 1, top.top() + 1));
    p.drawLine(QPointF(top.left() + 1, top.top() + 1), QPointF(top.left() + 1, top.bottom() - 1));
    p.restore();
}

void gableHouse(QPainter& p, const QRectF& f, double wallHeight, double roofHeight,
                const QColor& roof, const QColor& wall) {
    p.save();
    p.setPen(QPen(col("outline"), 1));
    const double eaveY = f.bottom() - wallHeight;
    const QRectF front(f.left(), eaveY, f.width(), wallHeight);
    p.setBrush(wall);
    p.drawRect(front);
    // The roof seen from the south: the far slope above the ridge, the near slope below it.
    const double ridgeY = eaveY - roofHeight;
    const double farTop = ridgeY - f.height() * 0.35;
    const double over = 1.5;
    p.setBrush(shade(roof, 120));
    p.drawRect(QRectF(f.left() - over, farTop, f.width() + 2 * over, ridgeY - farTop));
    p.setBrush(roof);
    p.drawRect(QRectF(f.left() - over, ridgeY, f.width() + 2 * over, eaveY - ridgeY + 1));
    p.setPen(QPen(shade(roof, 75), 1));
    for (double x = f.left() + 3; x < f.right() - 1; x += 4) {
        p.drawLine(QPointF(x, ridgeY + 2), QPointF(x, eaveY - 1));
    }
    p.restore();
}

void windows(QPainter& p, double left, double right, double top, double bottom, double pitchX,
             double pitchY, const QColor& glass) {
    for (double y = top; y + 3 <= bottom; y += pitchY) {
        for (double x = left; x + 2 <= right; x += pitchX) {
            fill(p, static_cast<int>(x), static_cast<int>(y), 2, 3, glass);
            px(p, static_cast<int>(x), static_cast<int>(y), shade(glass, 140));
        }
    }
}

void tree(QPainter& p, QPointF base, double r, const QColor& leaves) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 24, 40, 80));
    p.drawEllipse(QPointF(base.x() + r * 0.6, base.y() + r * 0.25), r * 0.9, r * 0.45);
    p.setBrush(col("trunk"));
    p.drawRect(QRectF(base.x() - 1, base.y() - 2, 2, 4));
    p.setPen(QPen(col("outline"), 1));
    p.setBrush(shade(leaves, 80));
    const QPointF centre(base.x(), base.y() - r);
    p.drawEllipse(centre, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(leaves);
    p.drawEllipse(QPointF(centre.x() - r * 0.12, centre.y() - r * 0.12), r * 0.78, r * 0.78);
    p.setBrush(shade(leaves, 135));
    p.drawEllipse(QPointF(centre.x() - r * 0.35, centre.y() - r * 0.35), r * 0.35, r * 0.32);
    p.restore();
}

void px(QPainter& p, int x, int y, const QColor& c) {
    p.fillRect(x, y, 1, 1, c);
}
void hline(QPainter& p, int x0, int x1, int y, const QColor& c) {
    p.fillRect(x0, y, x1 - x0 + 1, 1, c);
}
void vline(QPainter& p, int x, int y0, int y1, const QColor& c) {
    p.fillRect(x, y0, 1, y1 - y0 + 1, c);
}
void fill(QPainter& p, int x, int y, int w, int h, const QColor& c) {
    p.fillRect(x, y, w, h, c);
}

}  // namespace pics
