// The screenshot run's town screens: the build and close markers, a shop built by a click, the
// seven display modes and every management and report dialog over the running game.
#include <QApplication>

#include "app/command_ids.h"
#include "app/command_table.h"
#include "app/main_window.h"
#include "app/map_view.h"
#include "app/screenshots.h"
#include "game/game.h"

namespace vellmora {

bool ScreenshotRun::findTile(bool buildable, int& x, int& y) const {
    Game& game = window_.game();
    // Tiles near the middle first, so the view can show them with the town around.
    const int width = game.mapWidth();
    const int height = game.mapHeight();
    for (int ring = 0; ring < std::max(width, height); ++ring) {
        for (int ty = height / 2 - ring; ty <= height / 2 + ring; ++ty) {
            for (int tx = width / 2 - ring; tx <= width / 2 + ring; ++tx) {
                if (tx < 0 || ty < 0 || tx >= width || ty >= height) {
                    continue;
                }
                if (game.canBuildShop(tx, ty, 0) == buildable) {
                    x = tx;
                    y = ty;
                    return true;
                }
            }
        }
    }
    return false;
}

// Scrolls the tile into view and moves the mouse over its middle.
bool ScreenshotRun::pointAtTile(int x, int y) {
    MapView& view = window_.mapView();
    const int across = std::max(1, view.viewWidth() / MapView::kTile);
    const int down = std::max(1, (view.viewHeight() - MapView::kMapTop) / MapView::kTile);
    view.setView(x - across / 2, y - down / 2, window_.game().mapWidth(),
                 window_.game().mapHeight());
    const int clientX = (x - view.viewX()) * MapView::kTile + MapView::kTile / 2;
    const int clientY = (y - view.viewY()) * MapView::kTile + MapView::kMapTop + MapView::kTile / 2;
    window_.onMouseMove(clientX, clientY, 0);
    return true;
}

void ScreenshotRun::addBuildSteps() {
    addStep({QStringLiteral("build marker"), [this] {
                 int x = 0;
                 int y = 0;
                 if (!findTile(true, x, y)) {
                     return true;  // a town without a free tile: nothing to show
                 }
                 window_.commands().trigger(command::kBuildMedium);
                 int refusedX = 0;
                 int refusedY = 0;
                 if (findTile(false, refusedX, refusedY)) {
                     pointAtTile(refusedX, refusedY);
                     settle(300);
                     save(window_, QStringLiteral("build-refused"));
                 }
                 pointAtTile(x, y);
                 settle(300);
                 save(window_, QStringLiteral("build-allowed"));
                 const int clientX = (x - window_.mapView().viewX()) * MapView::kTile + 24;
                 const int clientY =
                     (y - window_.mapView().viewY()) * MapView::kTile + MapView::kMapTop + 24;
                 window_.onLButtonUp(clientX, clientY, 0);
                 window_.onRButtonUp(clientX, clientY, 0);
                 shopX_ = x;
                 shopY_ = y;
                 return true;
             }});
}

bool ScreenshotRun::shootDialog(int command, const QString& name) {
    if (!window_.commands().isEnabled(command)) {
        return true;
    }
    nextDialogName_ = name;
    window_.commands().trigger(command);
    nextDialogName_.clear();
    return true;
}

void ScreenshotRun::addTownSteps() {
    addStep({QStringLiteral("display modes"), [this] {
                 struct View {
                     int command;
                     const char* name;
                 };
                 const View views[] = {{command::kViewCustomers, "view-customers"},
                                       {command::kViewCatchment, "view-catchment"},
                                       {command::kViewPreferencePlayer, "view-preference-player"},
                                       {command::kViewPreferenceBlue, "view-preference-blue"},
                                       {command::kViewPreferenceGreen, "view-preference-green"},
                                       {command::kViewPreferenceYellow, "view-preference-yellow"},
                                       {command::kViewNormal, "view-normal"}};
                 for (const View& view : views) {
                     window_.commands().trigger(view.command);
                     settle(300);
                     save(window_, QString::fromLatin1(view.name));
                 }
                 return true;
             }});
    addStep({QStringLiteral("close marker"), [this] {
                 if (shopX_ < 0 || window_.game().shopAt(shopX_, shopY_, 0) < 0 ||
                     !window_.commands().isEnabled(command::kCloseShop)) {
                     return true;
                 }
                 window_.commands().trigger(command::kCloseShop);
                 pointAtTile(shopX_, shopY_);
                 settle(300);
                 save(window_, QStringLiteral("close-marker"));
                 window_.onRButtonUp(0, MapView::kMapTop, 0);
                 return true;
             }});
    addStep({QStringLiteral("dialogs"), [this] {
                 shootDialog(command::kBudget, QStringLiteral("budget"));
                 shootDialog(command::kManagementSystem, QStringLiteral("management-system"));
                 shootDialog(command::kBorrowing, QStringLiteral("borrowing"));
                 shootDialog(command::kStatements, QStringLiteral("statements"));
                 shootDialog(command::kCompanyInfo, QStringLiteral("company-info"));
                 const int shop = shopX_ < 0 ? -1 : window_.game().shopAt(shopX_, shopY_, 0);
                 if (shop >= 0) {
                     nextDialogName_ = QStringLiteral("shop-info");
                     window_.openShopInfo(shop);
                     nextDialogName_.clear();
                 }
                 return true;
             }});
}

}  // namespace vellmora
