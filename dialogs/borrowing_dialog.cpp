#include "dialogs/borrowing_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "app/framework/money_text.h"
#include "dialogs/dialog_texts.h"
#include "game/credit_rating.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/firm_policy.h"
#include "game/game.h"
#include "game/loan_book.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

constexpr int kRatingStrings = 132;  // 132-141 for ratings 0-9, 142 "借入不可" for 10
constexpr int kSortKeyRole = Qt::UserRole;

// Column widths of the design in its own units, widened to hold the heading at any font.
int columnWidth(const QFontMetrics& metrics, int designWidth, const QString& heading) {
    const int fromDesign = designWidth * metrics.averageCharWidth() / 6;
    return std::max(fromDesign,
                    metrics.horizontalAdvance(heading) + 3 * metrics.averageCharWidth());
}

}  // namespace

BorrowingDialog::BorrowingDialog(Game& game, QWidget* parent) : Dialog(parent), game_(&game) {
    setWindowTitle(QStringLiteral("資金借入/返済"));
}

bool BorrowingDialog::onInitDialog() {
    using namespace borrowing_ids;
    auto* layout = new QVBoxLayout(this);

    list_ = new QTreeWidget(this);
    setControlId(list_, kList);
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformRowHeights(true);
    const QStringList headings = {loadString(129), loadString(130), loadString(131)};
    list_->setHeaderLabels(headings);
    const QFontMetrics metrics = list_->fontMetrics();
    const std::array<int, 3> designWidths = {80, 120, 80};
    int total = 0;
    for (int column = 0; column < 3; ++column) {
        const int width =
            columnWidth(metrics, designWidths[static_cast<std::size_t>(column)], headings[column]);
        list_->setColumnWidth(column, width);
        total += width;
        list_->headerItem()->setTextAlignment(column, column == 0
                                                          ? Qt::AlignLeft | Qt::AlignVCenter
                                                          : Qt::AlignRight | Qt::AlignVCenter);
    }
    list_->setMinimumWidth(total + 2 * metrics.averageCharWidth() + 24);
    list_->setMinimumHeight(metrics.height() * 10);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { updateButtons(); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        list_->setCurrentItem(item);
        repaySelected();
    });
    layout->addWidget(list_);

    auto* lower = new QHBoxLayout;
    auto* figures = new QGridLayout;
    figures->addWidget(captionLabel(QStringLiteral("格付け\n借入利息\n資金"), this), 0, 0);
    status_ = figureLabel(this);
    setControlId(status_, kStatus);
    status_->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("-999,999,999,999")));
    figures->addWidget(status_, 0, 1);
    figures->setHorizontalSpacing(metrics.averageCharWidth() * 3);
    lower->addLayout(figures);
    lower->addStretch(1);

    auto* buttons = new QVBoxLayout;
    borrow_ = new QPushButton(QStringLiteral("借入"), this);
    bindCommand(borrow_, kBorrow);
    repay_ = new QPushButton(QStringLiteral("返済"), this);
    bindCommand(repay_, kRepay);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    bindCommand(close, kIdClose);
    close->setDefault(true);
    for (QPushButton* button : {borrow_, repay_, close}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    close->setDefault(true);
    lower->addLayout(buttons);
    layout->addLayout(lower);

    fillList();
    showStatus();
    updateButtons();
    roomyButtons(this);
    return true;
}

bool BorrowingDialog::onCommand(int id, int) {
    switch (id) {
        case borrowing_ids::kBorrow:
            (void)game_->borrow();
            fillList();
            showStatus();
            updateButtons();
            return true;
        case borrowing_ids::kRepay:
            repaySelected();
            return true;
        default:
            return closeOn128(id);
    }
}

void BorrowingDialog::repaySelected() {
    const int slot = selectedLoan();
    if (slot < 0) {
        return;
    }
    (void)game_->repay(slot);
    fillList();
    showStatus();
    updateButtons();
}

void BorrowingDialog::fillList() {
    list_->clear();
    const Firm* firm = game_->player();
    if (firm == nullptr) {
        return;
    }
    const LoanBook& loans = firm->finance().loans();
    struct Row {
        long long key;
        int slot;
    };
    std::vector<Row> rows;
    for (int slot = 0; slot < loans.slotCount(); ++slot) {
        if (loans.slotUsed(slot)) {
            rows.push_back(
                {static_cast<long long>(loans.monthBorrowed(slot)) * loans.slotCount() + slot,
                 slot});
        }
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.key < b.key; });
    for (const Row& row : rows) {
        const int due = loans.monthDue(row.slot);
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, formatString(128, due / 100, due % 100));
        item->setText(1, moneyText(loans.amount(row.slot)));
        item->setText(2, QString::asprintf("%.2f%%", loans.annualRate(row.slot) * 100.0));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, kSortKeyRole, row.key);
    }
}

void BorrowingDialog::showStatus() {
    const Firm* firm = game_->player();
    if (firm == nullptr) {
        status_->clear();
        return;
    }
    const int difficulty = firm->policy().difficulty();
    const int rating = std::clamp(firm->finance().rating(difficulty), 0, kNoCreditRating);
    const QString rate =
        rating == kNoCreditRating
            ? QStringLiteral("-")
            : QString::asprintf("%.2f%%", firm->finance().currentRate(difficulty) * 100.0);
    status_->setText(loadString(kRatingStrings + rating) + "\n" + rate + "\n" +
                     moneyText(firm->cash()));
}

void BorrowingDialog::updateButtons() {
    const Firm* firm = game_->player();
    borrow_->setEnabled(firm != nullptr && firm->canBorrow());
    const int slot = selectedLoan();
    repay_->setEnabled(firm != nullptr && slot >= 0 && firm->canRepay(slot));
}

int BorrowingDialog::selectedLoan() const {
    const QList<QTreeWidgetItem*> selected =
        list_ != nullptr ? list_->selectedItems() : QList<QTreeWidgetItem*>();
    if (selected.isEmpty()) {
        return -1;
    }
    return static_cast<int>(selected.front()->data(0, kSortKeyRole).toLongLong() %
                            LoanBook::kSlotCount);
}

std::vector<int> BorrowingDialog::listedLoans() const {
    std::vector<int> listed;
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        listed.push_back(static_cast<int>(
            list_->topLevelItem(row)->data(0, kSortKeyRole).toLongLong() % LoanBook::kSlotCount));
    }
    return listed;
}

bool BorrowingDialog::selectLoan(int slot) {
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list_->topLevelItem(row);
        if (item->data(0, kSortKeyRole).toLongLong() % LoanBook::kSlotCount == slot) {
            list_->setCurrentItem(item);
            item->setSelected(true);
            return true;
        }
    }
    return false;
}

}  // namespace vellmora
