// The management and report dialogs opened from the window. A dialog shows and collects; what it
// answers becomes game commands here.
#include "app/main_window.h"
#include "dialogs/borrowing_dialog.h"
#include "dialogs/budget_dialog.h"
#include "dialogs/company_info_dialog.h"
#include "dialogs/management_system_dialog.h"
#include "dialogs/shop_info_dialog.h"
#include "dialogs/statements_dialog.h"
#include "game/budget.h"
#include "game/firm.h"
#include "game/game.h"
#include "game/management_system.h"

namespace vellmora {

void MainWindow::managementCommand() {
    const Firm* player = game_->player();
    if (player == nullptr) {
        return;
    }
    ManagementSystemDialog dialog(player->policy(), player->cash(),
                                  changeCost(player->finance(), player->shops()), this);
    const int system = dialog.doModal(this);
    if (system == -1) {
        return;
    }
    (void)game_->changeSystem(system);
    showCash();
}

void MainWindow::budgetCommand() {
    if (game_->player() == nullptr) {
        return;
    }
    BudgetDialog dialog(*game_, 0, this);
    if (dialog.doModal(this) == -1) {
        return;
    }
    for (int item = 0; item < 5; ++item) {
        (void)game_->setBudget(item, dialog.level(item));
    }
    showCash();
}

void MainWindow::borrowingCommand() {
    if (game_->player() != nullptr) {
        BorrowingDialog dialog(*game_, this);
        (void)dialog.doModal(this);
    }
    showCash();
}

void MainWindow::statementsCommand() {
    if (game_->firms() == nullptr) {
        return;
    }
    StatementsDialog dialog(*game_, 0, this);
    (void)dialog.doModal(this);
}

void MainWindow::companyInfoCommand() {
    if (game_->controllers() == nullptr) {
        return;
    }
    CompanyInfoDialog dialog(*game_, 0, this);
    (void)dialog.doModal(this);
}

void MainWindow::openShopInfo(int shop) {
    ShopInfoDialog dialog(*game_, 0, shop, this);
    (void)dialog.doModal(this);
}

}  // namespace vellmora
