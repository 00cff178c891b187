#include "dialogs/company_tabs_dialog.h"

#include <QBoxLayout>
#include <QTabBar>
#include <QVariant>
#include <algorithm>

#include "dialogs/dialog_texts.h"
#include "game/game.h"

namespace vellmora {

CompanyTabsDialog::CompanyTabsDialog(const Game& game, int firstTab, QWidget* parent)
    : Dialog(parent), game_(&game), firstTab_(firstTab) {}

QTabBar* CompanyTabsDialog::makeCompanyTabs(QWidget* parent, int id) {
    companies_ = companyTabBar(*game_, parent);
    setControlId(companies_, id);
    return companies_;
}

void CompanyTabsDialog::finishCompanyDialog(QBoxLayout* layout, int closeId) {
    addButtonRow(layout, QStringLiteral("閉じる"), closeId);
    const int first = std::max(0, companyTab(*companies_, firstTab_));
    companies_->setCurrentIndex(first);
    connect(companies_, &QTabBar::currentChanged, this,
            [this](int tab) { fillCompany(companies_->tabData(tab).toInt()); });
    fillCompany(companies_->tabData(first).toInt());
    roomyButtons(this);
}

void CompanyTabsDialog::showCompany(int slot) {
    if (companies_ == nullptr) {
        return;
    }
    const int tab = companyTab(*companies_, slot);
    if (tab < 0) {
        return;  // not a company of this game
    }
    if (companies_->currentIndex() != tab) {
        companies_->setCurrentIndex(tab);  // shows the company through currentChanged
        return;
    }
    fillCompany(slot);
}

}  // namespace vellmora
