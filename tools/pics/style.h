// The look shared by every picture: the named base colours and the drawing rules.
// View: three-quarter from the south (roofs seen from above, south walls facing the viewer).
// Light: from the top left; roofs and west faces are lit, shadows fall to the bottom right.
// Outline: every raised object has a one-pixel outline in the dark outline colour; flat ground
// has none.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPolygonF>
#include <QRectF>
#include <cstdint>
#include <string>
#include <vector>

namespace pics {

constexpr int kTile = 48;
constexpr int kColumns = 16;
constexpr int kFrames = 8;
constexpr int kFirms = 4;

// Reads "name #rrggbb" lines; false with a message on a bad line.
bool loadPalette(const std::string& path, std::string& error);
// The colour of a base name; an unknown name stops the generator (a fault in the drawing code).
QColor col(const char* name);
QColor firmColour(int firm);
// Every base colour in file order (the transparent key first).
const std::vector<QColor>& baseColours();

// A shade of a colour: factor above 100 lighter, below darker.
QColor shade(const QColor& c, int factor);

// Small deterministic generator for scattered detail, so every build draws the same pictures.
class Scatter {
public:
    explicit Scatter(std::uint32_t seed) : state_(seed) {}
    int next(int range) {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 16) % static_cast<std::uint32_t>(range));
    }

private:
    std::uint32_t state_;
};

// Shadow cast to the bottom right by a footprint raised `height` pixels.
void castShadow(QPainter& p, const QRectF& footprint, double height);
// A shadow on a transparent background: a chequer of dark pixels that lets the ground show.
void ditherShadow(QPainter& p, const QRectF& footprint, double height);
// A flat-roofed block: footprint on the ground, walls `height` high; roof and south wall.
void block(QPainter& p, const QRectF& footprint, double height, const QColor& roof,
           const QColor& wall);
// A block with a gable roof whose ridge runs east-west.
void gableHouse(QPainter& p, const QRectF& footprint, double wallHeight, double roofHeight,
                const QColor& roof, const QColor& wall);
// Rows of windows on a south wall between top and bottom.
void windows(QPainter& p, double left, double right, double top, double bottom, double pitchX,
             double pitchY, const QColor& glass);
// A round tree standing at base (the crown's bottom), crown radius r.
void tree(QPainter& p, QPointF base, double r, const QColor& leaves);
// Pixel helpers for crisp detail.
void px(QPainter& p, int x, int y, const QColor& c);
void hline(QPainter& p, int x0, int x1, int y, const QColor& c);
void vline(QPainter& p, int x, int y0, int y1, const QColor& c);
void fill(QPainter& p, int x, int y, int w, int h, const QColor& c);

}  // namespace pics
