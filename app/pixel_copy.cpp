#include "app/pixel_copy.h"

#include <algorithm>
#include <cstring>

namespace vellmora {

namespace {

struct Span {
    int dx, dy, sx, sy, w, h;
};

// Shrinks the rectangle until it lies inside both images; false when nothing is left.
bool clip(const QImage& to, const QImage& from, Span& s) {
    if (to.isNull() || from.isNull()) {
        return false;
    }
    const int left = std::max({0, -s.dx, -s.sx});
    const int top = std::max({0, -s.dy, -s.sy});
    s.dx += left;
    s.sx += left;
    s.w -= left;
    s.dy += top;
    s.sy += top;
    s.h -= top;
    s.w = std::min({s.w, to.width() - s.dx, from.width() - s.sx});
    s.h = std::min({s.h, to.height() - s.dy, from.height() - s.sy});
    return s.w > 0 && s.h > 0;
}

// Runs copyRow(out, in, width) for each row of the clipped rectangle.
template <typename CopyRow>
void copyRows(QImage& to, int dx, int dy, const QImage& from, int sx, int sy, int w, int h,
              CopyRow copyRow) {
    Span s{dx, dy, sx, sy, w, h};
    if (!clip(to, from, s)) {
        return;
    }
    for (int row = 0; row < s.h; ++row) {
        const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(s.sy + row)) + s.sx;
        auto* out = reinterpret_cast<QRgb*>(to.scanLine(s.dy + row)) + s.dx;
        copyRow(out, in, s.w);
    }
}

}  // namespace

void copyMasked(QImage& to, int dx, int dy, const QImage& from, int sx, int sy, int w, int h) {
    copyRows(to, dx, dy, from, sx, sy, w, h, [](QRgb* out, const QRgb* in, int width) {
        for (int x = 0; x < width; ++x) {
            if (in[x] >> 24 != 0) {
                out[x] = in[x] | 0xFF000000u;
            }
        }
    });
}

void copyOpaque(QImage& to, int dx, int dy, const QImage& from, int sx, int sy, int w, int h) {
    copyRows(to, dx, dy, from, sx, sy, w, h, [](QRgb* out, const QRgb* in, int width) {
        std::memcpy(out, in, static_cast<std::size_t>(width) * sizeof(QRgb));
    });
}

void fillRect(QImage& to, int x, int y, int w, int h, QRgb colour) {
    const int left = std::max(0, x);
    const int top = std::max(0, y);
    const int right = std::min(to.width(), x + w);
    const int bottom = std::min(to.height(), y + h);
    for (int row = top; row < bottom; ++row) {
        auto* out = reinterpret_cast<QRgb*>(to.scanLine(row));
        std::fill(out + left, out + std::max(left, right), colour);
    }
}

}  // namespace vellmora
