#include "dialogs/budget_dialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/framework/message_box.h"
#include "app/framework/money_text.h"
#include "dialogs/borrowing_dialog.h"
#include "dialogs/dialog_texts.h"
#include "game/budget.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/firm_policy.h"
#include "game/game.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

constexpr std::array<const char*, kBudgetSliders> kItemNames = {"売上(価格)", "食材費", "人件費",
                                                                "教育費", "研究開発費"};
constexpr int kLowestLevel = 0;
constexpr int kHighestLevel = 4;

QFrame* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

BudgetDialog::BudgetDialog(Game& game, int firmIndex, QWidget* parent)
    : Dialog(parent), game_(&game), firm_(game.firm(firmIndex)) {
    setWindowTitle(QStringLiteral("予算設定"));
    for (int item = 0; item < kBudgetSliders; ++item) {
        const int level = firm_ != nullptr ? firm_->policy().budgetLevel(item) : 2;
        initial_[static_cast<std::size_t>(item)] = level;
        working_[static_cast<std::size_t>(item)] = level;
    }
}

BudgetDialog::~BudgetDialog() {
    endPreview();
}

int BudgetDialog::level(int item) const {
    return item >= 0 && item < kBudgetSliders ? working_[static_cast<std::size_t>(item)] : -1;
}

bool BudgetDialog::onInitDialog() {
    using namespace budget_ids;
    if (firm_ == nullptr) {
        return endDialog(-1);
    }
    const QFontMetrics metrics = fontMetrics();
    const int amountWidth = metrics.horizontalAdvance(QStringLiteral("-999,999,999,999"));

    auto* layout = new QHBoxLayout(this);
    auto* lines = new QGridLayout;
    lines->setHorizontalSpacing(metrics.averageCharWidth() * 2);
    auto* scale = new QLabel(QStringLiteral("少<-　　->多"), this);
    scale->setAlignment(Qt::AlignCenter);
    lines->addWidget(scale, 0, 1);
    auto* heading = new QLabel(QStringLiteral("月間予想収支"), this);
    heading->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    lines->addWidget(heading, 0, 3);
    for (int item = 0; item < kBudgetSliders; ++item) {
        const auto i = static_cast<std::size_t>(item);
        const int row = item + 1;
        lines->addWidget(new QLabel(QString::fromUtf8(kItemNames[i]), this), row, 0);
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setRange(kLowestLevel, kHighestLevel);
        slider->setTickInterval(1);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setPageStep(1);
        slider->setSingleStep(1);
        slider->setMinimumWidth(metrics.averageCharWidth() * 22);
        slider->setValue(initial_[i]);
        bindSlider(slider, kSliders[i]);
        sliders_[i] = slider;
        lines->addWidget(slider, row, 1);
        auto* help = new QPushButton(QStringLiteral("?"), this);
        help->setAutoDefault(false);
        help->setFixedWidth(std::max(help->sizeHint().height(), metrics.averageCharWidth() * 4));
        bindCommand(help, kHelp[i]);
        lines->addWidget(help, row, 2);
        itemAmounts_[i] = figureLabel(this);
        itemAmounts_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        itemAmounts_[i]->setMinimumWidth(amountWidth);
        setControlId(itemAmounts_[i], kItemAmounts[i]);
        lines->addWidget(itemAmounts_[i], row, 3);
    }
    lines->addWidget(separator(this), kBudgetSliders + 1, 0, 1, 4);

    auto fixedLine = [this, lines](int row, const QString& caption, int id) {
        lines->addWidget(new QLabel(caption, this), row, 0);
        QLabel* amount = figureLabel(this);
        amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setControlId(amount, id);
        lines->addWidget(amount, row, 3);
        return amount;
    };
    const int first = kBudgetSliders + 2;
    interestPaid_ = fixedLine(first, QStringLiteral("支払利息"), kInterestPaid);
    auto* borrowing = new QPushButton(QStringLiteral("借入/返済"), this);
    borrowing->setAutoDefault(false);
    bindCommand(borrowing, kBorrowing);
    lines->addWidget(borrowing, first, 1, 1, 2, Qt::AlignRight);
    rent_ = fixedLine(first + 1, QStringLiteral("家賃"), kRent);
    administration_ = fixedLine(first + 2, QStringLiteral("一般管理費"), kAdministration);
    interestReceived_ = fixedLine(first + 3, QStringLiteral("受取利息"), kInterestReceived);
    lines->addWidget(separator(this), first + 4, 0, 1, 4);
    result_ = fixedLine(first + 5, QStringLiteral("予想経常収支"), kOrdinaryResult);
    QFont bold = result_->font();
    bold.setBold(true);
    result_->setFont(bold);
    lines->setRowStretch(first + 6, 1);
    layout->addLayout(lines);

    auto* side = new QVBoxLayout;
    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(metrics.averageCharWidth() * 3);
    figures->setVerticalSpacing(metrics.height());
    auto sideBlock = [this, figures](int row, const QString& caption, int id) {
        figures->addWidget(captionLabel(caption, this), row, 0);
        QLabel* figure = figureLabel(this);
        setControlId(figure, id);
        figures->addWidget(figure, row, 1);
        return figure;
    };
    ratings_ = sideBlock(0, QStringLiteral("価格評価\n味評価\n接客評価\n\n総合評価"), kRatings);
    chances_ = sideBlock(1, QStringLiteral("発生確率\n　食中毒\n　労働訴訟"), kChances);
    research_ =
        sideBlock(2, QStringLiteral("研究開発ﾎﾟｲﾝﾄ\n　現在Lv\n　産出値\n　蓄積/必要値"), kResearch);
    research_->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("99999/99999")));
    side->addLayout(figures);
    side->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    bindCommand(ok, kOkButton);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setAutoDefault(false);
    bindCommand(cancel, kCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    side->addLayout(buttons);
    layout->addSpacing(metrics.averageCharWidth() * 2);
    layout->addLayout(side);

    for (int item = 0; item < kBudgetSliders; ++item) {
        showItem(item);
    }
    showFixedLines();
    showResult();
    showChances();
    showResearch();
    showRatings();
    roomyButtons(this);
    return true;
}

bool BudgetDialog::onHScroll(int id, int position) {
    for (int item = 0; item < kBudgetSliders; ++item) {
        const auto i = static_cast<std::size_t>(item);
        if (id != budget_ids::kSliders[i]) {
            continue;
        }
        working_[i] = position;
        if (firm_->policy().setBudgetLevel(item, position) == 0) {
            previewing_ = true;
        }
        showItem(item);
        showChances();
        showResult();
        if (item == kBudgetResearch) {
            showResearch();
        }
        showRatings();
        return true;
    }
    return false;
}

bool BudgetDialog::onCommand(int id, int) {
    using namespace budget_ids;
    for (int item = 0; item < kBudgetSliders; ++item) {
        if (id == kHelp[static_cast<std::size_t>(item)]) {
            showMessage(this, loadString(kFirstHelpString + item), MessageIcon::Information,
                        QStringLiteral("advice"));
            return true;
        }
    }
    switch (id) {
        case kBorrowing: {
            BorrowingDialog borrowing(*game_, this);
            (void)borrowing.doModal(this);
            showFixedLines();
            showResult();
            return true;
        }
        case kOkButton:
            finish(0);
            return true;
        case kCancel:
            finish(-1);
            return true;
        default:
            return false;
    }
}

bool BudgetDialog::onClose() {
    finish(-1);
    return true;
}

void BudgetDialog::finish(int result) {
    endPreview();
    for (int item = 0; item < kBudgetSliders; ++item) {
        const auto i = static_cast<std::size_t>(item);
        working_[i] = sliders_[i]->value();
    }
    endDialog(result);
}

void BudgetDialog::endPreview() {
    if (!previewing_ || firm_ == nullptr) {
        return;
    }
    for (int item = 0; item < kBudgetSliders; ++item) {
        (void)firm_->policy().setBudgetLevel(item, initial_[static_cast<std::size_t>(item)]);
    }
    previewing_ = false;
}

void BudgetDialog::showItem(int item) {
    const auto i = static_cast<std::size_t>(item);
    projection_.items[i] =
        projectItem(firm_->policy(), firm_->finance(), firm_->shops(), item, working_[i]);
    itemAmounts_[i]->setText(moneyText(projection_.items[i]));
}

void BudgetDialog::showFixedLines() {
    projectFixedLines(firm_->policy(), firm_->finance(), firm_->shops(), projection_);
    interestPaid_->setText(moneyText(projection_.interestPaid));
    rent_->setText(moneyText(projection_.rent));
    administration_->setText(moneyText(projection_.administration));
    interestReceived_->setText(moneyText(projection_.interestReceived));
}

void BudgetDialog::showResult() {
    result_->setText(moneyText(projection_.ordinaryResult()));
}

void BudgetDialog::showRatings() {
    const FirmPolicy& policy = firm_->policy();
    ratings_->setText(QStringLiteral("%1\n%2\n%3\n\n%4")
                          .arg(policy.rating(0))
                          .arg(policy.rating(1))
                          .arg(policy.rating(2))
                          .arg(overallRating(policy)));
}

void BudgetDialog::showChances() {
    const FirmPolicy& policy = firm_->policy();
    chances_->setText(QString::asprintf("\n%.3f%%\n%.3f%%", policy.poisoningChance() * 100.0,
                                        policy.overworkChance() * 100.0));
}

void BudgetDialog::showResearch() {
    research_->setText(researchText(firm_->policy()));
}

}  // namespace vellmora
