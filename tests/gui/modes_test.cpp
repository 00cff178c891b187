// The three mouse modes driven by mouse events on the client area: drag scrolling, the status
// line, building and closing, and leaving a tool mode.
#include <gtest/gtest.h>

#include "app/command_ids.h"
#include "app/framework/money_text.h"
#include "app/mode.h"
#include "data/building_table.h"
#include "data/text_encoding.h"
#include "game/firm.h"
#include "game/game.h"
#include "resources/string_table.h"
#include "shell_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora {
namespace {

using test::GameFixtureOptions;
using test::ShellFixture;

GameFixtureOptions wideTown() {
    GameFixtureOptions options;
    options.width = 30;
    options.height = 20;
    return options;
}

class ModesTest : public ::testing::Test {
protected:
    ModesTest() : shell(wideTown()) {
        EXPECT_EQ(shell.startGame(), 0);
        MapView& view = shell.window->mapView();
        view.setView(3, 3, shell.window->game().mapWidth(), shell.window->game().mapHeight());
    }

    MainWindow& window() { return *shell.window; }
    Game& game() { return shell.window->game(); }
    int kind() { return shell.window->currentMode().kind(); }

    ShellFixture shell;
};

TEST_F(ModesTest, DraggingScrollsByWholeTiles) {
    const MapView& view = window().mapView();
    ASSERT_EQ(view.viewX(), 3);
    const QPoint start(300, 300);
    shell.press(start);
    shell.move({290, 295}, Qt::LeftButton);  // the same tile: no scroll
    EXPECT_EQ(view.viewX(), 3);
    EXPECT_EQ(view.viewY(), 3);
    EXPECT_EQ(window().clientArea()->cursor().shape(), Qt::SizeAllCursor);
    shell.move({200, 300}, Qt::LeftButton);  // 100 pixels left: two tiles right
    EXPECT_EQ(view.viewX(), 5);
    EXPECT_EQ(view.viewY(), 3);
    shell.move({300, 400}, Qt::LeftButton);  // back, and 100 pixels down: two tiles up
    EXPECT_EQ(view.viewX(), 3);
    EXPECT_EQ(view.viewY(), 1);
    shell.release({300, 400});
    EXPECT_EQ(window().clientArea()->cursor().shape(), Qt::ArrowCursor);
    shell.move({100, 100});  // no drag any more
    EXPECT_EQ(view.viewX(), 3);
    EXPECT_EQ(view.viewY(), 1);
}

TEST_F(ModesTest, TheStatusLineDescribesTheTileUnderTheMouse) {
    shell.move(shell.tileCentre(4, 5));
    EXPECT_EQ(shell.status(StatusBar::kTile), QStringLiteral("(4,5)"));
    const BuildingDef* building = game().buildingAt(4, 5);
    ASSERT_NE(building, nullptr);
    EXPECT_EQ(shell.status(StatusBar::kModeInfo),
              formatString(145, cp932ToUtf8(building->name).c_str()));
    const QString line = shell.status(StatusBar::kModeHint);
    EXPECT_TRUE(line.startsWith(QStringLiteral("顧客数[10] 支配[")));
    EXPECT_TRUE(line.contains(QStringLiteral("Blue Co:"))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("テスト屋:"))) << line.toStdString();
    // Off the map: no building, no customers.
    shell.move(shell.tileCentre(-2, 5));
    EXPECT_EQ(shell.status(StatusBar::kModeInfo), formatString(145, ""));
    EXPECT_TRUE(shell.status(StatusBar::kModeHint).startsWith(QStringLiteral("顧客数[0]")));
}

TEST_F(ModesTest, BuildModeShowsCostAndRentAndBuildsOnAClick) {
    window().commands().trigger(command::kBuildMedium);
    ASSERT_EQ(kind(), Mode::kBuild);
    const Money cost = shell.game.options().buildCost[1];
    EXPECT_EQ(shell.status(StatusBar::kModeHint),
              formatString(104, moneyText(cost).toUtf8().constData()));
    window().commands().trigger(command::kBuildSmall);
    EXPECT_EQ(shell.status(StatusBar::kModeHint),
              formatString(104, moneyText(shell.game.options().buildCost[0]).toUtf8().constData()));
    window().commands().trigger(command::kBuildMedium);

    const QPoint site = shell.tileCentre(6, 6);
    shell.move(site);
    EXPECT_TRUE(shell.status(StatusBar::kModeInfo).startsWith(QStringLiteral("家賃[")));
    EXPECT_EQ(window().mapView().markerCode(), MapView::kMarkerBuild);
    EXPECT_EQ(window().mapView().markerX(), 6);

    const Money before = game().player()->cash();
    shell.click(site);
    EXPECT_EQ(kind(), Mode::kBuild);  // several shops one after the other
    EXPECT_GE(game().shopAt(6, 6, 0), 0);
    EXPECT_EQ(game().player()->cash(), before - cost);
    EXPECT_EQ(shell.status(StatusBar::kCash),
              QStringLiteral("資金[%1]").arg(moneyText(before - cost)));
    EXPECT_TRUE(shell.effects.empty());  // sound effects are off

    shell.move(site);  // the tile now holds a shop
    EXPECT_EQ(shell.status(StatusBar::kModeInfo), loadString(147));
    EXPECT_EQ(window().mapView().markerCode(), MapView::kMarkerRefused);
}

TEST_F(ModesTest, RightReleaseLeavesAToolModeAndReenablesTheCommands) {
    window().commands().trigger(command::kCloseShop);
    ASSERT_EQ(kind(), Mode::kClose);
    EXPECT_EQ(shell.status(StatusBar::kModeHint), loadString(148));
    EXPECT_FALSE(window().commands().isEnabled(command::kEndTurn));
    shell.move(shell.tileCentre(5, 5));
    EXPECT_EQ(shell.status(StatusBar::kModeInfo), loadString(150));
    shell.click(shell.tileCentre(5, 5), Qt::RightButton);
    EXPECT_EQ(kind(), Mode::kNormal);
    // The normal mode describes the same tile at once: no refusal left from the tool.
    const BuildingDef* building = game().buildingAt(5, 5);
    ASSERT_NE(building, nullptr);
    EXPECT_EQ(shell.status(StatusBar::kModeInfo),
              formatString(145, cp932ToUtf8(building->name).c_str()));
    EXPECT_TRUE(shell.status(StatusBar::kModeHint).startsWith(QStringLiteral("顧客数[")));
    EXPECT_EQ(window().mapView().markerCode(), -1);
    EXPECT_FALSE(window().commands().isChecked(command::kCloseShop));
    for (int id : {command::kNewGame, command::kManagementSystem, command::kBudget,
                   command::kBorrowing, command::kEndTurn}) {
        EXPECT_TRUE(window().commands().isEnabled(id)) << id;
    }
    // In the normal mode a right release does nothing.
    shell.click(shell.tileCentre(5, 5), Qt::RightButton);
    EXPECT_EQ(kind(), Mode::kNormal);
}

TEST_F(ModesTest, CloseModeOffersOnlyThePlayersShops) {
    ASSERT_GE(game().firm(1)->build(8, 8, 0), 0);
    ASSERT_GE(game().buildShop(10, 8, 0), 0);
    window().commands().trigger(command::kSoundEffects);
    window().commands().trigger(command::kCloseShop);

    shell.move(shell.tileCentre(8, 8));
    EXPECT_EQ(shell.status(StatusBar::kModeInfo), loadString(150));
    EXPECT_EQ(window().mapView().markerCode(), MapView::kMarkerRefused);
    shell.click(shell.tileCentre(8, 8));
    EXPECT_GE(game().shopAt(8, 8, 1), 0);
    EXPECT_TRUE(shell.effects.empty());  // a tile without the player's shop: nothing at all

    shell.move(shell.tileCentre(10, 8));
    EXPECT_EQ(shell.status(StatusBar::kModeInfo),
              formatString(149, moneyText(shell.game.options().closeCost).toUtf8().constData()));
    EXPECT_EQ(window().mapView().markerCode(), MapView::kMarkerClose);
    shell.click(shell.tileCentre(10, 8));
    EXPECT_EQ(game().shopAt(10, 8, 0), -1);
    EXPECT_EQ(shell.effects, std::vector<int>{MainWindow::kEffectRemove});
}

TEST_F(ModesTest, TheStatusLineFollowsChangesWithoutAMouseMove) {
    // A build: the tile is taken at once.
    window().commands().trigger(command::kBuildSmall);
    const QPoint site = shell.tileCentre(6, 6);
    shell.move(site);
    ASSERT_EQ(window().mapView().markerCode(), MapView::kMarkerBuild);
    shell.click(site);
    ASSERT_GE(game().shopAt(6, 6, 0), 0);
    EXPECT_EQ(shell.status(StatusBar::kModeInfo), loadString(147));
    EXPECT_EQ(window().mapView().markerCode(), MapView::kMarkerRefused);

    // Leaving the mode: the normal mode names the player's shop on that tile.
    shell.click(site, Qt::RightButton);
    ASSERT_EQ(kind(), Mode::kNormal);
    EXPECT_EQ(shell.status(StatusBar::kModeInfo), QStringLiteral("建物[テスト屋 1号店]"));

    // The end of turn moves the shares under the mouse.
    const QString before = shell.status(StatusBar::kModeHint);
    window().commands().trigger(command::kEndTurn);
    const QString after = shell.status(StatusBar::kModeHint);
    EXPECT_NE(after, before);
    shell.move(site);
    EXPECT_EQ(shell.status(StatusBar::kModeHint), after);
}

TEST(ModesOpenTest, OpeningAGameDescribesTheTileUnderTheMouse) {
    ShellFixture shell;  // on the title: nothing to describe
    shell.move(shell.tileCentre(3, 3));
    EXPECT_EQ(shell.status(StatusBar::kModeInfo), QString());
    EXPECT_EQ(shell.status(StatusBar::kModeHint), QString());

    const std::string path = shell.user.file("saved.vsav");
    {
        const std::unique_ptr<Game> saved = test::startGame(shell.game);
        ASSERT_NE(saved, nullptr);
        ASSERT_GE(saved->buildShop(3, 3, 0), 0);
        ASSERT_EQ(saved->saveGame(path), 0);
    }
    ASSERT_EQ(shell.window->openSavedGame(path), 0);
    EXPECT_TRUE(shell.status(StatusBar::kModeHint).contains(QStringLiteral("Player Co:")))
        << shell.status(StatusBar::kModeHint).toStdString();
    EXPECT_EQ(shell.status(StatusBar::kModeInfo), QStringLiteral("建物[Player Co 1号店]"));
}

TEST_F(ModesTest, ADoubleClicksSecondPressReachesNoMode) {
    window().commands().trigger(command::kSoundEffects);
    window().commands().trigger(command::kBuildSmall);
    const QPoint site = shell.tileCentre(7, 7);
    shell.press(site);
    shell.release(site);
    shell.mouse(QEvent::MouseButtonDblClick, site, Qt::LeftButton, Qt::LeftButton);
    shell.release(site);
    // Both releases tried to build: the second one on a taken tile.
    EXPECT_EQ(shell.effects, (std::vector<int>{MainWindow::kEffectBuild, MainWindow::kEffectBeep}));

    shell.click(site, Qt::RightButton);
    ASSERT_EQ(kind(), Mode::kNormal);
    shell.mouse(QEvent::MouseButtonDblClick, site, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(shell.window->modes().normal().dragging());
}

}  // namespace
}  // namespace vellmora
