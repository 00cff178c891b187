// A map view over synthetic chip sheets (one colour per cell, a transparent corner in each) and a
// chip source whose chips a test sets, with the reference picture the view must show: the whole
// map drawn phase by phase onto black, chip by chip, then cut at the view origin.
#pragma once

#include <QImage>
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/map_view.h"
#include "game/chip_source.h"
#include "support/chip_bitmap_writer.h"
#include "support/temp_dir.h"

namespace vellmora::test {

inline constexpr int kMapChipRows = 16;
inline constexpr int kMotionChipRows = 12;

class FakeChipSource : public ChipSource {
public:
    FakeChipSource(int width, int height)
        : width_(width),
          height_(height),
          chips_(static_cast<std::size_t>(width * height * 7), -1),
          attributes_(chips_.size(), 0) {}

    int kind() const override { return kDrawnKind; }
    int width() const override { return width_; }
    int height() const override { return height_; }
    int chip(int x, int y, int layer) const override {
        return inside(x, y, layer) ? chips_[index(x, y, layer)] : -1;
    }
    int attribute(int x, int y, int layer) const override {
        return inside(x, y, layer) ? attributes_[index(x, y, layer)] : 0;
    }
    void set(int x, int y, int layer, int chip, int attribute = 0) {
        chips_[index(x, y, layer)] = chip;
        attributes_[index(x, y, layer)] = attribute;
    }

private:
    bool inside(int x, int y, int layer) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_ && layer >= 0 && layer < 7;
    }
    std::size_t index(int x, int y, int layer) const {
        return static_cast<std::size_t>((layer * height_ + y) * width_ + x);
    }
    int width_;
    int height_;
    std::vector<int> chips_;
    std::vector<int> attributes_;
};

// The colour of a pixel of a synthetic sheet, or -1 for transparent and outside.
inline long long sheetPixel(int rows, int x, int y) {
    if (x < 0 || y < 0 || x >= 16 * kCellPixels || y >= rows * kCellPixels) {
        return -1;
    }
    if (inCellHole(x, y)) {
        return -1;
    }
    return 0xFF000000u | sheetPalette()[sheetCellIndex(x / kCellPixels, y / kCellPixels)];
}

inline QRgb cellColour(int column, int row) {
    return 0xFF000000u | sheetPalette()[sheetCellIndex(column, row)];
}

// The whole map at `phase` with its one-tile margin, drawn pixel by pixel.
inline QImage referenceLayer(const std::vector<const ChipSource*>& sources, int width, int height,
                             int phase) {
    QImage layer((width + 1) * kCellPixels, (height + 1) * kCellPixels, QImage::Format_RGB32);
    layer.fill(0xFF000000u);
    for (const ChipSource* source : sources) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                for (int z = 0; z < 7; ++z) {
                    const int c = source->chip(x, y, z);
                    if (c < 0 || c >= 512) {
                        continue;
                    }
                    const int a = source->attribute(x, y, z);
                    const int side = (a + 1) * kCellPixels;
                    const int x0 = (x - a + 1) * kCellPixels;
                    const int y0 = (y - a + 1) * kCellPixels;
                    const bool motion = c >= 256;
                    const int m = motion ? c - 256 : c;
                    const int column = m % 16 - a;
                    const int row = m / 16 - a + (motion ? phase : 0);
                    for (int py = std::max(0, -y0); py < side && y0 + py < layer.height(); ++py) {
                        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y0 + py));
                        for (int px = std::max(0, -x0); px < side && x0 + px < layer.width();
                             ++px) {
                            const long long colour =
                                sheetPixel(motion ? kMotionChipRows : kMapChipRows,
                                           column * kCellPixels + px, row * kCellPixels + py);
                            if (colour >= 0) {
                                line[x0 + px] = static_cast<QRgb>(colour);
                            }
                        }
                    }
                }
            }
        }
    }
    return layer;
}

// What the view shows of the reference layer at the origin, with the marker.
inline QImage referenceFrame(const QImage& layer, int frameWidth, int frameHeight, int viewX,
                             int viewY, int markerX = -1, int markerY = -1, int markerCode = -1) {
    QImage frame(frameWidth, frameHeight, QImage::Format_RGB32);
    frame.fill(0xFF000000u);
    for (int y = 0; y < frameHeight; ++y) {
        for (int x = 0; x < frameWidth; ++x) {
            const int lx = (viewX + 1) * kCellPixels + x;
            const int ly = (viewY + 1) * kCellPixels + y;
            if (layer.valid(lx, ly)) {
                frame.setPixel(x, y, layer.pixel(lx, ly));
            }
        }
    }
    if (markerCode >= 0) {
        const int x0 = (markerX - viewX) * kCellPixels;
        const int y0 = (markerY - viewY) * kCellPixels;
        for (int py = 0; py < kCellPixels; ++py) {
            for (int px = 0; px < kCellPixels; ++px) {
                const long long colour =
                    sheetPixel(kMapChipRows, markerCode % 16 * kCellPixels + px,
                               markerCode / 16 * kCellPixels + py);
                if (colour >= 0 && frame.valid(x0 + px, y0 + py)) {
                    frame.setPixel(x0 + px, y0 + py, static_cast<QRgb>(colour));
                }
            }
        }
    }
    return frame;
}

// A program folder holding the two synthetic sheets.
class ChipFolder {
public:
    ChipFolder() {
        dir_.write("mapchip.bmp", chipSheetBytes(kMapChipRows));
        dir_.write("motionchip.bmp", chipSheetBytes(kMotionChipRows));
    }
    std::string path() const { return dir_.path().string() + "/"; }
    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
};

// Index of the first differing pixel, or -1.
inline long long firstDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return -2;
    }
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                return static_cast<long long>(y) * a.width() + x;
            }
        }
    }
    return -1;
}

}  // namespace vellmora::test
