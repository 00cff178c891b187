// The chip sheets as they are stored: 8-bit palettised, one palette for both, magenta at index 0
// as the transparent colour.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace pics {

constexpr int kTransparentIndex = 0;

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // top-down rows
};

// 256 colours: the transparent key, every base colour, then colours chosen by median cut from
// the opaque pixels of the images.
std::vector<QRgb> makePalette(const std::vector<const QImage*>& images);
// Pixels under half alpha become the transparent index; others take the nearest opaque entry.
IndexedImage toIndexed(const QImage& image, const std::vector<QRgb>& palette);
// Back to a picture with real transparency, to show what the game will draw.
QImage toImage(const IndexedImage& indexed, const std::vector<QRgb>& palette);
// An uncompressed 8-bit BMP with a 256-entry palette and bottom-up rows.
bool writeBmp8(const std::string& path, const IndexedImage& image,
               const std::vector<QRgb>& palette);

}  // namespace pics
