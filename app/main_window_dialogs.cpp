// The management and report dialogs opened from the window. Their dialogs are wired in here.
#include "app/main_window.h"

namespace vellmora {

// TODO(wiring): ManagementSystemDialog over the player's policy, cash and change cost; a result
// other than -1 goes to Game::changeSystem, then showCash().
void MainWindow::managementCommand() {}

// TODO(wiring): BudgetDialog over the game and firm 0; on OK the five levels go to
// Game::setBudget for items 0 to 4, then showCash().
void MainWindow::budgetCommand() {}

// TODO(wiring): BorrowingDialog over the game (it borrows and repays by itself).
void MainWindow::borrowingCommand() {
    showCash();
}

// TODO(wiring): StatementsDialog over the firm table, first tab 0.
void MainWindow::statementsCommand() {}

// TODO(wiring): CompanyInfoDialog over the controller table, first tab 0.
void MainWindow::companyInfoCommand() {}

// TODO(wiring): ShopInfoDialog for shop `shop` of the player's company, modal.
void MainWindow::openShopInfo(int shop) {
    (void)shop;
}

}  // namespace vellmora
