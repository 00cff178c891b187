// Times the map view's frames and redraws and reports the memory its pictures take:
//   1. a dense synthetic 128 x 128 town on a 1920 x 1080 map area: first frames, steady frames,
//      a tour over the whole town, the pictures kept and the process's peak memory;
//   2. the largest shipped town (map/oomachi.zmf of the program folder) in a real game: a build
//      with its redraw and next frame, the share of the frame that animated chips draw again, and
//      a change of display mode.
// The chip sheets are synthetic (one colour per cell), written to a scratch folder.
// Usage: map_view_bench [PROGRAM_FOLDER]   (default: the folder of this program's build)
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "app/game_chip_source.h"
#include "app/map_view.h"
#include "data/program_folder.h"
#include "data/result_codes.h"
#include "game/chip_source.h"
#include "game/game.h"
#include "game/town_map.h"
#include "support/chip_bitmap_writer.h"
#include "support/temp_dir.h"

namespace {

using namespace vellmora;

double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

long peakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

class DenseTown : public ChipSource {
public:
    DenseTown(int width, int height) : width_(width), height_(height) {}
    int kind() const override { return kDrawnKind; }
    int width() const override { return width_; }
    int height() const override { return height_; }
    int chip(int x, int y, int layer) const override {
        const unsigned h = hash(x, y);
        switch (layer) {
            case 0:
                return static_cast<int>(h % 48);  // ground on every tile
            case 2:
                return h % 5 < 2 ? 64 + static_cast<int>(h / 7 % 128) : -1;  // buildings
            case 3:
                return h % 13 == 0 ? 256 + static_cast<int>(h / 11 % 16) : -1;  // animated
            case 5:
                return h % 17 == 0 ? 200 + static_cast<int>(h / 3 % 40) : -1;  // roofs
            default:
                return -1;
        }
    }
    int attribute(int x, int y, int layer) const override {
        return layer == 2 && hash(x, y) % 10 == 0 ? 1 : 0;
    }

private:
    static unsigned hash(int x, int y) {
        unsigned h = static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u;
        h ^= h >> 13;
        return h * 2654435761u;
    }
    int width_;
    int height_;
};

struct Timing {
    double total = 0;
    double worst = 0;
    int count = 0;
    void add(double ms) {
        total += ms;
        worst = std::max(worst, ms);
        ++count;
    }
    double mean() const { return count == 0 ? 0 : total / count; }
};

double timeFrame(MapView& view) {
    const double start = threadMilliseconds();
    view.onFrame(0, 0, 0);
    return threadMilliseconds() - start;
}

// The part of the frame, in per cent, that a steady frame at view origin (x, y) draws again and
// hands to the widget: the squares of the animated chips in view.
double handedShare(MapView& view, int x, int y, const Game& game) {
    view.setView(x, y, game.mapWidth(), game.mapHeight());
    QImage shown;
    view.onFrame(0, 0, 0);
    (void)view.takeFrame(shown);
    view.onFrame(0, 0, 0);
    long long pixels = 0;
    for (const QRect& part : view.takeFrame(shown)) {
        pixels += static_cast<long long>(part.width()) * part.height();
    }
    return 100.0 * static_cast<double>(pixels) /
           (static_cast<double>(shown.width()) * static_cast<double>(shown.height()));
}

void syntheticTown(const std::string& chips) {
    constexpr int kSide = 128;
    DenseTown town(kSide, kSide);
    MapView view(chips, nullptr);
    view.addChipSource(&town);
    view.setViewSize(1920, 1080 + MapView::kMapTop);
    view.setMapSize(kSide, kSide);
    view.setTitle(false);
    view.setView(40, 40, kSide, kSide);
    double start = threadMilliseconds();
    view.redrawLayers();
    std::printf("128x128 synthetic town, 1920x1080 map area\n");
    std::printf("  reading the chips (redrawLayers): %.1f ms\n", threadMilliseconds() - start);

    Timing first;
    for (int phase = 0; phase < 8; ++phase) {
        first.add(timeFrame(view));
    }
    std::printf("  first 8 frames (blocks drawn): mean %.2f ms, worst %.2f ms\n", first.mean(),
                first.worst);
    Timing steady;
    for (int frame = 0; frame < 200; ++frame) {
        steady.add(timeFrame(view));
    }
    std::printf("  steady frames: mean %.2f ms, worst %.2f ms (CPU of the drawing thread)\n",
                steady.mean(), steady.worst);

    // Scroll over the whole town one tile per frame, row band after row band.
    Timing tour;
    std::size_t mostKept = 0;
    for (int y = -5; y < kSide; y += 10) {
        for (int x = -5; x < kSide; x += 1) {
            view.setView(x, y, kSide, kSide);
            tour.add(timeFrame(view));
            mostKept = std::max(mostKept, view.cachedBytes());
        }
    }
    std::printf("  scrolling a tile per frame over the town: mean %.2f ms, worst %.2f ms\n",
                tour.mean(), tour.worst);
    std::printf("  pictures kept: at most %.1f MB; process peak so far %.1f MB\n",
                static_cast<double>(mostKept) / 1048576.0,
                static_cast<double>(peakKilobytes()) / 1024.0);
}

void shippedTown(const std::string& chips, const std::string& programFolder) {
    const std::string mapPath = joinPath(programFolder, "map/oomachi.zmf");
    Game game(programFolder);
    NewGameSetup setup;
    setup.mapPath = mapPath;
    setup.playerName = "Bench";
    setup.companyName = "Bench Co";
    if (game.newGame(setup) != kOk) {
        std::printf("oomachi: no game on %s (is the content built?)\n", mapPath.c_str());
        return;
    }
    GameChipSource source(game);
    MapView view(chips, nullptr);
    view.addChipSource(&source);
    view.setViewSize(1920, 1080 + MapView::kMapTop);
    view.setMapSize(game.mapWidth(), game.mapHeight());
    view.setTitle(false);
    view.setView(2, 2, game.mapWidth(), game.mapHeight());
    double start = threadMilliseconds();
    view.redrawLayers();
    std::printf("oomachi %dx%d, 1920x1080 map area\n", game.mapWidth(), game.mapHeight());
    std::printf("  reading the chips (redrawLayers): %.2f ms\n", threadMilliseconds() - start);
    for (int frame = 0; frame < 16; ++frame) {
        view.onFrame(0, 0, 0);
    }
    Timing steady;
    for (int frame = 0; frame < 100; ++frame) {
        steady.add(timeFrame(view));
    }
    std::printf("  steady frames: mean %.2f ms, worst %.2f ms\n", steady.mean(), steady.worst);
    std::printf("  share of the frame drawn and handed on again each steady frame: ");
    std::printf("%.1f %% at (2, 2)", handedShare(view, 2, 2, game));
    double most = 0.0;
    for (int y = -5; y < game.mapHeight(); y += 5) {
        for (int x = -5; x < game.mapWidth(); x += 5) {
            most = std::max(most, handedShare(view, x, y, game));
        }
    }
    std::printf(", at most %.1f %% over the town\n", most);
    view.setView(2, 2, game.mapWidth(), game.mapHeight());

    Timing build;
    int built = 0;
    for (int y = 3; y < game.mapHeight() && built < 20; y += 2) {
        for (int x = 3; x < game.mapWidth() && built < 20; x += 3) {
            if (!game.canBuildShop(x, y, 0)) {
                continue;
            }
            start = threadMilliseconds();
            view.lock();
            (void)game.buildShop(x, y, 0);
            view.redrawLayers();
            view.unlock();
            view.onFrame(0, 0, 0);
            build.add(threadMilliseconds() - start);
            ++built;
        }
    }
    std::printf("  build + redrawLayers + next frame: %d builds, mean %.2f ms, worst %.2f ms\n",
                build.count, build.mean(), build.worst);

    Timing mode;
    for (int round = 0; round < 4; ++round) {
        start = threadMilliseconds();
        if (round % 2 == 0) {
            game.map()->showCustomers();
        } else {
            game.map()->showNormal();
        }
        view.redrawLayers();
        view.onFrame(0, 0, 0);
        mode.add(threadMilliseconds() - start);
    }
    std::printf("  display mode change + redraw + next frame: mean %.2f ms, worst %.2f ms\n",
                mode.mean(), mode.worst);
    std::printf("  pictures kept: %.1f MB\n", static_cast<double>(view.cachedBytes()) / 1048576.0);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::string programFolder =
        argc > 1 ? std::string(argv[1]) : joinPath(vellmora::programFolder(), "../vellmora");
    vellmora::test::TempDir chips;
    chips.write("mapchip.bmp", vellmora::test::chipSheetBytes(16));
    chips.write("motionchip.bmp", vellmora::test::chipSheetBytes(24));
    const std::string chipFolder = chips.path().string() + "/";
    syntheticTown(chipFolder);
    shippedTown(chipFolder, programFolder);
    std::printf("process peak memory: %.1f MB\n", static_cast<double>(peakKilobytes()) / 1024.0);
    return 0;
}
