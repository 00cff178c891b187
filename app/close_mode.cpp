// Closing: the closing cost of the player's shop under the mouse, and a click that closes it.
#include "app/framework/money_text.h"
#include "app/main_window.h"
#include "app/map_view.h"
#include "app/mode.h"
#include "app/status_bar.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/game.h"
#include "game/price_table.h"
#include "game/shop.h"
#include "game/shop_list.h"
#include "resources/string_table.h"

namespace vellmora {

void CloseMode::onEnter() {
    window_.statusLine().setText(StatusBar::kModeHint, loadString(148));
    setToolLockedCommandsEnabled(false);
    window_.showCash();
}

void CloseMode::onLeave() {
    window_.statusLine().setText(StatusBar::kModeHint, QString());
    setToolLockedCommandsEnabled(true);
}

Mode* CloseMode::onMouseMove(int x, int y, unsigned) {
    showTilePosition(x, y);
    const int tx = tileX(x);
    const int ty = tileY(y);
    Game& game = window_.game();
    const int shop = game.shopAt(tx, ty, 0);
    const Firm* player = game.player();
    const Shop* standing = shop >= 0 && player != nullptr ? player->shops().shop(shop) : nullptr;
    int marker = MapView::kMarkerRefused;
    QString text = loadString(150);
    if (standing != nullptr && game.canCloseShop(shop)) {
        const Money cost = -player->finance().priceTable().value(TemplateGroup::RemoveShop,
                                                                 standing->size(), account::kCash);
        text = formatString(149, moneyText(cost).toUtf8().constData());
        marker = MapView::kMarkerClose;
    }
    window_.statusLine().setText(StatusBar::kModeInfo, text);
    window_.mapView().setMarker(tx, ty, marker);
    return this;
}

Mode* CloseMode::onLButtonUp(int x, int y, unsigned) {
    const int shop = window_.game().shopAt(tileX(x), tileY(y), 0);
    if (shop == -1) {
        return this;
    }
    MapView& view = window_.mapView();
    {
        ViewLock lock(view);
        const int result = window_.game().closeShop(shop);
        if (window_.soundEffectsOn()) {
            window_.playEffect(result != -1 ? MainWindow::kEffectRemove : MainWindow::kEffectBeep);
        }
    }
    {
        ViewLock lock(view);
        view.redrawLayers();
    }
    window_.refreshDisplay();
    window_.showCash();
    return this;
}

Mode* CloseMode::onRButtonUp(int, int, unsigned) {
    return leaveToNormal();
}

}  // namespace vellmora
