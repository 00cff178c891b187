#include "app/map_view.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <vector>

#include "app/map_widget.h"
#include "map_view_fixture.h"

namespace vellmora {
namespace {

using test::cellColour;
using test::ChipFolder;
using test::FakeChipSource;

constexpr QRgb kBlack = 0xFF000000u;

TEST(MapViewTest, ClampsTheViewOriginToFiveTilesBeyondTheMap) {
    ChipFolder folder;
    MapView view(folder.path(), nullptr);
    // 805 / 48 = 16 tiles across, 605 / 48 = 12 down.
    view.setViewSize(800, 600);
    struct Case {
        int x, y, mapWidth, mapHeight, viewX, viewY;
    };
    const std::vector<Case> cases = {
        {0, 0, 20, 15, 0, 0},
        {-5, -5, 20, 15, -5, -5},
        {-6, -100, 20, 15, -5, -5},
        {9, 8, 20, 15, 9, 8},
        {10, 9, 20, 15, 9, 8},
        {1000, 1000, 20, 15, 9, 8},
        {-2, -1, 20, 15, -2, -1},
        // Narrower and lower than the view: the upper clamp falls below -5, the lower one wins.
        {3, 3, 5, 2, -5, -5},
        {0, 0, 6, 15, -5, 0},
    };
    for (const Case& c : cases) {
        view.setView(c.x, c.y, c.mapWidth, c.mapHeight);
        EXPECT_EQ(view.viewX(), c.viewX) << c.x << "," << c.y;
        EXPECT_EQ(view.viewY(), c.viewY) << c.x << "," << c.y;
    }
    view.setView(0, 0, 20, 15);
    for (int step = 0; step < 30; ++step) {
        view.setView(view.viewX() + 1, view.viewY(), 20, 15);  // the right arrow key
    }
    EXPECT_EQ(view.viewX(), 9);
    for (int step = 0; step < 30; ++step) {
        view.setView(view.viewX(), view.viewY() - 1, 20, 15);  // the up arrow key
    }
    EXPECT_EQ(view.viewY(), -5);
}

TEST(MapViewTest, FindsTheTileUnderTheMouse) {
    ChipFolder folder;
    MapView view(folder.path(), nullptr);
    view.setViewSize(800, 600);
    view.setView(-2, -1, 20, 15);
    struct Case {
        int clientX, clientY, tileX, tileY;
    };
    // The map area starts 42 pixels down; division truncates toward zero.
    const std::vector<Case> cases = {
        {0, 42, -2, -1}, {47, 89, -2, -1}, {48, 90, -1, 0},    {0, 0, -2, -1},
        {0, 41, -2, -1}, {100, 142, 0, 1}, {799, 599, 14, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(view.tileX(c.clientX), c.tileX) << c.clientX;
        EXPECT_EQ(view.tileY(c.clientY), c.tileY) << c.clientY;
    }
}

// A view of a small town on the synthetic sheets, map area `frameWidth` x `frameHeight`.
struct TownView {
    TownView(int width, int height, int frameWidth, int frameHeight)
        : source(width, height), view(folder.path(), nullptr) {
        view.setViewSize(frameWidth, frameHeight + MapView::kMapTop);
        view.setMapSize(width, height);
        view.setView(-1, -1, width, height);
        view.setTitle(false);
        EXPECT_EQ(view.addChipSource(&source), 0);
    }
    QImage frame() {
        view.onFrame(0, 0, 0);
        return view.lastFrame();
    }

    ChipFolder folder;
    FakeChipSource source;
    MapView view;
};

TEST(MapViewTest, DrawsAChipWithAttributeOneIntoTheMarginAboveAndLeftOfTheMap) {
    TownView town(3, 3, 240, 240);
    town.source.set(0, 0, 0, 17, 1);  // cell (1, 1); its square starts at cell (0, 0)
    town.view.redrawLayers();
    const QImage frame = town.frame();     // origin (-1, -1): frame pixel (0, 0) is the margin
    EXPECT_EQ(frame.pixel(3, 3), kBlack);  // the hole of sheet cell (0, 0)
    EXPECT_EQ(frame.pixel(10, 10), cellColour(0, 0));
    EXPECT_EQ(frame.pixel(50, 10), cellColour(1, 0));
    EXPECT_EQ(frame.pixel(10, 50), cellColour(0, 1));
    EXPECT_EQ(frame.pixel(95, 95), cellColour(1, 1));
    EXPECT_EQ(frame.pixel(96, 96), kBlack);
    EXPECT_EQ(frame.pixel(100, 20), kBlack);
}

TEST(MapViewTest, StepsAMotionChipThroughItsEightRows) {
    TownView town(2, 2, 144, 144);
    town.source.set(1, 1, 2, 256 + 3);  // column 3, base row 0
    town.view.redrawLayers();
    for (int frame = 0; frame < 9; ++frame) {
        EXPECT_EQ(town.view.phase(), frame % 8);
        EXPECT_EQ(town.frame().pixel(96 + 44, 96 + 44), cellColour(3, frame % 8)) << frame;
    }
}

TEST(MapViewTest, SkipsCodesOutsideBothSheetsAndDrawsLaterChipsOverEarlierOnes) {
    TownView town(4, 2, 240, 144);
    int layer = 1;
    for (int code : {512, 600, -2, -100}) {
        town.source.set(0, 0, layer++, code);
    }
    town.source.set(1, 0, 0, 5);
    town.source.set(1, 0, 3, 6);  // a higher layer over the lower one, which shows through its hole
    town.source.set(2, 0, 0, 7);
    town.source.set(3, 0, 0, 24, 1);  // a later tile's chip reaching over tile (2, 0)
    town.source.set(3, 1, 0, 9);
    town.view.redrawLayers();
    const QImage frame = town.frame();  // tile (x, y) starts at ((x + 1) * 48, (y + 1) * 48)
    EXPECT_EQ(frame.pixel(48 + 20, 48 + 20), kBlack);
    EXPECT_EQ(frame.pixel(96 + 20, 48 + 20), cellColour(6, 0));
    EXPECT_EQ(frame.pixel(96 + 10, 48 + 2), cellColour(5, 0));  // through the hole
    EXPECT_EQ(frame.pixel(144 + 20, 48 + 20), cellColour(7, 1));
    EXPECT_EQ(frame.pixel(144 + 18, 48 + 10), cellColour(7, 0));
    EXPECT_EQ(frame.pixel(192 + 20, 48 + 20), cellColour(8, 1));
    EXPECT_EQ(frame.pixel(192 + 20, 20), cellColour(8, 0));  // in the margin above the map
    EXPECT_EQ(frame.pixel(192 + 20, 96 + 20), cellColour(9, 0));
}

TEST(MapViewTest, ShowsThePicturesOfTheDesignedLayersAtEveryOriginAndPhase) {
    TownView town(14, 11, 400, 300);
    // A little town: ground everywhere, buildings of one and two tiles, animated chips, chips
    // whose sheet cells lie partly or wholly outside a sheet, and overlays on layer 1.
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 14; ++x) {
            town.source.set(x, y, 0, (x + 3 * y) % 40);
            if ((x * 7 + y * 3) % 5 == 0) {
                town.source.set(x, y, 3, 100 + (x + y) % 60, (x + y) % 3 == 0 ? 1 : 0);
            }
            if ((x + y) % 6 == 0) {
                town.source.set(x, y, 4, 256 + 16 * (x % 4) + y % 16, x % 5 == 0 ? 1 : 0);
            }
            if ((x * y) % 11 == 1) {
                town.source.set(x, y, 1, 250 - x, y % 4);
            }
        }
    }
    town.source.set(0, 5, 5, 17, 3);               // column 1 - 3 < 0: partly outside the sheet
    town.source.set(13, 10, 6, 256 + 64 + 15, 2);  // rows beyond the motion sheet at late phases
    FakeChipSource second(14, 11);
    second.set(4, 4, 2, 33);
    second.set(5, 4, 2, 256 + 1);
    ASSERT_EQ(town.view.addChipSource(&second), 0);
    town.view.redrawLayers();

    auto check = [&](const char* when) {
        const std::vector<const ChipSource*> sources = {&town.source, &second};
        for (int phase = 0; phase < 8; ++phase) {
            const QImage layer = test::referenceLayer(sources, 14, 11, phase);
            for (auto [x, y] : {std::pair{-5, -5}, {-1, -1}, {3, 2}, {7, 9}, {4, 6}}) {
                town.view.setView(x, y, 14, 11);
                while (town.view.phase() != phase) {
                    town.view.onFrame(0, 0, 0);
                }
                const QImage expected =
                    test::referenceFrame(layer, 400, 300, town.view.viewX(), town.view.viewY());
                EXPECT_EQ(test::firstDifference(town.frame(), expected), -1)
                    << when << " phase " << phase << " origin " << x << "," << y;
            }
        }
    };
    check("first drawing");
    // A build and a change of display mode: only what changed may be drawn anew.
    town.source.set(6, 6, 3, 120, 1);
    town.source.set(2, 3, 1, -1);
    for (int x = 0; x < 14; ++x) {
        town.source.set(x, 8, 1, 200 + x);
    }
    town.view.redrawLayers();
    check("after a change");
    town.view.removeChipSource(&second);
    second.set(4, 4, 2, 34);
    ASSERT_EQ(town.view.addChipSource(&second), 0);
    town.view.redrawLayers();
    check("with the sources registered again");
}

TEST(MapViewTest, KeepsTheSamePicturesWithinATightMemoryLimit) {
    // Scrolling about with less memory than the view needs for all its phases.
    TownView town(20, 20, 240, 240);
    // Less than the blocks on screen take for one phase.
    town.view.setCacheLimit(200 * 1024);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            town.source.set(x, y, 0, (x + y) % 16);
            town.source.set(x, y, 2, 256 + (x % 16), (x + y) % 2);
        }
    }
    town.view.redrawLayers();
    const std::vector<const ChipSource*> sources = {&town.source};
    // At most the 3 x 3 blocks of 192 x 192 pixels under a 240 x 240 frame stay.
    const std::size_t onScreen = std::size_t{9} * 192 * 192 * 4;
    for (int round = 0; round < 10; ++round) {
        town.view.setView(round * 2 - 3, round - 2, 20, 20);
        const int phase = town.view.phase();
        const QImage expected =
            test::referenceFrame(test::referenceLayer(sources, 20, 20, phase), 240, 240,
                                 town.view.viewX(), town.view.viewY());
        EXPECT_EQ(test::firstDifference(town.frame(), expected), -1) << round;
        EXPECT_LE(town.view.cachedBytes(), onScreen) << round;
    }
}

TEST(MapViewTest, DrawsTheMarkerAndAnExtraFrameWithoutMovingTheAnimation) {
    TownView town(4, 4, 240, 240);
    town.source.set(1, 1, 0, 20);
    town.view.redrawLayers();
    town.view.onFrame(0, 0, 0);
    town.view.onFrame(0, 0, 0);
    ASSERT_EQ(town.view.phase(), 2);
    town.view.setMarker(1, 1, MapView::kMarkerBuild);
    EXPECT_EQ(town.view.phase(), 2);
    const QImage withMarker = town.view.lastFrame();
    EXPECT_EQ(withMarker.pixel(96 + 20, 96 + 20), cellColour(254 % 16, 254 / 16));
    EXPECT_EQ(withMarker.pixel(96 + 34, 96 + 2), cellColour(20 % 16, 20 / 16));  // its hole
    EXPECT_EQ(town.view.markerCode(), MapView::kMarkerBuild);

    town.view.setMarker(4, 1, MapView::kMarkerRefused);  // off the map: removed
    EXPECT_EQ(town.view.markerX(), -1);
    EXPECT_EQ(town.view.markerCode(), -1);
    EXPECT_EQ(town.view.lastFrame().pixel(96 + 20, 96 + 20), cellColour(20 % 16, 20 / 16));
    town.view.setMarker(2, 2, MapView::kMarkerRefused);
    EXPECT_EQ(town.view.lastFrame().pixel(144 + 20, 144 + 20), cellColour(253 % 16, 253 / 16));
    town.view.setMarker(2, 2, -1);
    EXPECT_EQ(town.view.lastFrame().pixel(144 + 20, 144 + 20), kBlack);
}

TEST(MapViewTest, SkipsLateFramesAndShowsTheTitleWithoutAnimating) {
    ChipFolder folder;
    QImage title(MapView::kTitleWidth, MapView::kTitleHeight, QImage::Format_RGB32);
    title.fill(0xFF336699u);
    folder.dir().write("res/.keep", "");
    ASSERT_TRUE(title.save(QString::fromStdString(folder.dir().file("res/title.png"))));
    MapView view(folder.path(), nullptr);
    view.setViewSize(1000, 700);
    EXPECT_EQ(view.onFrame(0, 0, 1), 0);
    EXPECT_TRUE(view.lastFrame().isNull());
    EXPECT_EQ(view.onFrame(0, 0, 0), 1);
    EXPECT_EQ(view.phase(), 0);
    const QImage frame = view.lastFrame();
    ASSERT_EQ(frame.size(), QSize(1000, 700 - 42));
    // x0 = (1000 - 770) / 2 = 115, y0 = (700 - 320) / 2 = 190 (the view height includes the
    // toolbar's 42 pixels).
    EXPECT_EQ(frame.pixel(115, 190), 0xFF336699u);
    EXPECT_EQ(frame.pixel(114, 190), kBlack);
    EXPECT_EQ(frame.pixel(115, 189), kBlack);
    EXPECT_EQ(frame.pixel(884, 509), 0xFF336699u);
    EXPECT_EQ(frame.pixel(885, 509), kBlack);

    view.setViewSize(600, 300);  // smaller than the picture: it starts at (0, 0)
    view.onFrame(0, 0, 0);
    EXPECT_EQ(view.lastFrame().pixel(0, 0), 0xFF336699u);
}

TEST(MapViewTest, DrawsNothingFromMissingOrDamagedSheetsAndKeepsRunning) {
    test::TempDir empty;
    empty.write("mapchip.bmp", "BM not really a bitmap");
    MapView view(empty.path().string(), nullptr);
    FakeChipSource source(3, 3);
    source.set(1, 1, 0, 20);
    source.set(1, 1, 1, 300);
    ASSERT_EQ(view.addChipSource(&source), 0);
    view.setViewSize(200, 242);
    view.setMapSize(3, 3);
    view.setTitle(false);
    view.redrawLayers();
    view.setMarker(1, 1, MapView::kMarkerClose);
    view.onFrame(0, 0, 0);
    const QImage frame = view.lastFrame();
    ASSERT_EQ(frame.size(), QSize(200, 200));
    for (int y = 0; y < frame.height(); y += 7) {
        for (int x = 0; x < frame.width(); x += 7) {
            ASSERT_EQ(frame.pixel(x, y), kBlack);
        }
    }
}

TEST(MapViewTest, RegistersSourcesOnceAndSortsThemByPriority) {
    ChipFolder folder;
    MapView view(folder.path(), nullptr);
    FakeChipSource a(1, 1);
    EXPECT_EQ(view.addChipSource(nullptr), -1);
    EXPECT_EQ(view.addChipSource(&a), 0);
    EXPECT_EQ(view.addChipSource(&a), -1);
    EXPECT_EQ(view.removeChipSource(&a), 0);
    EXPECT_EQ(view.removeChipSource(&a), -1);
}

TEST(MapViewTest, HandsFramesToTheWidgetOnTheGuiThread) {
    ChipFolder folder;
    QWidget window;
    MapView view(folder.path(), &window);
    view.setViewSize(300, 242);
    EXPECT_EQ(view.widget()->parentWidget(), &window);
    EXPECT_EQ(view.widget()->geometry(), QRect(0, MapView::kMapTop, 300, 200));
    view.onFrame(0, 0, 0);
    auto* widget = static_cast<const MapWidget*>(view.widget());
    EXPECT_TRUE(widget->shownFrame().isNull());  // queued, not yet delivered
    QCoreApplication::processEvents();
    EXPECT_EQ(widget->shownFrame().size(), QSize(300, 200));
}

TEST(MapViewTest, HandsTheWidgetOnlyWhatChangedAndItStillShowsTheWholeFrame) {
    ChipFolder folder;
    QWidget window;
    FakeChipSource source(6, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            source.set(x, y, 0, (x + y) % 16);
        }
    }
    source.set(2, 1, 2, 256 + 3);     // an animated tile
    source.set(4, 3, 3, 256 + 5, 1);  // a two-tile animated chip, partly under a still one
    source.set(4, 3, 4, 40);
    MapView view(folder.path(), &window);
    view.setViewSize(288, 240 + MapView::kMapTop);
    view.setMapSize(6, 5);
    view.setView(-1, -1, 6, 5);
    view.setTitle(false);
    ASSERT_EQ(view.addChipSource(&source), 0);
    view.redrawLayers();
    const std::vector<const ChipSource*> sources = {&source};
    // The test takes the frames in place of the widget.
    QImage shown;

    // Frame pixel of tile (x, y) at origin (-1, -1): ((x + 1) * 48, (y + 1) * 48).
    const QRegion animated = QRegion(144, 96, 48, 48) + QRegion(192, 144, 96, 96);
    const QRegion markerAt00(48, 48, 48, 48);
    struct Step {
        int markerX, markerY, markerCode;
        QRegion handed;
    };
    const std::vector<Step> steps = {
        {-1, -1, -1, QRegion(0, 0, 288, 240)},  // the first frame: all of it
        {-1, -1, -1, animated},
        {3, 3, MapView::kMarkerBuild, animated},  // the marker's tile moves anyway
        {0, 0, MapView::kMarkerClose, animated + markerAt00},
        {0, 0, MapView::kMarkerClose, animated},
        {0, 0, -1, animated + markerAt00},  // taken away
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        const int phase = view.phase();
        // setMarker draws at once without moving the animation on; the frame after it has the
        // same phase and changes nothing more.
        view.setMarker(step.markerX, step.markerY, step.markerCode);
        view.onFrame(0, 0, 0);
        EXPECT_EQ(view.takeFrame(shown), step.handed) << i;
        const QImage expected =
            test::referenceFrame(test::referenceLayer(sources, 6, 5, phase), 288, 240, -1, -1,
                                 view.markerX(), view.markerY(), view.markerCode());
        EXPECT_EQ(test::firstDifference(shown, expected), -1) << i;
    }

    // A town without animated chips hands nothing once it is shown.
    source.set(2, 1, 2, -1);
    source.set(4, 3, 3, -1);
    view.redrawLayers();
    view.onFrame(0, 0, 0);
    EXPECT_EQ(view.takeFrame(shown), QRegion(0, 0, 288, 240));
    view.onFrame(0, 0, 0);
    EXPECT_TRUE(view.takeFrame(shown).isEmpty());
}

}  // namespace
}  // namespace vellmora
