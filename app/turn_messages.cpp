// The end of turn: one month played under the view's lock, then one message per event in a
// fixed order.
#include <QApplication>

#include "app/command_ids.h"
#include "app/framework/message_box.h"
#include "app/framework/money_text.h"
#include "app/main_window.h"
#include "app/map_view.h"
#include "app/mode.h"
#include "game/firm.h"
#include "game/game.h"
#include "game/settlement.h"
#include "game/shop.h"
#include "game/shop_list.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

// Messages 156 and 157 without a shop to name (a company without shops).
constexpr int kPoisoningWithoutShop = 190;
constexpr int kOverworkWithoutShop = 191;

bool has(TurnFlagSet flags, TurnFlagSet flag) {
    return (flags & flag) != 0;
}

// Message 156 or 157 for the shop the player's month recorded as struck; the shop part is left
// out when there is none.
QString accidentText(const Game& game, int withShop, int withoutShop) {
    const Firm* player = game.player();
    const QByteArray amount =
        moneyText(player != nullptr ? player->settlement().monthCompensation() : 0).toUtf8();
    const int number = player != nullptr ? player->struckShop() : -1;
    const Shop* shop = number >= 0 ? player->shops().shop(number) : nullptr;
    if (shop == nullptr) {
        return formatString(withoutShop, amount.constData());
    }
    return formatString(withShop, number + 1, shop->x(), shop->y(), amount.constData());
}

}  // namespace

void MainWindow::endTurnCommand() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TurnFlagSet flags = TurnFlags::None;
    {
        ViewLock lock(*mapView_);
        flags = game_->endTurn();
    }
    showDate();
    showCash();
    refreshDisplay();
    if (game_->finished()) {
        // The game's earlier months stay in the autosaves, but there is nothing left to resume.
        retireResumeOffer();
    }
    autosave();
    refreshPointer();  // the tile's customers and shares have moved with the month
    QApplication::restoreOverrideCursor();
    showTurnMessages(flags);
}

void MainWindow::showTurnMessages(TurnFlagSet flags) {
    if (has(flags, TurnFlags::Victory)) {
        const QString text = loadString(165);
        if (soundEffectsOn_) {
            playEffect(kEffectClap);
        }
        showMessage(this, text, MessageIcon::Information);
        disableGameCommands();
        showScoreTable(game_->lastRecord());
        return;
    }
    if (has(flags, TurnFlags::CompetitorWithdrew)) {
        showMessage(this, loadString(game_->activeCompetitors() == 1 ? 166 : 152),
                    MessageIcon::Information);
    }
    if (has(flags, TurnFlags::Bankrupt)) {
        showMessage(this, loadString(151), MessageIcon::Information);
        disableGameCommands();
        return;
    }
    if (has(flags, TurnFlags::LoanRepaid)) {
        showMessage(this, loadString(153), MessageIcon::Information);
    }
    if (has(flags, TurnFlags::FoodPoisoning)) {
        showMessage(this, accidentText(*game_, 156, kPoisoningWithoutShop),
                    MessageIcon::Exclamation);
    }
    if (has(flags, TurnFlags::OverworkDeath)) {
        showMessage(this, accidentText(*game_, 157, kOverworkWithoutShop),
                    MessageIcon::Exclamation);
    }
    if (has(flags, TurnFlags::CashExhausted)) {
        showMessage(this, loadString(154), MessageIcon::Exclamation);
    }
}

}  // namespace vellmora
