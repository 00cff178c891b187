// "財務諸表": a company's balance sheet and profit-and-loss statement for the year so far, from a
// fresh snapshot of its books, one tab per company; a second page charts every company's cash,
// sales, result and shops over the game.
#pragma once

#include "dialogs/company_tabs_dialog.h"

class QTabWidget;

namespace vellmora {

class Game;

namespace statements_ids {
inline constexpr int kCompanies = 1075;
inline constexpr int kBalanceSheet = 1001;
inline constexpr int kAssetTitles = 1006;
inline constexpr int kAssetAmounts = 1003;
inline constexpr int kClaimTitles = 1004;
inline constexpr int kClaimAmounts = 1005;
inline constexpr int kProfitAndLoss = 1010;
inline constexpr int kIncomeTitles = 1002;
inline constexpr int kIncomeAmounts = 1009;
inline constexpr int kCostTitles = 1007;
inline constexpr int kCostAmounts = 1008;
inline constexpr int kClose = 1;
}  // namespace statements_ids

class StatementsDialog : public CompanyTabsDialog {
public:
    StatementsDialog(const Game& game, int firstTab, QWidget* parent = nullptr);

    // Turns to the statements page (0) or the charts page (1).
    void showPage(int page);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void fillCompany(int index) override;

private:
    QTabWidget* pages_ = nullptr;
};

}  // namespace vellmora
