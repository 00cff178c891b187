#include "app/game_chip_source.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>
#include <chrono>
#include <thread>

#include "app/map_view.h"
#include "game/game.h"
#include "map_view_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora {
namespace {

using test::cellColour;

constexpr QRgb kBlack = 0xFF000000u;
// Every building of the fixture's data draws cell (1, 2) of the map sheet.
const QRgb kFixtureChip = cellColour(1, 2);

test::GameFixtureOptions sized(int width, int height) {
    test::GameFixtureOptions options;
    options.width = width;
    options.height = height;
    return options;
}

NewGameSetup setupFor(const test::GameFixture& fixture) {
    NewGameSetup setup;
    setup.mapPath = fixture.mapPath();
    setup.difficulty = 4;
    setup.playerName = "Player";
    setup.companyName = "Player Co";
    return setup;
}

TEST(GameChipSourceTest, AnswersNothingWithoutAMap) {
    Game game;
    GameChipSource source(game);
    EXPECT_EQ(source.kind(), ChipSource::kDrawnKind);
    EXPECT_EQ(source.chip(0, 0, 3), -1);
    EXPECT_EQ(source.attribute(0, 0, 3), 0);
}

TEST(GameChipSourceTest, FollowsTheMapOfEveryNewGame) {
    test::ChipFolder chips;
    const test::GameFixture small(sized(6, 5));
    const test::GameFixture wide(sized(12, 4));
    const test::GameFixture tall(sized(5, 9));
    Game game(small.folder());
    GameChipSource source(game);
    MapView view(chips.path(), nullptr);
    ASSERT_EQ(view.addChipSource(&source), 0);
    view.setViewSize(14 * 48, 11 * 48 + MapView::kMapTop);
    view.setView(-1, -1, 20, 20);
    view.setTitle(false);
    for (const test::GameFixture* fixture : {&small, &wide, &tall, &small}) {
        ASSERT_EQ(game.newGame(fixture->folder() + "zdt/base.zdt", fixture->folder() + "acc.dat",
                               &fixture->mapPath(), 4, "Player", "Player Co", 3),
                  kOk);
        const int w = game.mapWidth();
        const int h = game.mapHeight();
        EXPECT_EQ(source.width(), w);
        view.setMapSize(w, h);
        view.redrawLayers();
        view.drawNow();
        const QImage frame = view.lastFrame();
        // Tile (x, y) starts at ((x + 1) * 48, (y + 1) * 48) with the origin at (-1, -1).
        EXPECT_EQ(frame.pixel(w * 48 + 20, h * 48 + 20), kFixtureChip) << w << "x" << h;
        EXPECT_EQ(frame.pixel((w + 1) * 48 + 20, h * 48 + 20), kBlack) << w << "x" << h;
        EXPECT_EQ(frame.pixel(w * 48 + 20, (h + 1) * 48 + 20), kBlack) << w << "x" << h;
    }
}

// The frame thread draws at 10 frames per second while the GUI thread ends turns, builds and
// moves the view, each change under the view's lock.
TEST(GameChipSourceTest, DrawsWhileTheGameChangesUnderTheLock) {
    test::ChipFolder chips;
    const test::GameFixture fixture(sized(12, 10));
    Game game(fixture.folder());
    ASSERT_EQ(game.newGame(setupFor(fixture)), kOk);
    GameChipSource source(game);
    QWidget window;
    MapView view(chips.path(), &window);
    ASSERT_EQ(view.addChipSource(&source), 0);
    view.sortChipSources();
    view.setViewSize(640, 480);
    view.setMapSize(game.mapWidth(), game.mapHeight());
    view.redrawLayers();
    view.setTitle(false);
    ASSERT_EQ(view.start(MapView::kGameFramesPerSecond), 0);

    for (int month = 0; month < 8; ++month) {
        view.lock();
        (void)game.endTurn();
        view.redrawLayers();
        view.unlock();
        for (int x = 0; x < game.mapWidth(); x += 3) {
            const int y = 1 + month % (game.mapHeight() - 1);
            view.setMarker(
                x, y, game.canBuildShop(x, y, 0) ? MapView::kMarkerBuild : MapView::kMarkerRefused);
            view.lock();
            (void)game.buildShop(x, y, 0);
            view.redrawLayers();
            view.unlock();
            view.lock();
            view.setView(view.viewX() + (month % 2 == 0 ? 1 : -1), view.viewY(), game.mapWidth(),
                         game.mapHeight());
            view.unlock();
            QCoreApplication::processEvents();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
    }
    view.stop();
    EXPECT_FALSE(view.lastFrame().isNull());
    view.drawNow();
    EXPECT_EQ(view.lastFrame().size(), QSize(640, 480 - MapView::kMapTop));
}

}  // namespace
}  // namespace vellmora
