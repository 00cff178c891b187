// A dialog with one tab per company: it opens on the company asked for, and a click on a tab
// fills it with that company.
#pragma once

#include "app/framework/dialog.h"

class QBoxLayout;
class QTabBar;

namespace vellmora {

class Game;

class CompanyTabsDialog : public Dialog {
public:
    // Shows the company of slot `slot` (as a click on its tab does); nothing for a slot that
    // does not take part in the game.
    void showCompany(int slot);

protected:
    CompanyTabsDialog(const Game& game, int firstTab, QWidget* parent);

    // Makes the tab bar, a child of `parent`, with the control id `id`.
    QTabBar* makeCompanyTabs(QWidget* parent, int id);
    // Ends `layout` with the closing button `closeId`, opens the first company and gives every
    // button room for its text. Called last by onInitDialog.
    void finishCompanyDialog(QBoxLayout* layout, int closeId);
    // Fills the dialog with the company of slot `index` (its tab is current).
    virtual void fillCompany(int index) = 0;

    const Game* game_;

private:
    int firstTab_;
    QTabBar* companies_ = nullptr;
};

}  // namespace vellmora
