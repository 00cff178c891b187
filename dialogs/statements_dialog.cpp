#include "dialogs/statements_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <vector>

#include "app/framework/money_text.h"
#include "dialogs/dialog_texts.h"
#include "dialogs/firm_trend_view.h"
#include "game/calendar.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/game.h"
#include "game/ledger.h"

namespace vellmora {
namespace {

struct StatementSide {
    int titlesId;
    int amountsId;
    std::vector<int> codes;
    bool profitAndLoss;
};

const std::vector<StatementSide>& statementSides() {
    using namespace statements_ids;
    static const std::vector<StatementSide> sides = {
        {kAssetTitles, kAssetAmounts, {1101, 1151}, false},
        {kClaimTitles, kClaimAmounts, {2101, 3101, 3102}, false},
        {kIncomeTitles, kIncomeAmounts, {4101, 5201}, true},
        {kCostTitles,
         kCostAmounts,
         {5101, 5102, 5103, 5151, 5301, 5302, 5303, 5501, 5502, 5599, 9101},
         true},
    };
    return sides;
}

}  // namespace

StatementsDialog::StatementsDialog(const Game& game, int firstTab, QWidget* parent)
    : CompanyTabsDialog(game, firstTab, parent) {
    setWindowTitle(QStringLiteral("財務諸表"));
}

bool StatementsDialog::onInitDialog() {
    using namespace statements_ids;
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    layout->addWidget(pages_);

    auto* statements = new QWidget(pages_);
    auto* statementsLayout = new QVBoxLayout(statements);
    statementsLayout->addWidget(makeCompanyTabs(statements, kCompanies));

    const int amountWidth = fontMetrics().horizontalAdvance(QStringLiteral("-999,999,999,999"));
    // The same columns in both blocks, so that their sides line up.
    const int titleWidth = fontMetrics().horizontalAdvance(QStringLiteral("繰越利益剰余金"));
    auto makeBlock = [this, statements, amountWidth, titleWidth](int id, const QString& title,
                                                                 int firstSide) {
        auto* box = new QGroupBox(title, statements);
        setControlId(box, id);
        auto* grid = new QGridLayout(box);
        grid->setHorizontalSpacing(fontMetrics().averageCharWidth() * 3);
        for (int side = 0; side < 2; ++side) {
            const StatementSide& sideIds =
                statementSides()[static_cast<std::size_t>(firstSide + side)];
            QLabel* titles = figureLabel(box, true);
            titles->setMinimumWidth(titleWidth);
            setControlId(titles, sideIds.titlesId);
            QLabel* amounts = figureLabel(box);
            amounts->setMinimumWidth(amountWidth);
            setControlId(amounts, sideIds.amountsId);
            grid->addWidget(titles, 0, side * 3);
            grid->addWidget(amounts, 0, side * 3 + 1);
        }
        // Each side keeps its amounts beside their titles, however wide the dialog: the room
        // left goes between the sides and after the second one.
        grid->setColumnMinimumWidth(2, fontMetrics().averageCharWidth() * 6);
        grid->setColumnStretch(2, 1);
        grid->setColumnStretch(5, 1);
        return box;
    };
    statementsLayout->addWidget(makeBlock(kBalanceSheet, QStringLiteral("貸借対照表"), 0));
    statementsLayout->addWidget(makeBlock(kProfitAndLoss, QStringLiteral("損益計算書"), 2));
    statementsLayout->addStretch(1);
    pages_->addTab(statements, QStringLiteral("財務諸表"));
    pages_->addTab(new FirmTrendView(*game_, pages_), QStringLiteral("推移"));

    finishCompanyDialog(layout, kClose);
    return true;
}

void StatementsDialog::fillCompany(int index) {
    const Firm* firm = game_->firm(index);
    const Ledger* ledger = firm != nullptr ? &firm->finance().ledger() : nullptr;
    const int date = game_->calendar() != nullptr ? game_->calendar()->dateCode() : 0;
    const std::optional<Closing> snapshot =
        ledger != nullptr ? ledger->snapshot(0, date) : std::nullopt;
    for (const StatementSide& side : statementSides()) {
        QStringList titles;
        QStringList amounts;
        for (int code : side.codes) {
            if (!snapshot) {
                break;
            }
            const BalanceSnapshot& from =
                side.profitAndLoss ? snapshot->profitAndLoss : snapshot->balanceSheet;
            titles << fromCp932(std::string(ledger->title(code)));
            amounts << moneyText(from.amount(code));
        }
        control<QLabel>(side.titlesId)->setText(titles.join('\n'));
        control<QLabel>(side.amountsId)->setText(amounts.join('\n'));
    }
}

void StatementsDialog::showPage(int page) {
    pages_->setCurrentIndex(page);
}

bool StatementsDialog::onCommand(int id, int) {
    if (id == statements_ids::kClose) {
        return endDialog(0);
    }
    return false;
}

}  // namespace vellmora
