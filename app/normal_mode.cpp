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

namespace {

// The map's colour of each company slot, the shortest name that still tells them apart.
const char* const kSlotColourNames[kFirmSlots] = {"自社", "青", "緑", "黄"};

// What stands on the tile: a company's shop by its name and number, else the building.
QString tileContents(const Game& game, int x, int y) {
    for (int slot = 0; slot < kFirmSlots; ++slot) {
        const Firm* company = game.firm(slot);
        const int shop = game.shopAt(x, y, slot);
        if (company != nullptr && shop >= 0) {
            return QString::fromStdString(cp932ToUtf8(company->name())) + QLatin1Char(' ') +
                   formatString(111, shop + 1);
        }
    }
    const BuildingDef* building = game.buildingAt(x, y);
    return building != nullptr ? QString::fromStdString(cp932ToUtf8(building->name)) : QString();
}

}  // namespace

void NormalMode::showTile(int x, int y) {
    Game& game = window_.game();
    if (game.mapName().empty()) {
        // The title screen: no town and no companies to describe.
        window_.statusLine().setText(StatusBar::kModeInfo, QString());
        window_.statusLine().setText(StatusBar::kModeHint, QString());
        return;
    }
    window_.statusLine().setText(StatusBar::kModeInfo,
                                 formatString(145, tileContents(game, x, y).toUtf8().constData()));

    const TownMap* map = game.map();
    const int customers = map != nullptr ? map->customers(x, y) : -1;
    std::array<double, kFirmSlots> shares{};
    if (map != nullptr) {
        shares = map->market().drawShares(x, y);
    }
    // The companies of this game, each by its name, its colour or its share alone: the
    // shorter forms are shown when the whole line does not fit.
    QStringList named;
    QStringList coloured;
    QStringList bare;
    for (int slot = 0; slot < kFirmSlots; ++slot) {
        const Firm* company = game.firm(slot);
        if (company == nullptr || company->absent()) {
            continue;
        }
        const QString share =
            company->withdrawn()
                ? QStringLiteral("撤退")
                : QStringLiteral("%1%").arg(static_cast<int>(shares[slot] * 100.0));
        named << QString::fromStdString(cp932ToUtf8(company->name())) + QLatin1Char(':') + share;
        coloured << QString::fromUtf8(kSlotColourNames[slot]) + QLatin1Char(':') + share;
        bare << share;
    }
    const QString head = QStringLiteral("顧客数[%1] 支配[").arg(customers < 0 ? 0 : customers);
    const QString tail = QStringLiteral("]");
    window_.statusLine().setText(
        StatusBar::kModeHint, head + named.join(QStringLiteral(" , ")) + tail,
        {head + coloured.join(QLatin1Char(' ')) + tail, head + bare.join(QLatin1Char(' ')) + tail});
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
