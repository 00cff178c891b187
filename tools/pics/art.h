// The pictures of the program besides the chips: title, toolbar strip and icons.
#pragma once

#include <QImage>
#include <string>

namespace pics {

// 770 x 320: the name and a Japanese subtitle over a little town drawn with the chips.
QImage titlePicture(const std::string& buildingData, const QImage& still, const QImage& motion);
// 640 x 30 with a transparent background: 20 images of 32 x 30.
QImage toolbarStrip();
// Rasterises the icon's SVG to res/icons/vellmora-<N>.png and copies the SVG beside them.
bool writeIcons(const std::string& svgPath, const std::string& iconDir, std::string& error);

}  // namespace pics
