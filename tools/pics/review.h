// Pictures for reviewing the art (not shipped): every cell at twice its size with its code and
// building name, and each shipped town drawn with the chips.
#pragma once

#include <QImage>
#include <string>

#include "tools/pics/sheets.h"

namespace pics {

// `still` and `motion` are the sheets as stored (after the palette).
QImage contactSheet(const ChipSheets& plan, const QImage& still, const QImage& motion);

// Every overlay (rows: firm 0 step 0 ... firm 3 step 4) over each kind of ground (two tiles each).
QImage overlayMatrix(const ChipSheets& plan, const QImage& still, const QImage& motion);

// Writes town-<name>.png (normal view), town-<name>-shops.png (a few shops of every company) and
// town-<name>-customers.png (the customer overlay) for every map file in the program folder.
bool writeTownPictures(const std::string& programDir, const std::string& outDir,
                       const QImage& still, const QImage& motion, std::string& error);

}  // namespace pics
