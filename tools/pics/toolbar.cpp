// The toolbar strip (one image per command) and the program icons.
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <cmath>

#include "tools/pics/art.h"
#include "tools/pics/chips.h"
#include "tools/pics/style.h"

namespace pics {

namespace {

constexpr int kButtonWidth = 32;
constexpr int kButtonHeight = 30;
constexpr int kButtons = 20;

QPen outlinePen(double width = 1.2) {
    return QPen(col("outline"), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void shopButton(QPainter& p, int size) {
    p.save();
    const double scale = 0.64;
    p.translate(16 - 24 * scale, 15 - 23 * scale);
    p.scale(scale, scale);
    drawShop(p, 0, size);
    p.restore();
}

void newMap(QPainter& p) {
    QPolygonF sheet;
    sheet << QPointF(4, 7) << QPointF(12, 4) << QPointF(20, 7) << QPointF(28, 4) << QPointF(28, 24)
          << QPointF(20, 27) << QPointF(12, 24) << QPointF(4, 27);
    p.setPen(outlinePen());
    p.setBrush(col("grass_light"));
    p.drawPolygon(sheet);
    p.setPen(QPen(col("water"), 2.5));
    p.drawLine(QPointF(14, 5), QPointF(18, 26));
    p.setPen(QPen(col("asphalt"), 2));
    p.drawLine(QPointF(5, 17), QPointF(27, 13));
    p.setPen(outlinePen(0.8));
    p.drawLine(QPointF(12, 4), QPointF(12, 24));
    p.drawLine(QPointF(20, 7), QPointF(20, 27));
    // A star: something new.
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = (i & 1) ? 2.6 : 6.0;
        const double a = -3.14159 / 2 + i * 3.14159 / 5;
        star << QPointF(25 + r * std::cos(a), 8 + r * std::sin(a));
    }
    p.setPen(outlinePen());
    p.setBrush(col("paint_yellow"));
    p.drawPolygon(star);
}

void closeShop(QPainter& p) {
    shopButton(p, 1);
    p.setPen(outlinePen());
    p.setBrush(col("mark_orange"));
    p.drawEllipse(QPointF(24, 21), 7, 7);
    p.setPen(QPen(col("cloth_white"), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(21, 18), QPointF(27, 24));
    p.drawLine(QPointF(27, 18), QPointF(21, 24));
}

void management(QPainter& p) {
    p.setPen(QPen(col("outline"), 1.5));
    p.drawLine(QPointF(16, 11), QPointF(16, 16));
    p.drawLine(QPointF(6, 16), QPointF(26, 16));
    for (const double x : {6.0, 16.0, 26.0}) {
        p.drawLine(QPointF(x, 16), QPointF(x, 20));
    }
    p.setPen(outlinePen());
    p.setBrush(col("firm0"));
    p.drawRoundedRect(QRectF(10, 3, 12, 8), 2, 2);
    p.setBrush(col("wall_white"));
    for (const double x : {1.5, 11.5, 21.5}) {
        p.drawRoundedRect(QRectF(x, 20, 9, 7), 2, 2);
    }
}

void budget(QPainter& p) {
    const double knobs[3] = {9, 18, 13};
    for (int i = 0; i < 3; ++i) {
        const double x = 7 + i * 9;
        p.setPen(QPen(col("outline"), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, 4), QPointF(x, 26));
        p.setPen(outlinePen());
        p.setBrush(i == 1 ? col("firm0") : col("wall_white"));
        p.drawRoundedRect(QRectF(x - 4, knobs[i] - 2.5, 8, 5), 1.5, 1.5);
    }
}

void yenSign(QPainter& p, QPointF c, double s, const QColor& colour) {
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() - s, c.y() - s), QPointF(c.x(), c.y()));
    p.drawLine(QPointF(c.x() + s, c.y() - s), QPointF(c.x(), c.y()));
    p.drawLine(QPointF(c.x(), c.y()), QPointF(c.x(), c.y() + s * 1.1));
    p.drawLine(QPointF(c.x() - s * 0.7, c.y() + 0.3 * s),
               QPointF(c.x() + s * 0.7, c.y() + 0.3 * s));
}

void borrowing(QPainter& p) {
    // A bank: pediment, columns, steps; and a coin.
    p.setPen(outlinePen());
    p.setBrush(col("concrete"));
    QPolygonF roof;
    roof << QPointF(2, 10) << QPointF(13, 3) << QPointF(24, 10);
    p.drawPolygon(roof);
    p.drawRect(QRectF(3, 23, 20, 3));
    for (const double x : {5.0, 11.0, 17.0}) {
        p.drawRect(QRectF(x, 11, 3.5, 12));
    }
    p.setBrush(col("paint_yellow"));
    p.drawEllipse(QPointF(24, 19), 7, 7);
    yenSign(p, QPointF(24, 19), 3.2, col("outline"));
}

void statements(QPainter& p) {
    p.setPen(outlinePen());
    p.setBrush(col("wall_white"));
    p.drawRect(QRectF(4, 2, 22, 26));
    p.setPen(QPen(col("wall_grey"), 1));
    for (double y = 7; y < 27; y += 4) {
        p.drawLine(QPointF(6, y), QPointF(24, y));
    }
    p.setPen(Qt::NoPen);
    const double bars[4] = {8, 12, 10, 16};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i == 3 ? col("firm0") : col("firm1"));
        p.drawRect(QRectF(7 + i * 4.5, 26 - bars[i], 3, bars[i]));
    }
}

void companyInfo(QPainter& p) {
    p.setPen(outlinePen());
    p.setBrush(col("glass"));
    p.drawRect(QRectF(4, 5, 14, 22));
    p.setPen(QPen(col("glass_dark"), 1));
    for (double y = 8; y < 26; y += 3.5) {
        p.drawLine(QPointF(6, y), QPointF(16, y));
    }
    p.setPen(outlinePen());
    p.setBrush(col("firm1"));
    p.drawEllipse(QPointF(22, 19), 7.5, 7.5);
    p.setPen(QPen(col("cloth_white"), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(22, 18), QPointF(22, 23));
    p.drawPoint(QPointF(22, 15));
}

void miniMap(QPainter& p) {
    p.setPen(outlinePen());
    p.setBrush(col("grass_light"));
    p.drawRect(QRectF(3, 3, 26, 24));
    p.fillRect(QRectF(3.5, 14, 25.5, 4), col("wall_grey"));
    p.fillRect(QRectF(14, 3.5, 4, 23.5), col("wall_grey"));
    p.setPen(QPen(col("outline"), 0.8));
    p.setBrush(col("roof_brown"));
    p.drawRect(QRectF(5, 5, 6, 5));
    p.setBrush(col("roof_slate"));
    p.drawRect(QRectF(21, 20, 6, 5));
    p.setBrush(col("tree"));
    p.drawEllipse(QPointF(24, 8), 3, 3);
    p.drawEllipse(QPointF(8, 22), 3, 3);
}

void person(QPainter& p, QPointF at, double s, const QColor& colour) {
    p.setPen(outlinePen());
    p.setBrush(colour);
    p.drawEllipse(QPointF(at.x(), at.y() - s * 1.6), s * 0.8, s * 0.8);
    QPainterPath body;
    body.moveTo(at.x() - s * 1.3, at.y() + s * 1.4);
    body.quadTo(at.x() - s * 1.3, at.y() - s * 0.6, at.x(), at.y() - s * 0.6);
    body.quadTo(at.x() + s * 1.3, at.y() - s * 0.6, at.x() + s * 1.3, at.y() + s * 1.4);
    body.closeSubpath();
    p.drawPath(body);
}

void customers(QPainter& p) {
    person(p, QPointF(8, 16), 4, col("wall_grey"));
    person(p, QPointF(24, 16), 4, col("wall_grey"));
    person(p, QPointF(16, 19), 5, col("firm0"));
}

void catchment(QPainter& p) {
    const QRectF areas[4] = {{3, 3, 13, 12}, {16, 3, 13, 12}, {3, 15, 13, 12}, {16, 15, 13, 12}};
    for (int firm = 0; firm < kFirms; ++firm) {
        p.setPen(Qt::NoPen);
        p.setBrush(firmColour(firm));
        p.drawRect(areas[firm]);
    }
    p.setPen(outlinePen());
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3, 3, 26, 24));
    p.setBrush(col("cloth_white"));
    for (int firm = 0; firm < kFirms; ++firm) {
        p.drawEllipse(areas[firm].center(), 2.2, 2.2);
    }
}

void heart(QPainter& p, int firm) {
    QPainterPath h;
    h.moveTo(16, 27);
    h.cubicTo(3, 18, 1, 10, 6, 5.5);
    h.cubicTo(10, 2, 14.5, 4, 16, 8);
    h.cubicTo(17.5, 4, 22, 2, 26, 5.5);
    h.cubicTo(31, 10, 29, 18, 16, 27);
    p.setPen(outlinePen(1.5));
    p.setBrush(firmColour(firm));
    p.drawPath(h);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QPointF(9.5, 9.5), 2.5, 2);
}

void endTurn(QPainter& p) {
    p.setPen(outlinePen());
    p.setBrush(col("wall_white"));
    p.drawRect(QRectF(3, 5, 20, 21));
    p.setBrush(col("firm0"));
    p.drawRect(QRectF(3, 5, 20, 6));
    p.setPen(QPen(col("outline"), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 3), QPointF(8, 7));
    p.drawLine(QPointF(18, 3), QPointF(18, 7));
    p.setPen(QPen(col("wall_grey"), 1));
    for (double y = 15; y < 25; y += 3.5) {
        p.drawLine(QPointF(6, y), QPointF(20, y));
    }
    QPolygonF arrow;
    arrow << QPointF(16, 16) << QPointF(23, 16) << QPointF(23, 11) << QPointF(31, 19.5)
          << QPointF(23, 28) << QPointF(23, 23) << QPointF(16, 23);
    p.setPen(outlinePen());
    p.setBrush(col("mark_green"));
    p.drawPolygon(arrow);
}

}  // namespace

QImage toolbarStrip() {
    QImage strip(kButtonWidth * kButtons, kButtonHeight, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int i = 0; i < kButtons; ++i) {
        p.save();
        p.translate(i * kButtonWidth, 0);
        p.setClipRect(QRect(0, 0, kButtonWidth, kButtonHeight));
        switch (i) {
            case 0:
                newMap(p);
                break;
            case 1:
                shopButton(p, 0);
                break;
            case 2:
                shopButton(p, 1);
                break;
            case 3:
                shopButton(p, 2);
                break;
            case 4:
                closeShop(p);
                break;
            case 5:
                management(p);
                break;
            case 6:
                budget(p);
                break;
            case 7:
                borrowing(p);
                break;
            case 8:
                statements(p);
                break;
            case 10:
                companyInfo(p);
                break;
            case 12:
                miniMap(p);
                break;
            case 13:
                customers(p);
                break;
            case 14:
                catchment(p);
                break;
            case 15:
            case 16:
            case 17:
            case 18:
                heart(p, i - 15);
                break;
            case 19:
                endTurn(p);
                break;
            default:
                break;  // 9 and 11 are not used
        }
        p.restore();
    }
    return strip;
}

bool writeIcons(const std::string& svgPath, const std::string& iconDir, std::string& error) {
    QSvgRenderer renderer(QString::fromStdString(svgPath));
    if (!renderer.isValid()) {
        error = svgPath + ": not a readable SVG";
        return false;
    }
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing, true);
        renderer.render(&p);
        p.end();
        const QString out = QString::fromStdString(iconDir) + QString("/vellmora-%1.png").arg(size);
        if (!icon.save(out)) {
            error = out.toStdString() + ": cannot be written";
            return false;
        }
    }
    const QString svgOut = QString::fromStdString(iconDir + "/vellmora.svg");
    QFile::remove(svgOut);
    if (!QFile::copy(QString::fromStdString(svgPath), svgOut)) {
        error = svgOut.toStdString() + ": cannot be written";
        return false;
    }
    return true;
}

}  // namespace pics
