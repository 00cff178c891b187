#include "app/chip_pictures.h"

#include <QPainter>
#include <QString>
#include <cstdio>

#include "data/chip_bitmap.h"
#include "data/program_folder.h"

namespace vellmora {

QImage chipImage(const ChipBitmap& bitmap) {
    if (bitmap.empty()) {
        return {};
    }
    QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32);
    if (image.isNull()) {
        return {};
    }
    for (int y = 0; y < bitmap.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width; ++x) {
            const QRgb colour = bitmap.colourAt(x, y);
            line[x] = colour == ChipPictures::kTransparentKey ? 0u : (0xFF000000u | colour);
        }
    }
    return image;
}

namespace {

QImage loadSheet(const std::string& folder, const char* name) {
    const std::string path = joinPath(folder, name);
    ChipBitmap bitmap;
    const int result = loadChipBitmap(path, bitmap);
    if (result != kChipBitmapOk) {
        std::fprintf(stderr, "vellmora: %s %s (%d); its map pictures are not drawn\n", path.c_str(),
                     chipBitmapResultText(result), result);
        return {};
    }
    return chipImage(bitmap);
}

QImage loadTitle(const std::string& folder) {
    const std::string path = joinPath(folder, ChipPictures::kTitleFile);
    const QImage picture(QString::fromStdString(path));
    if (picture.isNull()) {
        std::fprintf(stderr, "vellmora: %s cannot be read; the title stays black\n", path.c_str());
        return {};
    }
    QImage title(picture.size(), QImage::Format_RGB32);
    title.fill(Qt::black);
    QPainter painter(&title);
    painter.drawImage(0, 0, picture);
    return title;
}

}  // namespace

void ChipPictures::load(const std::string& folder) {
    mapChip = loadSheet(folder, kMapChipFile);
    motionChip = loadSheet(folder, kMotionChipFile);
    title = loadTitle(folder);
}

}  // namespace vellmora
