// Rectangle copies between 32-bit images, clipped to both images so that no pixel outside
// either is ever read or written.
#pragma once

#include <QImage>

namespace vellmora {

// Copies the w x h rectangle at (sx, sy) of `from` to (dx, dy) of `to`; pixels of `from` whose
// alpha is 0 are skipped, all others are written opaque. `from` is ARGB32, `to` RGB32.
void copyMasked(QImage& to, int dx, int dy, const QImage& from, int sx, int sy, int w, int h);

// The same for an opaque source (every pixel copied).
void copyOpaque(QImage& to, int dx, int dy, const QImage& from, int sx, int sy, int w, int h);

// Fills the w x h rectangle at (x, y), cut to the image.
void fillRect(QImage& to, int x, int y, int w, int h, QRgb colour);

}  // namespace vellmora
