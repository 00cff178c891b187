// The pictures the map view draws from: the two chip sheets with magenta made transparent, and the
// title picture laid on black. A picture that cannot be loaded stays empty and draws nothing.
#pragma once

#include <QImage>
#include <string>

namespace vellmora {

struct ChipBitmap;

struct ChipPictures {
    static constexpr const char* kMapChipFile = "mapchip.bmp";
    static constexpr const char* kMotionChipFile = "motionchip.bmp";
    static constexpr const char* kTitleFile = "res/title.png";
    static constexpr QRgb kTransparentKey = 0xFF00FF;

    // ARGB32: alpha 0 where the sheet is magenta, 255 elsewhere.
    QImage mapChip;
    QImage motionChip;
    // RGB32, the title picture over black.
    QImage title;

    // Loads all three from `folder`; each one that fails is reported once on standard error.
    void load(const std::string& folder);
};

// The sheet as ARGB32 with the transparent key turned fully transparent.
QImage chipImage(const ChipBitmap& bitmap);

}  // namespace vellmora
