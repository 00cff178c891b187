// Browsing: drag scrolling by whole tiles, what lies under the mouse, and a click on one of the
// player's shops for its information.
#include <QCursor>
#include <array>

#include "app/main_window.h"
#include "app/map_view.h"
#include "app/mode.h"
#include "app/status_bar.h"
#include "data/building_table.h"
#include "data/text_encoding.h"
#include "game/firm.h"
#include "game/game.h"
#include "game/market.h"
#include "game/town_map.h"
#include "resources/string_table.h"

namespace vellmora {

void NormalMode::clearDrag() {
    dragMouseX_ = dragMouseY_ = dragViewX_ = dragViewY_ = -1;
}

void NormalMode::onEnter() {
    window_.mapView().setMarker(-1, -1, -1);
    window_.showCash();
    clearDrag();
}

Mode* NormalMode::onLButtonDown(bool, int x, int y, unsigned) {
    dragMouseX_ = x;
    dragMouseY_ = y;
    dragViewX_ = window_.mapView().viewX();
    dragViewY_ = window_.mapView().viewY();
    return this;
}

Mode* NormalMode::onMouseMove(int x, int y, unsigned keyFlags) {
    showTilePosition(x, y);
    if ((keyFlags & kLeftButton) != 0) {
        window_.setClientCursor(Qt::SizeAllCursor);
    }
    const bool otherTile = tileX(x) != tileX(dragMouseX_) || tileY(y) != tileY(dragMouseY_);
    if (dragging() && otherTile) {
        Game& game = window_.game();
        MapView& view = window_.mapView();
        ViewLock lock(view);
        view.setView(dragViewX_ - (x - dragMouseX_) / MapView::kTile,
                     dragViewY_ - (y - dragMouseY_) / MapView::kTile, game.mapWidth(),
                     game.mapHeight());
        return this;
    }
    showTile(tileX(x), tileY(y));
    return this;
}

void NormalMode::showTile(int x, int y) {
    Game& game = window_.game();
    const BuildingDef* building = game.buildingAt(x, y);
    const std::string name = building != nullptr ? cp932ToUtf8(building->name) : std::string();
    window_.statusLine().setText(StatusBar::kModeInfo, formatString(145, name.c_str()));

    const TownMap* map = game.map();
    const int customers = map != nullptr ? map->customers(x, y) : -1;
    std::array<double, kFirmSlots> shares{};
    if (map != nullptr) {
        shares = map->market().drawShares(x, y);
    }
    std::array<std::string, kFirmSlots> names;
    std::array<int, kFirmSlots> percent{};
    for (int firm = 0; firm < kFirmSlots; ++firm) {
        const Firm* company = game.firm(firm);
        names[firm] = company != nullptr ? cp932ToUtf8(company->name()) : std::string();
        percent[firm] = static_cast<int>(shares[firm] * 100.0);
    }
    window_.statusLine().setText(
        StatusBar::kModeHint,
        formatString(143, customers < 0 ? 0 : customers, names[0].c_str(), percent[0],
                     names[1].c_str(), percent[1], names[2].c_str(), percent[2], names[3].c_str(),
                     percent[3]));
}

Mode* NormalMode::onLButtonUp(int x, int y, unsigned) {
    clearDrag();
    const int shop = window_.game().shopAt(tileX(x), tileY(y), 0);
    if (shop >= 0) {
        window_.openShopInfo(shop);
    }
    window_.setClientCursor(Qt::ArrowCursor);
    return this;
}

}  // namespace vellmora
