#include "dialogs/company_tabs_dialog.h"

#include <QBoxLayout>
#include <QTabBar>

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
    const int first = firstTab_ >= 0 && firstTab_ < kFirmSlots ? firstTab_ : 0;
    companies_->setCurrentIndex(first);
    connect(companies_, &QTabBar::currentChanged, this, [this](int index) { showCompany(index); });
    showCompany(first);
    roomyButtons(this);
}

void CompanyTabsDialog::showCompany(int index) {
    if (companies_ == nullptr) {
        return;
    }
    if (companies_->currentIndex() != index) {
        companies_->setCurrentIndex(index);  // shows the company through currentChanged
        return;
    }
    fillCompany(index);
}

}  // namespace vellmora
