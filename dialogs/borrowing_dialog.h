// "資金借入/返済": the player's loans, the rating and rate on offer, the cash; borrows one loan
// unit or repays the selected loan through the game's commands.
#pragma once

#include <vector>

#include "app/framework/dialog.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace vellmora {

class Firm;
class Game;

namespace borrowing_ids {
inline constexpr int kList = 1067;
inline constexpr int kStatus = 1068;
inline constexpr int kBorrow = 1065;
inline constexpr int kRepay = 1066;
}  // namespace borrowing_ids

class BorrowingDialog : public Dialog {
public:
    explicit BorrowingDialog(Game& game, QWidget* parent = nullptr);

    // The loan slot of the selected row, -1 when none is selected.
    int selectedLoan() const;
    // The loan slots of the rows, top to bottom.
    std::vector<int> listedLoans() const;
    // Selects the row of a loan slot (tests and automation); false when no row holds it.
    bool selectLoan(int slot);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;

private:
    void fillList();
    void showStatus();
    void updateButtons();
    void repaySelected();

    Game* game_;
    QTreeWidget* list_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* borrow_ = nullptr;
    QPushButton* repay_ = nullptr;
};

}  // namespace vellmora
