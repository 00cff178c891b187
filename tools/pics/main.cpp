// vellmora-pictures <program folder> <picture sources> <review folder>
// Draws every picture of the program from the sources in content/pictures and the chip plan of
// the building data already written to the program folder:
//   mapchip.bmp, motionchip.bmp, res/title.png, res/toolbar.png, res/icons/*
// and, for review only, contact-sheet.png, overlays.png and town-*.png in the review folder.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "data/building_table.h"
#include "tools/pics/art.h"
#include "tools/pics/bitmap.h"
#include "tools/pics/review.h"
#include "tools/pics/sheets.h"
#include "tools/pics/style.h"

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "vellmora-pictures: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        return fail("usage: vellmora-pictures <program folder> <picture sources> <review folder>");
    }
    const std::string programDir = argv[1];
    const std::string sourceDir = argv[2];
    const std::string reviewDir = argv[3];
    std::string error;
    if (!pics::loadPalette(sourceDir + "/palette.txt", error)) {
        return fail(error);
    }
    const std::string buildingData = programDir + "/zdt/blddata";
    vellmora::BuildingTable table;
    if (table.load(buildingData) != 0) {
        return fail(buildingData + ": cannot be read");
    }
    pics::ChipSheets sheets;
    if (!pics::drawSheets(table, sheets, error)) {
        return fail(error);
    }
    const std::vector<QRgb> palette = pics::makePalette({&sheets.still, &sheets.motion});
    const pics::IndexedImage still = pics::toIndexed(sheets.still, palette);
    const pics::IndexedImage motion = pics::toIndexed(sheets.motion, palette);
    if (!pics::writeBmp8(programDir + "/mapchip.bmp", still, palette) ||
        !pics::writeBmp8(programDir + "/motionchip.bmp", motion, palette)) {
        return fail("the chip bitmaps cannot be written");
    }
    // Everything after this point is drawn with the chips as stored, palette and all.
    const QImage storedStill = pics::toImage(still, palette);
    const QImage storedMotion = pics::toImage(motion, palette);

    for (const char* dir : {"/res", "/res/icons"}) {
        QDir().mkpath(QString::fromStdString(programDir + dir));
    }
    QDir().mkpath(QString::fromStdString(reviewDir));
    if (!pics::titlePicture(buildingData, storedStill, storedMotion)
             .save(QString::fromStdString(programDir + "/res/title.png"))) {
        return fail("res/title.png cannot be written");
    }
    if (!pics::toolbarStrip().save(QString::fromStdString(programDir + "/res/toolbar.png"))) {
        return fail("res/toolbar.png cannot be written");
    }
    if (!pics::writeIcons(sourceDir + "/icon.svg", programDir + "/res/icons", error)) {
        return fail(error);
    }
    if (!pics::contactSheet(sheets, storedStill, storedMotion)
             .save(QString::fromStdString(reviewDir + "/contact-sheet.png"))) {
        return fail("contact-sheet.png cannot be written");
    }
    pics::overlayMatrix(sheets, storedStill, storedMotion)
        .save(QString::fromStdString(reviewDir + "/overlays.png"));
    if (!pics::writeTownPictures(programDir, reviewDir, storedStill, storedMotion, error)) {
        return fail(error);
    }
    return 0;
}
