// Building: the rent and whether a shop of the chosen size may stand under the mouse, and a
// click that builds it.
#include "app/command_ids.h"
#include "app/framework/money_text.h"
#include "app/main_window.h"
#include "app/map_view.h"
#include "app/mode.h"
#include "app/status_bar.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/firm_policy.h"
#include "game/game.h"
#include "game/price_table.h"
#include "game/town_map.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

constexpr int kRentItem = 5;

}  // namespace

void BuildMode::onEnter() {
    setToolLockedCommandsEnabled(false);
    window_.showCash();
}

void BuildMode::setShopSize(int size, int) {
    shopSize_ = size;
    const Firm* player = window_.game().player();
    const Money cost = player != nullptr ? -player->finance().priceTable().value(
                                               TemplateGroup::BuildShop, size, account::kCash)
                                         : 0;
    window_.statusLine().setText(StatusBar::kModeHint,
                                 formatString(104, moneyText(cost).toUtf8().constData()));
}

void BuildMode::onLeave() {
    window_.statusLine().setText(StatusBar::kModeHint, QString());
    setToolLockedCommandsEnabled(true);
}

Mode* BuildMode::onMouseMove(int x, int y, unsigned) {
    showTilePosition(x, y);
    const int tx = tileX(x);
    const int ty = tileY(y);
    Game& game = window_.game();
    int marker = MapView::kMarkerRefused;
    QString text = loadString(147);
    const FirmPolicy* policy = game.playerPolicy();
    if (game.canBuildShop(tx, ty, shopSize_) && policy != nullptr && game.map() != nullptr) {
        const double modifier = policy->shopCostModifier(kRentItem, shopSize_);
        const auto rent = static_cast<long long>(game.map()->rent(tx, ty) * (1.0 + modifier));
        text = formatString(146, moneyText(rent).toUtf8().constData());
        marker = MapView::kMarkerBuild;
    }
    window_.statusLine().setText(StatusBar::kModeInfo, text);
    window_.mapView().setMarker(tx, ty, marker);
    return this;
}

Mode* BuildMode::onLButtonUp(int x, int y, unsigned) {
    {
        MapView& view = window_.mapView();
        ViewLock lock(view);
        const int result = window_.game().buildShop(tileX(x), tileY(y), shopSize_);
        if (window_.soundEffectsOn()) {
            window_.playEffect(result != -1 ? MainWindow::kEffectBuild : MainWindow::kEffectBeep);
        }
        view.redrawLayers();
    }
    window_.refreshDisplay();
    window_.showCash();
    return this;
}

Mode* BuildMode::onRButtonUp(int, int, unsigned) {
    return leaveToNormal();
}

}  // namespace vellmora
